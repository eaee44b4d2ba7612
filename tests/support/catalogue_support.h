#pragma once
// Helpers of the catalogue tests, with and without a window.
#include "colour/catalogue.h"

#include <QFile>
#include <QtTest>

// Writes `text` as the whole of the file `name`.
inline void writeText(const QString& name, const QByteArray& text)
{
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

// The same thread: number and colour.
inline bool sameThread(const color_dmc& a, const color_dmc& b)
{
    return a.numero == b.numero && a.rojo == b.rojo && a.verde == b.verde && a.azul == b.azul;
}
