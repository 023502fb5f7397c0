#pragma once

#include "engine/config/ConfigValue.h"
#include "engine/math/Vector2.h"
#include "engine/util/StringTypes.h"

#include <unordered_map>

// Named tuning variables that scripts set and read, typically from "Config/tuning.lua",
// which the ConfigUpdater re-runs when the file changes. Values read in any form (see
// ConfigValue); missing ones read as 0, "" or Vector2::Zero. Created on first use, never
// deleted.
class Tuning
{
public:
    static Tuning* GetInstance();

    int GetInt(const String& name);
    float GetFloat(const String& name);
    String GetString(const String& name);
    Vector2 GetVector(const String& name);

    // Each replaces any earlier value of the name, of any kind.
    void SetInt(const String& name, int value);
    void SetFloat(const String& name, float value);
    void SetString(const String& name, const String& value);
    void SetVector(const String& name, const Vector2& value);

    StringSet GetVariables();
    void AddToRuntimeTuningList(const String& name);
    bool IsRuntimeTuned(const String& name);

    // Runs the script global "LoadTuningVariables"; a failure is logged.
    void LoadTuningVariables();

    // Forgets every variable; for tests, which share the one instance.
    void Clear();

private:
    Tuning();

    const ConfigValue* Find(const String& name) const;

    static Tuning* s_instance;
    std::unordered_map<String, ConfigValue> _variables;
    StringSet _runtimeTuned;
};
