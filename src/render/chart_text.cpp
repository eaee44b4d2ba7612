#include "render/chart_text.h"

#include "render/clear_symbols.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <utility>

namespace {
constexpr int kDotsPerMeter96 = 3780; // the surfaces' 96 dpi, so points turn into the same pixels
constexpr int kMargin = 4; // room for glyph parts left of or above the text's corner
constexpr int kMaxCachedTexts = 5000;
constexpr int kFreeCell = 7; // the corner of a cell that no grid line covers
constexpr int kMinSymbolPixels = 3;

// Signs outside the symbol code page for the symbols that need a stand-in: a few of the most
// legible first, then whole blocks of shapes, arrows, box lines and letters to draw on.
constexpr char16_t kFirstStandIns[] = { 0x25A0, 0x25B2, 0x25BC, 0x25C6, 0x25CF, 0x2605, 0x25A1, 0x25B3, 0x25BD, 0x25C7,
    0x25CB, 0x2606, 0x2660, 0x2663, 0x2665, 0x2666, 0x2190, 0x2191, 0x2192, 0x2193, 0x2194, 0x2195 };
constexpr std::pair<char16_t, char16_t> kStandInBlocks[]
    = { { 0x25A0, 0x25FF }, { 0x2190, 0x21FF }, { 0x2500, 0x257F }, { 0x0391, 0x03C9 }, { 0x0410, 0x044F } };

std::vector<char16_t> standIns()
{
    std::vector<char16_t> signs(std::begin(kFirstStandIns), std::end(kFirstStandIns));
    for (const auto& [first, last] : kStandInBlocks)
        for (char16_t c = first; c <= last; ++c)
            signs.push_back(c);
    return signs;
}

QFont chartQFont(const QString& family, const ChartFont& f)
{
    QFont q(family);
    q.setPointSizeF(f.pointSize > 0 ? f.pointSize : 8);
    q.setBold(f.bold);
    // one colour per pixel: crisp on every cell colour, on screen and on paper
    q.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
    return q;
}

QImage maskCanvas(int w, int h)
{
    QImage im(w, h, QImage::Format_ARGB32_Premultiplied);
    im.setDotsPerMeterX(kDotsPerMeter96);
    im.setDotsPerMeterY(kDotsPerMeter96);
    im.fill(Qt::transparent);
    return im;
}

// Renders text in one font and keeps the smallest box that holds every covered pixel.
TextMask renderMask(const QFont& font, const QString& text)
{
    const QImage probe = maskCanvas(1, 1);
    const QFontMetricsF fm(font, &probe);
    TextMask m;
    // each character on a whole pixel, a whole number of pixels after the one before: at this
    // size fractional advances leave uneven gaps between the digits of a thread number
    std::vector<int> at;
    int advance = 0;
    for (QChar c : text) {
        at.push_back(advance);
        // and never less than the character's ink and one clear pixel
        const int ink = int(std::ceil(fm.boundingRect(c).right())) + 1;
        advance += std::max(qRound(fm.horizontalAdvance(c)), c.isSpace() ? 0 : ink);
    }
    m.advance = advance;
    const int w = advance + 2 * kMargin + int(std::ceil(fm.maxWidth()));
    const int h = int(std::ceil(fm.height())) + 2 * kMargin;
    QImage im = maskCanvas(w, h);
    {
        QPainter p(&im);
        p.setFont(font);
        p.setPen(Qt::black);
        for (int i = 0; i < text.size(); ++i)
            p.drawText(QPointF(kMargin + at[std::size_t(i)], kMargin + fm.ascent()), QString(text[i]));
    }
    int x0 = w, y0 = h, x1 = -1, y1 = -1;
    for (int y = 0; y < h; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(im.constScanLine(y));
        for (int x = 0; x < w; ++x)
            if (qAlpha(row[x]) != 0) {
                x0 = std::min(x0, x), x1 = std::max(x1, x);
                y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
    }
    if (x1 < 0)
        return m;
    m.dx = x0 - kMargin;
    m.dy = y0 - kMargin;
    m.w = x1 - x0 + 1;
    m.h = y1 - y0 + 1;
    m.coverage.resize(std::size_t(m.w) * std::size_t(m.h));
    for (int y = 0; y < m.h; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(im.constScanLine(y0 + y));
        for (int x = 0; x < m.w; ++x)
            m.coverage[std::size_t(y) * std::size_t(m.w) + std::size_t(x)] = uchar(qAlpha(row[x0 + x]));
    }
    return m;
}

// What a symbol shows in the free corner of its cell: one byte per pixel, 1 where it is drawn.
QByteArray cellLook(const TextMask& m)
{
    QByteArray look(kFreeCell * kFreeCell, '\0');
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) {
            const int cx = m.dx + x, cy = m.dy + y;
            if (cx >= 0 && cy >= 0 && cx < kFreeCell && cy < kFreeCell
                && m.coverage[std::size_t(y) * std::size_t(m.w) + std::size_t(x)] >= 128)
                look[cy * kFreeCell + cx] = 1;
        }
    return look;
}

bool legible(const QByteArray& look) { return look.count(char(1)) >= kMinSymbolPixels; }

// A symbol of "Símbolos claros" at a pixel size, its ink centred in the free corner of a cell.
TextMask clearSymbolMask(const QString& text, int pixels)
{
    QFont f(clearSymbolsFamily());
    f.setPixelSize(pixels);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
    TextMask m = renderMask(f, text);
    m.dx = (kFreeCell - m.w) / 2;
    m.dy = (kFreeCell - m.h) / 2;
    return m;
}

// The set drawn in cells: DejaVu Sans at one size for all, a symbol too big for the free corner
// made smaller until it fits, and one that would look there exactly like an earlier symbol
// smaller still, until it looks like none (so colours stay apart on screen and on the sheets).
QHash<QString, TextMask> buildClearSymbols()
{
    constexpr int kLargestPixels = 9, kSmallestPixels = 4;
    QHash<QString, TextMask> masks;
    QSet<QByteArray> taken;
    for (int i = 0; i < clearSymbolCount(); ++i) {
        const QString text = clearSymbol(i);
        TextMask chosen;
        bool fits = false;
        for (int px = kLargestPixels; px >= kSmallestPixels; --px) {
            TextMask m = clearSymbolMask(text, px);
            if (m.w > kFreeCell || m.h > kFreeCell)
                continue;
            const QByteArray look = cellLook(m);
            if (!fits)
                chosen = m; // the largest size that fits, when no size looks unlike the others
            fits = true;
            if (legible(look) && !taken.contains(look)) {
                chosen = m;
                break;
            }
        }
        if (!fits)
            chosen = clearSymbolMask(text, kSmallestPixels);
        taken.insert(cellLook(chosen));
        masks.insert(text, chosen);
    }
    return masks;
}

// Everything rendered in one font; kept for the whole run, since turning sheets and printing
// redraw the same symbols.
struct FontMasks {
    QFont primary, fallback;
    QHash<QString, TextMask> texts;
    QHash<QString, TextMask> symbols;

    // The text in the font, or in the fallback font when the font lacks a character of it or
    // draws it as nothing.
    TextMask render(const QString& text) const
    {
        const QImage probe = maskCanvas(1, 1);
        const QFontMetricsF fm(primary, &probe);
        const bool hasAll = std::all_of(text.begin(), text.end(), [&](QChar c) { return c.isSpace() || fm.inFont(c); });
        const bool visible = std::any_of(text.begin(), text.end(), [](QChar c) { return !c.isSpace(); });
        TextMask m;
        if (hasAll)
            m = renderMask(primary, text);
        if (visible && m.empty())
            m = renderMask(fallback, text);
        return m;
    }

    // The symbol of every code in code order; a symbol too small, or looking like one before it,
    // takes the next stand-in that is legible and looks like none taken so far.
    void buildSymbols()
    {
        QSet<QByteArray> taken;
        const std::vector<char16_t> signs = standIns();
        std::size_t next = 0;
        for (int code = 33; code <= 255; ++code) {
            const QString text(charFromCode(code));
            TextMask m = render(text);
            QByteArray look = cellLook(m);
            while ((!legible(look) || taken.contains(look)) && next < signs.size()) {
                TextMask sign = render(QString(QChar(signs[next++])));
                const QByteArray signLook = cellLook(sign);
                if (legible(signLook) && !taken.contains(signLook)) {
                    m = sign;
                    look = signLook;
                }
            }
            taken.insert(look);
            symbols.insert(text, m);
        }
    }
};

FontMasks& fontMasks(const ChartFont& f)
{
    // a map keeps each font's masks in place while other fonts are added
    static std::map<QString, FontMasks> all;
    const QString key = QStringLiteral("%1|%2|%3").arg(f.family).arg(f.pointSize).arg(f.bold);
    auto it = all.find(key);
    if (it == all.end()) {
        it = all.emplace(key, FontMasks()).first;
        it->second.primary = chartQFont(f.family, f);
        it->second.fallback = chartQFont(fallbackFontFamily(), f);
    }
    return it->second;
}
} // namespace

bool TextMask::empty() const
{
    return std::none_of(coverage.begin(), coverage.end(), [](unsigned char c) { return c != 0; });
}

QString fallbackFontFamily() { return QStringLiteral("DejaVu Sans"); }

struct ChartText::Impl {
    FontMasks* masks = nullptr;
    bool symbols = false;
    bool clear = false;
};

namespace {
const QHash<QString, TextMask>& clearMasks()
{
    static const QHash<QString, TextMask> masks = buildClearSymbols();
    return masks;
}
} // namespace

ChartText::ChartText(const ChartFont& font, bool symbols)
    : d(std::make_unique<Impl>())
{
    d->masks = &fontMasks(font);
    d->symbols = symbols;
    d->clear = symbols && isClearSymbols(font.family);
}

ChartText::~ChartText() = default;

const TextMask& ChartText::mask(const QString& text)
{
    FontMasks& f = *d->masks;
    if (d->clear) {
        const auto it = clearMasks().constFind(text);
        if (it != clearMasks().constEnd())
            return *it;
        // any other text in a cell is drawn in the same way
        if (!f.texts.contains(text))
            f.texts.insert(text, clearSymbolMask(text, 7));
        return *f.texts.constFind(text);
    }
    if (d->symbols) {
        // the symbol set is made the first time a symbol of this font is drawn
        if (f.symbols.isEmpty())
            f.buildSymbols();
        const auto s = f.symbols.constFind(text);
        if (s != f.symbols.constEnd())
            return *s;
    }
    const auto it = f.texts.constFind(text);
    if (it != f.texts.constEnd())
        return *it;
    // labels change with every palette: keep the cache from growing without end
    if (f.texts.size() >= kMaxCachedTexts)
        f.texts.clear();
    return *f.texts.insert(text, f.render(text));
}

double ChartText::draw(Surface& s, double x, double y, const QString& text, Long colour, int clip)
{
    if (text.isEmpty())
        return 0;
    const TextMask& m = mask(text);
    const int cornerX = s.toPixelX(x), cornerY = s.toPixelY(y);
    const int px = cornerX + m.dx, py = cornerY + m.dy;
    // with a clip the text stays within the clip x clip pixels from its corner
    const int right = clip > 0 ? std::min(s.pixelWidth(), cornerX + clip) : s.pixelWidth();
    const int bottom = clip > 0 ? std::min(s.pixelHeight(), cornerY + clip) : s.pixelHeight();
    const int left = clip > 0 ? std::max(0, cornerX) : 0, top = clip > 0 ? std::max(0, cornerY) : 0;
    const QRgb c = rgbFromColour(colour);
    for (int my = 0; my < m.h; ++my) {
        const int ty = py + my;
        if (ty < top || ty >= bottom)
            continue;
        QRgb* row = s.scanLine(ty);
        const unsigned char* cov = m.coverage.data() + std::size_t(my) * std::size_t(m.w);
        for (int mx = 0; mx < m.w; ++mx) {
            const int tx = px + mx, a = cov[mx];
            if (a == 0 || tx < left || tx >= right)
                continue;
            if (a == 255) {
                row[tx] = c;
                continue;
            }
            const QRgb o = row[tx];
            auto mix = [a](int src, int dst) { return (src * a + dst * (255 - a) + 127) / 255; };
            row[tx] = qRgb(mix(qRed(c), qRed(o)), mix(qGreen(c), qGreen(o)), mix(qBlue(c), qBlue(o)));
        }
    }
    return m.advance;
}
