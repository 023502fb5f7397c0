#include "engine/config/ConfigValue.h"

#include "engine/math/MathUtil.h"
#include "engine/util/StringUtil.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace
{
    // The decimal integer text starts with (after blanks), clamped; 0 when there is none.
    int LeadingInt(const String& text)
    {
        errno = 0;
        const long long value = std::strtoll(text.c_str(), 0, 10);
        if (value > INT_MAX)
            return INT_MAX;
        if (value < INT_MIN)
            return INT_MIN;
        return (int)value;
    }

    String VectorText(const Vector2& value)
    {
        return "{" + FloatToString(value.X) + ", " + FloatToString(value.Y) + "}";
    }
}

ConfigValue::ConfigValue() : _int(0), _float(0.0f), _vector(Vector2::Zero), _kind(KIND_Int) {}

ConfigValue::ConfigValue(int value)
    : _int(value), _float((float)value), _string(IntToString(value)), _vector(Vector2::Zero), _kind(KIND_Int)
{
}

ConfigValue::ConfigValue(float value)
    : _int(MathUtil::RoundToInt((double)value)), _float(value), _string(FloatToString(value)),
      _vector(Vector2::Zero), _kind(KIND_Float)
{
}

ConfigValue::ConfigValue(const String& value)
    : _int(LeadingInt(value)), _float(StringToFloat(value)), _string(value), _vector(Vector2::Zero),
      _kind(KIND_String)
{
}

ConfigValue::ConfigValue(const Vector2& value)
    : _int(0), _float(0.0f), _string(VectorText(value)), _vector(value), _kind(KIND_Vector)
{
}

String ConfigValue::ToLuaLiteral() const
{
    switch (_kind)
    {
    case KIND_Int:
        return IntToString(_int);
    case KIND_Float:
        return FloatToLua(_float);
    case KIND_String:
        return QuoteForLua(_string);
    case KIND_Vector:
        return "{" + FloatToLua(_vector.X) + ", " + FloatToLua(_vector.Y) + "}";
    }
    return "nil";
}

bool ConfigValue::IsLuaIdentifier(const String& name)
{
    static const char* const keywords[] = {"and", "break", "do", "else", "elseif", "end", "false", "for",
                                           "function", "goto", "if", "in", "local", "nil", "not", "or",
                                           "repeat", "return", "then", "true", "until", "while"};
    if (name.empty() || (name[0] >= '0' && name[0] <= '9'))
        return false;
    for (size_t i = 0; i < name.size(); ++i)
    {
        const char c = name[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!letter && !(c >= '0' && c <= '9') && c != '_')
            return false;
    }
    for (size_t i = 0; i < sizeof(keywords) / sizeof(keywords[0]); ++i)
    {
        if (name == keywords[i])
            return false;
    }
    return true;
}

String ConfigValue::QuoteForLua(const String& text)
{
    String quoted = "\"";
    for (size_t i = 0; i < text.size(); ++i)
    {
        const unsigned char c = (unsigned char)text[i];
        if (c == '"' || c == '\\')
        {
            quoted += '\\';
            quoted += (char)c;
        }
        else if (c == '\n')
            quoted += "\\n";
        else if (c < 32 || c >= 127)
        {
            // Three digits always, so a digit that follows can't join the escape.
            char escape[5];
            std::snprintf(escape, sizeof(escape), "\\%03u", (unsigned)c);
            quoted += escape;
        }
        else
            quoted += (char)c;
    }
    return quoted + "\"";
}

String ConfigValue::FloatToLua(float value)
{
    if (std::isnan(value))
        return "0/0";
    // Divisions rather than math.huge: a file that reads back may itself have set "math".
    if (std::isinf(value))
        return value > 0.0f ? "1/0" : "-1/0";
    // Nine significant digits bring every float back to the same bits.
    char text[32];
    std::snprintf(text, sizeof(text), "%.9g", (double)value);
    return text;
}
