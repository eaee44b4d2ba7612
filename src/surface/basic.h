#pragma once
// The program's value types and the fixed conversion rules every procedure uses.
#include <QString>
#include <cmath>
#include <cstdint>

using Integer = std::int16_t; // signed 16-bit
using Long = std::int32_t; // signed 32-bit
using Single = float; // 32-bit float

// Flags hold -1 for true and 0 for false.
constexpr Integer True = -1;
constexpr Integer False = 0;
inline Integer flag(bool b) { return b ? True : False; }

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
inline double roundHalfEven(double v) { return std::nearbyint(v); }
// Conversion of a fraction to Integer/Long: nearest, halves to even; a value beyond the type's
// range stops at its nearest end instead of wrapping.
inline Integer CInt(double v)
{
    const double r = roundHalfEven(v);
    return r >= 32767 ? Integer(32767) : r <= -32768 ? Integer(-32768) : static_cast<Integer>(r);
}
inline Long CLng(double v)
{
    const double r = roundHalfEven(v);
    return r >= 2147483647.0 ? Long(2147483647) : r <= -2147483648.0 ? Long(-2147483647 - 1) : static_cast<Long>(r);
}
// Rounds down.
inline double Int(double v) { return std::floor(v); }
// Cuts toward zero.
inline double Fix(double v) { return std::trunc(v); }

// The leading number of a text, 0 when there is none; "&h" followed by hexadecimal digits
// ("&o" by octal ones) reads as the number they spell, four digits or fewer as a 16-bit value
// ("&hFFFF" is -1). Spaces, tabs and line ends anywhere in the text are skipped.
double Val(const QString& text);
// A number written after one space that stands for its sign ("-3" stays "-3"); a fraction
// has no zero before its point (" .5").
QString Str(double v);
// A number written with no leading space, a fraction with its zero ("0.5").
QString CStr(double v);
// Hexadecimal with upper-case digits and no prefix (negative values as 32-bit two's complement).
QString Hex(Long v);
