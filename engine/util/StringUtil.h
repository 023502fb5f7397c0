#pragma once

#include "engine/math/Vector2.h"
#include "engine/util/StringTypes.h"

// Conversions between numbers and text. Parsing reads from the start of the text
// the way a decimal input stream does: leading blanks are skipped and trailing
// text is ignored.
String IntToString(int value);
// General notation, 6 significant digits.
String FloatToString(float value);
// "1" or "0".
String BoolToString(bool value);
// "X Y".
String Vector2ToString(const Vector2& value);
String ULongToString(unsigned long long value);

// True when a number could be read; out is left alone otherwise.
bool StringToInt(const String& text, int& out);
bool StringToFloat(const String& text, float& out);
// 0 when no number can be read.
int StringToInt(const String& text);
float StringToFloat(const String& text);
// "true" / "false" in any case, otherwise whether the text reads as a non-zero int.
bool StringToBool(const String& text);
// "X Y" separated by blanks; missing components are 0.
Vector2 StringToVector2(const String& text);

// Byte-wise case conversion.
String ToUpper(const String& text);
String ToLower(const String& text);

// Splits at any byte found in delimiters. With removeEmpty false, empty tokens
// between delimiters are kept, but a trailing empty token never is.
StringList SplitString(const String& text, const String& delimiters, bool removeEmpty = true);
// Splits at blanks, tabs, newlines and carriage returns, dropping empty tokens.
StringList SplitString(const String& text);
String JoinStrings(const StringList& strings, const String& separator);

// first = words[0]; rest is extended by words[1] .. words[count - 1] joined by
// blanks. A negative count takes every word; an empty list changes nothing.
void SeparateFirstWord(const StringList& words, String& first, String& rest, int count = -1);

// Without the leading and trailing bytes that occur in characters.
String TrimString(const String& text, const String& characters);
// Trims blanks, tabs, newlines and carriage returns.
String TrimString(const String& text);

// The text with every control byte (below 32, and 127) written as "\xNN", so text read from
// a file can be quoted in a log line without moving the terminal's cursor or colours.
String EscapeControlBytes(const String& text);
// The same with every byte from 128 up escaped too: for text that is ASCII by nature (key
// names), where any other byte is a mistake to be shown rather than passed on to the log.
String EscapeNonAsciiBytes(const String& text);

// Joins neighbouring words into lines while their lengths add up to less than
// width; lines are separated by "\n".
String WrapString(const String& text, int width);

// The local time in the 24-character form "Tue Dec 08 01:16:35 2026".
String GetTimeString();
