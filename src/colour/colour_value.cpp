#include "colour/colour_value.h"

QString hox(Long colour)
{
    QString h = Hex(colour);
    while (h.size() < 6)
        h.prepend(QLatin1Char('0'));
    return h;
}

Components split(Long colour)
{
    // The text form keeps every value in 0..255: eight digits (a negative value) read
    // their first, middle and last two digits like any other.
    if (colour >= 0 && colour <= 0xFFFFFF)
        return { colour & 0xff, (colour >> 8) & 0xff, (colour >> 16) & 0xff };
    const QString h = hox(colour);
    Components c;
    c.b = h.mid(0, 2).toInt(nullptr, 16);
    c.g = h.mid(2, 2).toInt(nullptr, 16);
    c.r = h.right(2).toInt(nullptr, 16);
    return c;
}
