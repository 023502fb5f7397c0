#pragma once

#include "engine/math/Vector2.h"
#include "engine/util/StringTypes.h"

// One configuration value held at once as int, float, text and vector, all filled when it
// is made, so a reader may ask for any form whatever the kind it was made from. A text
// never yields a vector. Shared by Preferences and Tuning.
class ConfigValue
{
public:
    enum Kind
    {
        KIND_Int = 0,
        KIND_Float = 1,
        KIND_String = 2,
        KIND_Vector = 3
    };

    ConfigValue();
    explicit ConfigValue(int value);
    // The int form is rounded half up and clamped into int's range; NaN gives 0.
    explicit ConfigValue(float value);
    // The int and float forms are the decimal numbers the text starts with (0 when it
    // starts with none); an int that doesn't fit is clamped.
    explicit ConfigValue(const String& value);
    explicit ConfigValue(const Vector2& value);

    int GetInt() const { return _int; }
    float GetFloat() const { return _float; }
    const String& GetString() const { return _string; }
    const Vector2& GetVector() const { return _vector; }
    Kind GetKind() const { return _kind; }

    // The value as a Lua expression that reads back exactly: strings quoted and escaped,
    // floats with every digit they need, infinities as 1/0 and -1/0 and NaN as 0/0; no
    // global name is read, so the file's own settings can't change what they mean.
    String ToLuaLiteral() const;

    // Lua's own rules for a name that needs no brackets: letters, digits and underscores,
    // no leading digit, not a keyword.
    static bool IsLuaIdentifier(const String& name);
    // A double-quoted Lua string literal holding exactly text's bytes.
    static String QuoteForLua(const String& text);
    static String FloatToLua(float value);

private:
    int _int;
    float _float;
    String _string;
    Vector2 _vector;
    Kind _kind;
};
