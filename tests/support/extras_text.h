#pragma once
// The part stitches, backstitch, knots and beads of a pattern as text, for tests to compare.
#include "colour/pattern.h"

#include <QStringList>

// Every element of the extras as text, threads by number, so two patterns whose palettes differ
// in order compare element for element.
inline QStringList extrasText(const StitchExtras& x)
{
    const auto numero = [&x](int t) { return t < 0 ? -1 : x.threads[std::size_t(t)].numero; };
    const auto more = [](const ExtraAttributes& m) {
        QStringList l;
        for (const auto& [name, value] : m)
            l << name + QLatin1Char('=') + value;
        return l.join(QLatin1Char(' '));
    };
    QStringList out;
    for (const PartStitch& s : x.parts)
        out << QStringLiteral("cell %1 %2 %3 %4 %5 %6")
                   .arg(s.x)
                   .arg(s.y)
                   .arg(numero(s.thread1))
                   .arg(numero(s.thread2))
                   .arg(s.direction)
                   .arg(more(s.more));
    for (const BackStitch& b : x.backs)
        out << QStringLiteral("back %1 %2 %3 %4 %5 %6 %7 %8")
                   .arg(b.x1)
                   .arg(b.y1)
                   .arg(b.x2)
                   .arg(b.y2)
                   .arg(numero(b.thread))
                   .arg(b.kind)
                   .arg(b.sequence)
                   .arg(more(b.more));
    for (const StitchObject& o : x.objects)
        out << QStringLiteral("object %1 %2 %3 %4 %5")
                   .arg(o.x)
                   .arg(o.y)
                   .arg(numero(o.thread))
                   .arg(o.kind, more(o.more));
    return out;
}
