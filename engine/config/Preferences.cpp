#include "engine/config/Preferences.h"

#include "engine/log/CompoundLog.h"
#include "engine/util/FileUtil.h"

#include <cstdio>

Preferences* Preferences::s_instance = 0;

Preferences* Preferences::GetInstance()
{
    if (s_instance == 0)
        s_instance = new Preferences();
    return s_instance;
}

Preferences::Preferences() {}

const ConfigValue* Preferences::Find(const String& category, const String& name) const
{
    Store::const_iterator categoryEntry = _store.find(category);
    if (categoryEntry == _store.end())
        return 0;
    Category::const_iterator value = categoryEntry->second.find(name);
    return value == categoryEntry->second.end() ? 0 : &value->second;
}

int Preferences::GetInt(const String& category, const String& name) { return OverrideInt(category, name, 0); }

float Preferences::GetFloat(const String& category, const String& name)
{
    return OverrideFloat(category, name, 0.0f);
}

String Preferences::GetString(const String& category, const String& name)
{
    return OverrideString(category, name, "");
}

int Preferences::OverrideInt(const String& category, const String& name, int defaultValue)
{
    const ConfigValue* value = Find(category, name);
    return value != 0 ? value->GetInt() : defaultValue;
}

float Preferences::OverrideFloat(const String& category, const String& name, float defaultValue)
{
    const ConfigValue* value = Find(category, name);
    return value != 0 ? value->GetFloat() : defaultValue;
}

String Preferences::OverrideString(const String& category, const String& name, const String& defaultValue)
{
    const ConfigValue* value = Find(category, name);
    return value != 0 ? value->GetString() : defaultValue;
}

Preferences::Category Preferences::CopyCategoryAsStrings(const String& category) const
{
    Category copy;
    Store::const_iterator entry = _store.find(category);
    if (entry == _store.end())
        return copy;
    for (Category::const_iterator setting = entry->second.begin(); setting != entry->second.end(); ++setting)
        copy.emplace(setting->first, ConfigValue(setting->second.GetString()));
    return copy;
}

void Preferences::Set(const String& category, const String& name, const ConfigValue& value)
{
    if (category.empty() || name.empty())
        CompoundLog::GetSystemLog().Log("ERROR: Null strings passed for category or name in preference setting.");
    _store[category][name] = value;
}

void Preferences::SetInt(const String& category, const String& name, int value)
{
    Set(category, name, ConfigValue(value));
}

void Preferences::SetFloat(const String& category, const String& name, float value)
{
    Set(category, name, ConfigValue(value));
}

void Preferences::SetString(const String& category, const String& name, const String& value)
{
    Set(category, name, ConfigValue(value));
}

String Preferences::GetDefaultPath() { return "Config/defaults.lua"; }

String Preferences::GetUserPrefsPath()
{
    const String directory = GetStorageDirectory();
    MakeDirectories(directory);
    return directory + "user_prefs.lua";
}

StringList Preferences::SaveLines() const
{
    StringList lines;
    for (Store::const_iterator category = _store.begin(); category != _store.end(); ++category)
    {
        // Names that aren't Lua identifiers (spaces, keywords, "") go in brackets on _ENV,
        // the file's own globals: unlike _G, no category can rename it. "_ENV = {" itself
        // would replace the globals of the rest of the file.
        if (ConfigValue::IsLuaIdentifier(category->first) && category->first != "_ENV")
            lines.push_back(category->first + " = {");
        else
            lines.push_back("_ENV[" + ConfigValue::QuoteForLua(category->first) + "] = {");

        for (Category::const_iterator setting = category->second.begin(); setting != category->second.end();
             ++setting)
        {
            const String key = ConfigValue::IsLuaIdentifier(setting->first)
                                   ? setting->first
                                   : "[" + ConfigValue::QuoteForLua(setting->first) + "]";
            lines.push_back("\t" + key + " = " + setting->second.ToLuaLiteral() + ",");
        }
        lines.push_back("}\n");
    }
    return lines;
}

void Preferences::SavePreferences()
{
    const String path = GetUserPrefsPath();
    const String temporaryPath = path + ".tmp";
    if (!WriteLinesToFile(temporaryPath, SaveLines()) || std::rename(temporaryPath.c_str(), path.c_str()) != 0)
    {
        std::remove(temporaryPath.c_str());
        CompoundLog::GetSystemLog().Printf("ERROR: Couldn't save the preferences to \"%s\".", path.c_str());
    }
}

void Preferences::Clear() { _store.clear(); }
