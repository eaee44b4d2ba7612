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

double backstitchMetres(double cells, const AmountOptions& o)
{
    const double mm = cells * (kMmPerInch / std::max(1, o.stitchesPerInch)) * o.backstitchStrands;
    return mm / 1000.0 * (1.0 + o.waste);
}

double knotMetres(long knots, const AmountOptions& o)
{
    return double(knots) * kKnotCm / 100.0 * o.strands * (1.0 + o.waste);
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

namespace {
int sectionRank(const QString& section)
{
    return section.isEmpty() ? 0 : section == QLatin1String("Pespunte") ? 1 : section == QLatin1String("Nudos") ? 2 : 3;
}
} // namespace

std::vector<ThreadAmount> threadAmounts(const Pattern& pattern, const AmountOptions& o)
{
    const std::vector<long> counts = pattern.stitchCounts();
    const std::vector<ExtrasUse> use = extrasUse(pattern.extras);
    const std::vector<int> inPalette = pattern.extraThreadsInPalette();
    std::vector<ThreadAmount> fromPalette(pattern.palette.size());
    std::vector<ThreadAmount> threads;
    auto withUse = [](ThreadAmount a, const ExtrasUse& u) {
        a.partStitches += u.partStitches;
        a.backstitchCells += u.backstitchCells;
        a.knots += u.knots;
        a.beads += u.beads;
        return a;
    };
    auto add = [&](ThreadAmount a, const PatternThread& t) {
        a.numero = t.numero;
        a.colour = t.colour;
        a.symbol = t.symbol;
        a.code = t.numero >= 0 ? threadCode(t.numero) : QString();
        a.name = threadName(t.numero);
        a.metres = threadMetres(a.stitches, o) + threadMetres(1, o) * a.partStitches
            + backstitchMetres(a.backstitchCells, o) + knotMetres(a.knots, o);
        a.skeins = a.metres > 0 ? skeinsFor(a.metres) : 0;
        threads.push_back(a);
    };
    // a thread of the palette takes what the extras do in it
    for (std::size_t t = 0; t < use.size(); ++t)
        if (inPalette[t] >= 0) {
            ThreadAmount& a = fromPalette[std::size_t(inPalette[t])];
            a = withUse(a, use[t]);
            a.extraThread = int(t);
        }
    for (std::size_t i = 0; i < pattern.palette.size(); ++i) {
        ThreadAmount a = fromPalette[i];
        a.stitches = counts[i];
        if (a.stitches == 0 && a.partStitches == 0 && a.backstitchCells == 0 && a.knots == 0 && a.beads == 0)
            continue;
        a.index = int(i);
        add(a, pattern.palette[i]);
    }
    for (std::size_t t = 0; t < use.size(); ++t) {
        if (inPalette[t] >= 0 || !use[t].any())
            continue;
        ThreadAmount a = withUse({}, use[t]);
        a.index = -1;
        a.extraThread = int(t);
        a.section = a.partStitches > 0 ? QString()
            : a.backstitchCells > 0    ? QStringLiteral("Pespunte")
            : a.knots > 0              ? QStringLiteral("Nudos")
                                       : QStringLiteral("Cuentas");
        add(a, pattern.extras.threads[t]);
    }
    std::stable_sort(threads.begin(), threads.end(), [](const ThreadAmount& a, const ThreadAmount& b) {
        const int aRank = sectionRank(a.section), bRank = sectionRank(b.section);
        if (aRank != bRank)
            return aRank < bRank;
        const bool aKnown = a.numero >= 0, bKnown = b.numero >= 0;
        return aKnown != bKnown ? aKnown : a.numero < b.numero;
    });
    return threads;
}

std::vector<int> keyLineEntries(const std::vector<ThreadAmount>& threads)
{
    std::vector<int> lines;
    for (std::size_t i = 0; i < threads.size(); ++i) {
        if (!threads[i].section.isEmpty() && (i == 0 || threads[i - 1].section != threads[i].section))
            lines.push_back(-1);
        lines.push_back(int(i));
    }
    return lines;
}

QByteArray threadsCsv(const std::vector<ThreadAmount>& threads)
{
    const bool extras = std::any_of(threads.begin(), threads.end(), [](const ThreadAmount& t) {
        return t.backstitchCells > 0 || t.knots > 0 || t.beads > 0 || !t.section.isEmpty();
    });
    QString out = QStringLiteral("number,name,stitches,metres,skeins");
    out += extras ? QStringLiteral(",section\n") : QStringLiteral("\n");
    for (const ThreadAmount& t : threads) {
        const QString number = t.code.startsWith(QLatin1String("DMC ")) ? t.code.mid(4) : t.code;
        out += QStringLiteral("%1,%2,%3,%4,%5")
                   .arg(csvField(number), csvField(t.name))
                   .arg(t.section == QLatin1String("Cuentas") ? t.beads : t.stitches)
                   .arg(QString::number(t.metres, 'f', 2))
                   .arg(t.skeins);
        out += extras ? QLatin1Char(',') + t.section + QLatin1Char('\n') : QStringLiteral("\n");
    }
    return out.toUtf8();
}

QString writeThreadsCsv(const QString& path, const Pattern& pattern, const AmountOptions& o)
{
    const QByteArray text = threadsCsv(threadAmounts(pattern, o));
    return writeWhole(path, [&text](QIODevice& file) { return file.write(text) == text.size(); });
}
