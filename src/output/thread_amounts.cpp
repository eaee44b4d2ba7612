#include "output/thread_amounts.h"

#include "colour/thread_names.h"
#include "surface/whole_file.h"

#include <QIODevice>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kEdgesPerStitch = 4.828427; // two diagonals and the two halves of an edge: 2 + 2 sqrt 2
constexpr double kMmPerInch = 25.4;
constexpr double kSkeinMetres = 48; // 8 m of six strands
constexpr double kMarginCm = 5, kMarginIn = 2;

QString oneDecimal(double v) { return QLocale().toString(v, 'f', 1); }

// A CSV field, quoted when it holds a comma or a quote.
QString csvField(const QString& s)
{
    if (!s.contains(QLatin1Char(',')) && !s.contains(QLatin1Char('"')))
        return s;
    QString q = s;
    q.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}
} // namespace

int fabricOfCount(int count)
{
    const QString name = QString::number(count);
    const std::vector<Fabric>& all = fabrics();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i].name.split(QLatin1Char(' ')).value(1) == name)
            return int(i);
    return -1;
}

const std::vector<Fabric>& fabrics()
{
    static const std::vector<Fabric> all {
        { QStringLiteral("Aida 11"), 11 },
        { QStringLiteral("Aida 14"), 14 },
        { QStringLiteral("Aida 16"), 16 },
        { QStringLiteral("Aida 18"), 18 },
        { QStringLiteral("Aida 20"), 20 },
        { QStringLiteral("Lino 28 (sobre dos hilos)"), 14 },
        { QStringLiteral("Lino 32 (sobre dos hilos)"), 16 },
    };
    return all;
}

int stitchesPerInchOfCount(int count)
{
    switch (count) {
    case 11:
    case 14:
    case 16:
    case 18:
    case 20:
        return count;
    case 28:
    case 32:
        return count / 2;
    default:
        return 0;
    }
}

double threadMetres(long stitches, const AmountOptions& o)
{
    const double mm = double(stitches) * kEdgesPerStitch * (kMmPerInch / std::max(1, o.stitchesPerInch)) * o.strands;
    return mm / 1000.0 * (1.0 + o.waste);
}

int skeinsFor(double metres)
{
    // a hair over a whole skein from rounding must not ask for one more
    const double skeins = std::ceil(metres / kSkeinMetres - 1e-9);
    return std::max(1, int(skeins));
}

FinishedSize finishedSize(int width, int height, int stitchesPerInch)
{
    const double count = std::max(1, stitchesPerInch);
    FinishedSize f;
    f.widthIn = width / count;
    f.heightIn = height / count;
    f.widthCm = f.widthIn * 2.54;
    f.heightCm = f.heightIn * 2.54;
    f.fabricWidthCm = f.widthCm + 2 * kMarginCm;
    f.fabricHeightCm = f.heightCm + 2 * kMarginCm;
    f.fabricWidthIn = f.widthIn + 2 * kMarginIn;
    f.fabricHeightIn = f.heightIn + 2 * kMarginIn;
    return f;
}

QString FinishedSize::sizeText() const
{
    return QStringLiteral("%1 × %2 cm (%3 × %4 in)")
        .arg(oneDecimal(widthCm), oneDecimal(heightCm), oneDecimal(widthIn), oneDecimal(heightIn));
}

QString FinishedSize::fabricText() const
{
    return QStringLiteral("%1 × %2 cm (%3 × %4 in)")
        .arg(oneDecimal(fabricWidthCm), oneDecimal(fabricHeightCm), oneDecimal(fabricWidthIn),
            oneDecimal(fabricHeightIn));
}

std::vector<ThreadAmount> threadAmounts(const Pattern& pattern, const AmountOptions& o)
{
    const std::vector<long> counts = pattern.stitchCounts();
    std::vector<ThreadAmount> threads;
    for (std::size_t i = 0; i < pattern.palette.size(); ++i) {
        if (counts[i] == 0)
            continue;
        const PatternThread& t = pattern.palette[i];
        ThreadAmount a;
        a.index = int(i);
        a.numero = t.numero;
        a.colour = t.colour;
        a.symbol = t.symbol;
        a.code = t.numero >= 0 ? threadCode(t.numero) : QString();
        a.name = threadName(t.numero);
        a.stitches = counts[i];
        a.metres = threadMetres(a.stitches, o);
        a.skeins = skeinsFor(a.metres);
        threads.push_back(a);
    }
    std::stable_sort(threads.begin(), threads.end(), [](const ThreadAmount& a, const ThreadAmount& b) {
        const bool aKnown = a.numero >= 0, bKnown = b.numero >= 0;
        return aKnown != bKnown ? aKnown : a.numero < b.numero;
    });
    return threads;
}

QByteArray threadsCsv(const std::vector<ThreadAmount>& threads)
{
    QString out = QStringLiteral("number,name,stitches,metres,skeins\n");
    for (const ThreadAmount& t : threads) {
        const QString number = t.code.startsWith(QLatin1String("DMC ")) ? t.code.mid(4) : t.code;
        out += QStringLiteral("%1,%2,%3,%4,%5\n")
                   .arg(csvField(number), csvField(t.name))
                   .arg(t.stitches)
                   .arg(QString::number(t.metres, 'f', 2))
                   .arg(t.skeins);
    }
    return out.toUtf8();
}

QString writeThreadsCsv(const QString& path, const Pattern& pattern, const AmountOptions& o)
{
    const QByteArray text = threadsCsv(threadAmounts(pattern, o));
    return writeWhole(path, [&text](QIODevice& file) { return file.write(text) == text.size(); });
}
