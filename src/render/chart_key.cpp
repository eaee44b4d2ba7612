#include "colour/colour_value.h"
#include "colour/palette_index.h"
#include "render/chart.h"
#include "render/chart_text.h"
#include "render/extras_drawing.h"

#include <QPainter>
#include <algorithm>

namespace {
const QString kKeyTitle = QStringLiteral("Numeración de colores DMC");
constexpr int kEntryPitch = 55;
constexpr int kRowPitch = 15;
constexpr int kLabelClear = 11; // the first pixel right of a swatch
constexpr int kSymbolClip = 9; // a symbol stays within its swatch
constexpr int kLineSample = 18; // a backstitch thread's sample line
constexpr int kSectionGap = 5; // above a section's heading

// Where the key's next entry goes: left to right, a new row when an entry would end beyond the
// page's right margin; a section's heading starts a row of its own.
struct KeyFlow {
    int x = 30 - kEntryPitch;
    int y = 69;
    bool empty() const { return x < 30; }
    void next(const Surface& c)
    {
        x += kEntryPitch;
        if (x + kEntryPitch > c.ScaleWidth() - 10) {
            x = 30;
            y += kRowPitch;
        }
    }
    // The row of a heading, after which the entries start a row below.
    int heading()
    {
        if (!empty())
            y += kRowPitch + kSectionGap;
        const int row = y;
        x = 30 - kEntryPitch;
        y += kRowPitch;
        return row;
    }
};

// One key entry at (x, y): swatch (filled only with colours on) and its black outline, the
// symbol at (x + 2, y), then the thread label and three blanks right after it (and after the
// swatch); the line ends.
void drawEntry(const ChartJob& job, ChartText& symbols, ChartText& labels, int x, int y, Long colour,
    const QString& symbol, const QString& label)
{
    Surface& c = job.chart;
    if (job.options.colours)
        c.Line(x, y - 1, x + 10, y + 9, colour, LineKind::FilledBox);
    c.Line(x, y - 1, x + 10, y + 9, 0, LineKind::Box);
    const Long fore = !job.options.colours || isLight(colour) ? 0 : 0xFFFFFF;
    // the symbol does not end the line: the label follows it on the same text line
    c.CurrentX = x + 2;
    c.CurrentY = y;
    c.CurrentX += symbols.draw(c, c.CurrentX, c.CurrentY, symbol, fore, kSymbolClip);
    // a narrow symbol would start the thread number on the swatch, where the outline can hide
    // its first digit: the number starts clear of the swatch
    c.CurrentX = std::max(c.CurrentX, double(x + kLabelClear));
    labels.draw(c, c.CurrentX, c.CurrentY, label + QStringLiteral("   "), 0);
    c.CurrentX = c.ScaleLeft();
    c.CurrentY = y + kRowPitch;
}

// A thread's label from its own number, for a thread of the extras no palette colour is.
QString ownLabel(const PatternThread& t)
{
    if (t.numero == 1)
        return QStringLiteral(" Ecru");
    if (t.numero == 0 || t.colour == RGB(255, 255, 255))
        return QStringLiteral(" Blanco");
    return t.numero > 0 ? Str(t.numero) : QString();
}

// The key's entries beyond the palette's colours: the threads only part stitches use, with their
// swatch and symbol; then under "Pespunte", "Nudos" and "Cuentas" every thread backstitch, knots
// or beads use, each with the line, dot or ring the sheets draw it with.
class ExtrasKey {
public:
    ExtrasKey(const ChartJob& job, const StitchExtras& extras, const std::function<QString(Long)>& threadLabel)
        : m_job(job)
        , m_x(extras)
        , m_use(extrasUse(extras))
        , m_inPalette(extras.threads.size(), false)
        , m_styles(backstitchThreads(extras))
        , m_threadLabel(threadLabel)
    {
        for (int g = 0; g < 6; ++g)
            for (int k = 0; k < job.st.num_tono[std::size_t(g)]; ++k)
                for (std::size_t t = 0; t < extras.threads.size(); ++t)
                    m_inPalette[t]
                        = m_inPalette[t] || extras.threads[t].colour == job.st.tono[std::size_t(g)][std::size_t(k)];
    }
    void draw(KeyFlow& flow, ChartText& symbols, ChartText& labels);

private:
    enum class Section { Parts, Backstitch, Knots, Beads };
    std::vector<int> threadsOf(Section s) const;
    QString label(int t) const;
    void drawSample(Section s, int t, int x, int y) const;

    const ChartJob& m_job;
    const StitchExtras& m_x;
    std::vector<ExtrasUse> m_use;
    std::vector<bool> m_inPalette;
    std::vector<int> m_styles; // the backstitch threads in the order of their black-and-white styles
    const std::function<QString(Long)>& m_threadLabel;
};

// The threads a section lists, in thread-number order (a number the catalogue does not know last).
std::vector<int> ExtrasKey::threadsOf(Section s) const
{
    std::vector<int> threads;
    for (std::size_t t = 0; t < m_use.size(); ++t) {
        const ExtrasUse& u = m_use[t];
        const bool listed = s == Section::Parts ? u.partStitches > 0 && !m_inPalette[t]
            : s == Section::Backstitch          ? u.backstitchCells > 0
            : s == Section::Knots               ? u.knots > 0
                                                : u.beads > 0;
        if (listed)
            threads.push_back(int(t));
    }
    std::stable_sort(threads.begin(), threads.end(), [this](int a, int b) {
        const Long na = m_x.threads[std::size_t(a)].numero, nb = m_x.threads[std::size_t(b)].numero;
        return (na >= 0) != (nb >= 0) ? na >= 0 : na < nb;
    });
    return threads;
}

// A thread of the palette is labelled as its colour's entry is; another by its own number.
QString ExtrasKey::label(int t) const
{
    const PatternThread& thread = m_x.threads[std::size_t(t)];
    if (!m_inPalette[std::size_t(t)])
        return ownLabel(thread);
    return m_threadLabel ? m_threadLabel(thread.colour) : QString();
}

void ExtrasKey::drawSample(Section s, int t, int x, int y) const
{
    Surface& c = m_job.chart;
    const QColor colour = extrasColour(m_x, t, m_job.options.colours);
    QPainter p(&c.image());
    p.translate(-c.ScaleLeft(), -c.ScaleTop());
    p.setRenderHint(QPainter::Antialiasing);
    // through the middle of the pixel row a swatch is centred on
    const double middle = y + 4.5;
    if (s == Section::Backstitch) {
        const int style = int(std::find(m_styles.begin(), m_styles.end(), t) - m_styles.begin());
        p.setPen(backstitchPen(m_job.options.colours ? 0 : style, colour, kCellSize));
        p.drawLine(QLineF(x, middle, x + kLineSample, middle));
    } else {
        drawObjectMark(
            p, s == Section::Knots ? ObjectKind::Knot : ObjectKind::Bead, QPointF(x + 5.5, middle), colour, kCellSize);
    }
}

void ExtrasKey::draw(KeyFlow& flow, ChartText& symbols, ChartText& labels)
{
    Surface& c = m_job.chart;
    for (int t : threadsOf(Section::Parts)) {
        flow.next(c);
        const PatternThread& thread = m_x.threads[std::size_t(t)];
        drawEntry(m_job, symbols, labels, flow.x, flow.y, thread.colour, thread.symbol, label(t));
    }
    const std::pair<Section, QString> sections[] = { { Section::Backstitch, QStringLiteral("Pespunte") },
        { Section::Knots, QStringLiteral("Nudos") }, { Section::Beads, QStringLiteral("Cuentas") } };
    ChartText headings({ m_job.options.plainFont, 5, true });
    for (const auto& [section, name] : sections) {
        const std::vector<int> threads = threadsOf(section);
        if (threads.empty())
            continue;
        headings.draw(c, 30, flow.heading(), name, 0);
        for (int t : threads) {
            flow.next(c);
            drawSample(section, t, flow.x, flow.y);
            const int labelX = flow.x + (section == Section::Backstitch ? kLineSample + 2 : kLabelClear);
            labels.draw(c, labelX, flow.y, label(t) + QStringLiteral("   "), 0);
        }
    }
    c.CurrentX = c.ScaleLeft();
    c.CurrentY = flow.y + kRowPitch;
}
} // namespace

ChartResult drawKey(
    const ChartJob& job, int total, const std::function<QString(Long)>& threadLabel, const StitchExtras& extras)
{
    Surface& c = job.chart;
    const ChartOptions& o = job.options;
    c.Cls();
    if (!sizeChartSurface(c, kPageWidth, kPageHeight))
        return ChartResult::NoMemory;
    c.move(0, 0);
    c.CurrentX = 30;
    c.CurrentY = 30;
    c.ForeColor = 0;
    c.FontName = o.plainFont;
    c.FontSize = 12;
    c.FontBold = true;
    c.Print(kKeyTitle);
    c.FontName = o.symbolFont;
    c.FontSize = 5;
    c.FontBold = false;
    c.DrawWidth = 1;

    ChartText symbols({ o.symbolFont, 5, false }, true);
    ChartText labels({ o.plainFont, 5, false });
    const std::vector<QString> signs = paletteSymbols(job.st, o.symbolFont, true);
    KeyFlow flow;
    c.CurrentY = 70;
    for (int g = 0; g < 6; ++g) {
        for (int k = 0; k < job.st.num_tono[std::size_t(g)]; ++k) {
            flow.next(c);
            const Long colour = job.st.tono[std::size_t(g)][std::size_t(k)];
            drawEntry(job, symbols, labels, flow.x, flow.y, colour, signs[std::size_t(paletteIndex(job.st, g, k))],
                threadLabel ? threadLabel(colour) : QString());
        }
    }
    if (!extras.empty())
        ExtrasKey(job, extras, threadLabel).draw(flow, symbols, labels);
    copyStamp(job.stamp, c, o.colours);
    writePageLabel(c, QStringLiteral("Hoja") + Str(total) + QStringLiteral(" de") + Str(total), o.plainFont);
    return ChartResult::Drawn;
}
