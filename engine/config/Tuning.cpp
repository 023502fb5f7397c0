#include "engine/config/Tuning.h"

#include "engine/scripting/LuaScriptingModule.h"

Tuning* Tuning::s_instance = 0;

Tuning* Tuning::GetInstance()
{
    if (s_instance == 0)
        s_instance = new Tuning();
    return s_instance;
}

Tuning::Tuning() {}

const ConfigValue* Tuning::Find(const String& name) const
{
    std::unordered_map<String, ConfigValue>::const_iterator found = _variables.find(name);
    return found == _variables.end() ? 0 : &found->second;
}

int Tuning::GetInt(const String& name)
{
    const ConfigValue* value = Find(name);
    return value != 0 ? value->GetInt() : 0;
}

float Tuning::GetFloat(const String& name)
{
    const ConfigValue* value = Find(name);
    return value != 0 ? value->GetFloat() : 0.0f;
}

String Tuning::GetString(const String& name)
{
    const ConfigValue* value = Find(name);
    return value != 0 ? value->GetString() : String();
}

Vector2 Tuning::GetVector(const String& name)
{
    const ConfigValue* value = Find(name);
    return value != 0 ? value->GetVector() : Vector2::Zero;
}

void Tuning::SetInt(const String& name, int value) { _variables[name] = ConfigValue(value); }

void Tuning::SetFloat(const String& name, float value) { _variables[name] = ConfigValue(value); }

void Tuning::SetString(const String& name, const String& value) { _variables[name] = ConfigValue(value); }

void Tuning::SetVector(const String& name, const Vector2& value) { _variables[name] = ConfigValue(value); }

StringSet Tuning::GetVariables()
{
    StringSet names;
    for (std::unordered_map<String, ConfigValue>::const_iterator it = _variables.begin(); it != _variables.end(); ++it)
        names.insert(it->first);
    return names;
}

void Tuning::AddToRuntimeTuningList(const String& name) { _runtimeTuned.insert(name); }

bool Tuning::IsRuntimeTuned(const String& name) { return _runtimeTuned.count(name) > 0; }

void Tuning::LoadTuningVariables() { LuaScriptingModule::CallFunction("LoadTuningVariables"); }

void Tuning::Clear()
{
    _variables.clear();
    _runtimeTuned.clear();
}
