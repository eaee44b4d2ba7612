#include "render/pattern_settings.h"

#include <algorithm>

QString heldColourText(const QString& typed)
{
    QString t = typed;
    if (Val(t) < 7)
        t = QStringLiteral("7");
    if (Val(t) > 999)
        t = QStringLiteral("999");
    return t;
}

QString heldStitchText(const QString& typed)
{
    QString t = typed;
    if (Val(t) < 4)
        t = QStringLiteral("4");
    if (Val(t) > 100)
        t = QStringLiteral("100");
    return CStr(Fix(Val(t)));
}

QString stitchText(int pixels) { return CStr(Fix(pixels / 3.0)); }

int followingSide(int v, Single setSide, Single followSide, int cap)
{
    Single q = Single(v);
    if (setSide > 0 && followSide > 0)
        q = Single(Fix(Single(v) * followSide / setSide));
    const int side = int(std::clamp(q, Single(0), Single(cap)));
    return side - side % 3;
}

int centredPosition(int outer) { return CInt(150 - outer / 2.0); }
