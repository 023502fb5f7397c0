#include "engine/util/StringUtil.h"

#include <cctype>
#include <cstdio>
#include <ctime>
#include <locale>
#include <sstream>

namespace
{
    const char* const kWhitespace = " \t\n\r";

    template <typename Number>
    String NumberToString(Number value)
    {
        std::ostringstream stream;
        stream.imbue(std::locale::classic()); // no digit grouping from a global locale
        stream << value;
        return stream.str();
    }

    template <typename Number>
    bool ReadNumber(const String& text, Number& out)
    {
        std::istringstream stream(text);
        stream.imbue(std::locale::classic());
        Number value;
        stream >> value;
        if (stream.fail())
            return false;
        out = value;
        return true;
    }

    bool IsOneOf(char byte, const String& characters)
    {
        return characters.find(byte) != String::npos;
    }
}

String IntToString(int value)
{
    return NumberToString(value);
}

String FloatToString(float value)
{
    return NumberToString(value);
}

String BoolToString(bool value)
{
    return IntToString(value ? 1 : 0);
}

String Vector2ToString(const Vector2& value)
{
    return FloatToString(value.X) + " " + FloatToString(value.Y);
}

String ULongToString(unsigned long long value)
{
    return NumberToString(value);
}

bool StringToInt(const String& text, int& out)
{
    return ReadNumber(text, out);
}

bool StringToFloat(const String& text, float& out)
{
    return ReadNumber(text, out);
}

int StringToInt(const String& text)
{
    int value = 0;
    StringToInt(text, value);
    return value;
}

float StringToFloat(const String& text)
{
    float value = 0.0f;
    StringToFloat(text, value);
    return value;
}

bool StringToBool(const String& text)
{
    const String lower = ToLower(text);
    if (lower == "true")
        return true;
    if (lower == "false")
        return false;
    return StringToInt(text) != 0;
}

Vector2 StringToVector2(const String& text)
{
    const StringList tokens = SplitString(text);
    Vector2 result;
    if (tokens.size() > 0)
        result.X = StringToFloat(tokens[0]);
    if (tokens.size() > 1)
        result.Y = StringToFloat(tokens[1]);
    return result;
}

String ToUpper(const String& text)
{
    String result(text);
    // Through unsigned char: bytes above 127 are negative as char.
    for (size_t i = 0; i < result.size(); ++i)
        result[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(result[i])));
    return result;
}

String ToLower(const String& text)
{
    String result(text);
    for (size_t i = 0; i < result.size(); ++i)
        result[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(result[i])));
    return result;
}

StringList SplitString(const String& text, const String& delimiters, bool removeEmpty)
{
    StringList tokens;
    String token;
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (!IsOneOf(text[i], delimiters))
        {
            token += text[i];
            continue;
        }
        if (!token.empty() || !removeEmpty)
            tokens.push_back(token);
        token.clear();
    }
    if (!token.empty())
        tokens.push_back(token);
    return tokens;
}

StringList SplitString(const String& text)
{
    return SplitString(text, kWhitespace, true);
}

String JoinStrings(const StringList& strings, const String& separator)
{
    String result;
    for (size_t i = 0; i < strings.size(); ++i)
    {
        if (i > 0)
            result += separator;
        result += strings[i];
    }
    return result;
}

void SeparateFirstWord(const StringList& words, String& first, String& rest, int count)
{
    if (words.empty())
        return;
    first = words[0];

    // A count past the end takes what is there.
    size_t end = words.size();
    if (count >= 0 && static_cast<size_t>(count) < end)
        end = static_cast<size_t>(count);
    for (size_t i = 1; i < end; ++i)
    {
        if (i > 1)
            rest += " ";
        rest += words[i];
    }
}

String TrimString(const String& text, const String& characters)
{
    if (characters.empty())
        return text;
    const size_t start = text.find_first_not_of(characters);
    if (start == String::npos)
        return "";
    const size_t end = text.find_last_not_of(characters);
    return text.substr(start, end - start + 1);
}

String TrimString(const String& text)
{
    return TrimString(text, kWhitespace);
}

namespace
{
String EscapeBytes(const String& text, unsigned char highestKept)
{
    String escaped;
    escaped.reserve(text.size());
    for (const char byte : text)
    {
        const unsigned char code = (unsigned char)byte;
        if (code < 32 || code == 127 || code > highestKept)
        {
            char hex[5];
            std::snprintf(hex, sizeof(hex), "\\x%02x", code);
            escaped += hex;
        }
        else
        {
            escaped += byte;
        }
    }
    return escaped;
}
}

String EscapeControlBytes(const String& text) { return EscapeBytes(text, 255); }

String EscapeNonAsciiBytes(const String& text) { return EscapeBytes(text, 127); }

String WrapString(const String& text, int width)
{
    StringList lines = SplitString(text, " ", true);
    size_t current = 0;
    while (current < lines.size())
    {
        const bool hasNext = current + 1 < lines.size();
        // The blank between the two words is not counted.
        if (hasNext && static_cast<long long>(lines[current].size() + lines[current + 1].size()) < width)
        {
            lines[current] += " " + lines[current + 1];
            lines.erase(lines.begin() + static_cast<long>(current) + 1);
        }
        else
            ++current;
    }
    return JoinStrings(lines, "\n");
}

String GetTimeString()
{
    // Fixed English names and a zero-padded day, whatever the locale says.
    static const char* const weekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::time_t now = std::time(nullptr);
    std::tm local;
    if (localtime_r(&now, &local) == nullptr)
        return "";

    char buffer[64];
    std::snprintf(buffer, sizeof(buffer), "%s %s %02d %02d:%02d:%02d %d", weekdays[local.tm_wday % 7],
                  months[local.tm_mon % 12], local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  local.tm_year + 1900);
    return TrimString(buffer);
}
