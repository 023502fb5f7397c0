#include "support/ScopedEnvironment.h"

#include <cstdlib>

ScopedEnvironment::~ScopedEnvironment()
{
    // Newest first, so a variable changed twice ends at its original value.
    for (auto it = _saved.rbegin(); it != _saved.rend(); ++it)
    {
        if (it->WasSet)
            ::setenv(it->Name.c_str(), it->Value.c_str(), 1);
        else
            ::unsetenv(it->Name.c_str());
    }
}

void ScopedEnvironment::Set(const std::string& name, const std::string& value)
{
    Save(name);
    ::setenv(name.c_str(), value.c_str(), 1);
}

void ScopedEnvironment::Unset(const std::string& name)
{
    Save(name);
    ::unsetenv(name.c_str());
}

void ScopedEnvironment::Save(const std::string& name)
{
    const char* current = std::getenv(name.c_str());
    SavedVariable saved;
    saved.Name = name;
    saved.WasSet = current != nullptr;
    saved.Value = current != nullptr ? current : "";
    _saved.push_back(saved);
}
