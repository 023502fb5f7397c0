#pragma once

#include "engine/config/ConfigValue.h"
#include "engine/util/StringTypes.h"

#include <unordered_map>

// The user settings: typed values by category and name, both case-sensitive. Scripts fill
// it ("Resources/Scripts/pref_load.lua" loads Config/defaults.lua, then user_prefs.lua);
// the engine only reads it, with a default for every missing value. Created on first use,
// never deleted.
class Preferences
{
public:
    typedef std::unordered_map<String, ConfigValue> Category;

    static Preferences* GetInstance();

    // Missing values read as 0, 0.0 and "". Reading never creates a category or name.
    int GetInt(const String& category, const String& name);
    float GetFloat(const String& category, const String& name);
    String GetString(const String& category, const String& name);

    // As the Gets, with the engine's own default for a missing value.
    int OverrideInt(const String& category, const String& name, int defaultValue);
    float OverrideFloat(const String& category, const String& name, float defaultValue);
    String OverrideString(const String& category, const String& name, const String& defaultValue);

    // Replaces any earlier value of any kind. An empty category or name is an error that is
    // logged, and the value is stored all the same.
    void SetInt(const String& category, const String& name, int value);
    void SetFloat(const String& category, const String& name, float value);
    void SetString(const String& category, const String& name, const String& value);

    // "Config/defaults.lua".
    String GetDefaultPath();
    // The storage directory followed by "user_prefs.lua"; creates the directory first.
    String GetUserPrefsPath();

    // Writes the whole store to GetUserPrefsPath() as a Lua script that sets every value
    // again. The file is replaced in one step, so a failed write keeps the old one; the
    // failure is logged.
    void SavePreferences();
    // The script text SavePreferences writes, one entry per line.
    StringList SaveLines() const;

    // A copy of one category in which every value is made anew from its text form, so each
    // copied value is of the string kind; empty when the category is missing. Not for scripts.
    Category CopyCategoryAsStrings(const String& category) const;

    // Forgets every value; for tests, which share the one store.
    void Clear();

private:
    Preferences();

    typedef std::unordered_map<String, Category> Store;

    const ConfigValue* Find(const String& category, const String& name) const;
    void Set(const String& category, const String& name, const ConfigValue& value);

    static Preferences* s_instance;
    Store _store;
};
