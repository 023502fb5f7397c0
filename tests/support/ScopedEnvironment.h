#pragma once

#include <string>
#include <vector>

// Sets or clears environment variables and puts the old values back on destruction.
class ScopedEnvironment
{
public:
    ScopedEnvironment() {}
    ~ScopedEnvironment();

    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    void Set(const std::string& name, const std::string& value);
    void Unset(const std::string& name);

private:
    struct SavedVariable
    {
        std::string Name;
        bool WasSet;
        std::string Value;
    };

    void Save(const std::string& name);

    std::vector<SavedVariable> _saved;
};
