#include "render/chart_text.h"

#include "colour/palette_index.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {
constexpr int kDotsPerMeter96 = 3780; // the surfaces' 96 dpi, so points turn into the same pixels
constexpr int kMargin = 4; // room for glyph parts left of or above the text's corner
constexpr int kMaxCachedMasks = 20000;

// Codes of the symbol code page with no visible character, and the signs that stand for them:
// letters outside the code page, so they never repeat another symbol.
struct Substitute {
    int code;
    char16_t sign;
};
constexpr Substitute kSubstitutes[] = { { 127, 0x0393 }, { 129, 0x0394 }, { 141, 0x039B }, { 143, 0x039E },
    { 144, 0x03A0 }, { 157, 0x03A3 }, { 160, 0x03A8 }, { 173, 0x03A9 } };

// Punctuation and accents that a font may draw as a pixel or two, or so low that the grid
// covers them; such a symbol is drawn as its stand-in, a sign that no other symbol uses.
struct StandIn {
    char16_t symbol;
    char16_t sign;
};
constexpr StandIn kStandIns[] = { { u'\'', 0x25B2 }, { u',', 0x25BC }, { u'-', 0x25C6 }, { u'.', 0x25CF },
    { u':', 0x25A0 }, { u';', 0x2605 }, { u'\\', 0x2198 }, { u'^', 0x2191 }, { u'_', 0x2193 }, { u'`', 0x2190 },
    { u'|', 0x2195 }, { u'~', 0x2248 }, { 0x201A, 0x2666 }, { 0x02C6, 0x2663 }, { 0x2039, 0x2660 }, { 0x2018, 0x2665 },
    { 0x2019, 0x2192 }, { 0x02DC, 0x2194 }, { 0x203A, 0x2197 }, { 0x00A8, 0x2199 }, { 0x00AF, 0x2196 },
    { 0x00B0, 0x25CB }, { 0x00B4, 0x25A1 }, { 0x00B7, 0x25B3 }, { 0x00B8, 0x25BD }, { 0x00B9, 0x25C7 },
    { 0x00B2, 0x2606 }, { 0x00B3, 0x221E }, { 0x00AA, 0x2260 }, { 0x00BA, 0x221A } };
// A symbol must leave at least this many pixels in the 7 x 7 corner of its cell that no grid
// line covers.
constexpr int kMinSymbolPixels = 3;
constexpr int kFreeCell = 7;

QChar standIn(const QString& symbol)
{
    if (symbol.size() != 1)
        return QChar();
    for (const StandIn& s : kStandIns)
        if (s.symbol == symbol[0].unicode())
            return QChar(s.sign);
    return QChar();
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

bool fontHasAll(const QFontMetricsF& fm, const QString& text)
{
    return std::all_of(text.begin(), text.end(), [&](QChar c) { return c.isSpace() || fm.inFont(c); });
}

// Renders text in one font and keeps the smallest box that holds every covered pixel.
TextMask renderMask(const QFont& font, const QString& text)
{
    const QImage probe = maskCanvas(1, 1);
    const QFontMetricsF fm(font, &probe);
    TextMask m;
    m.advance = fm.horizontalAdvance(text);
    const int w = int(std::ceil(m.advance)) + 2 * kMargin + int(std::ceil(fm.maxWidth()));
    const int h = int(std::ceil(fm.height())) + 2 * kMargin;
    QImage im = maskCanvas(w, h);
    {
        QPainter p(&im);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QPointF(kMargin, kMargin + fm.ascent()), text);
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

QHash<QString, TextMask>& sharedMasks(const QString& key)
{
    // masks outlive one drawing: turning sheets and printing redraw the same symbols
    static QHash<QString, QHash<QString, TextMask>> all;
    static int count = 0;
    if (++count > kMaxCachedMasks) {
        all.clear();
        count = 0;
    }
    return all[key];
}
} // namespace

bool TextMask::empty() const
{
    return std::none_of(coverage.begin(), coverage.end(), [](unsigned char c) { return c != 0; });
}

QString fallbackFontFamily() { return QStringLiteral("DejaVu Sans"); }

QString symbolText(int index)
{
    const int code = symbolCode(index);
    for (const Substitute& s : kSubstitutes)
        if (s.code == code)
            return QString(QChar(s.sign));
    return QString(symbolChar(index));
}

int pixelsInFreeCell(const TextMask& m)
{
    int n = 0;
    for (int y = std::max(0, -m.dy); y < m.h && m.dy + y < kFreeCell; ++y)
        for (int x = std::max(0, -m.dx); x < m.w && m.dx + x < kFreeCell; ++x)
            n += m.coverage[std::size_t(y) * std::size_t(m.w) + std::size_t(x)] >= 128 ? 1 : 0;
    return n;
}

struct ChartText::Impl {
    QFont primary, fallback;
    bool symbols = false;
    QString key;

    // The text in the chosen font, or in the fallback font when the chosen one lacks a character
    // of it or draws it as nothing.
    TextMask render(const QString& text) const
    {
        const QImage probe = maskCanvas(1, 1);
        const bool visible = std::any_of(text.begin(), text.end(), [](QChar c) { return !c.isSpace(); });
        TextMask m;
        if (fontHasAll(QFontMetricsF(primary, &probe), text))
            m = renderMask(primary, text);
        if (visible && m.empty())
            m = renderMask(fallback, text);
        return m;
    }
};

ChartText::ChartText(const ChartFont& font, bool symbols)
    : d(std::make_unique<Impl>())
{
    d->primary = chartQFont(font.family, font);
    d->fallback = chartQFont(fallbackFontFamily(), font);
    d->symbols = symbols;
    d->key = QStringLiteral("%1|%2|%3|%4").arg(font.family).arg(font.pointSize).arg(font.bold).arg(symbols);
}

ChartText::~ChartText() = default;

const TextMask& ChartText::mask(const QString& text)
{
    QHash<QString, TextMask>& masks = sharedMasks(d->key);
    auto it = masks.constFind(text);
    if (it != masks.constEnd())
        return *it;
    TextMask m = d->render(text);
    const QChar sign = d->symbols ? standIn(text) : QChar();
    if (!sign.isNull() && pixelsInFreeCell(m) < kMinSymbolPixels)
        m = d->render(QString(sign));
    return *masks.insert(text, m);
}

double ChartText::draw(Surface& s, double x, double y, const QString& text, Long colour)
{
    if (text.isEmpty())
        return 0;
    const TextMask& m = mask(text);
    const int px = s.toPixelX(x) + m.dx, py = s.toPixelY(y) + m.dy;
    const QRgb c = rgbFromColour(colour);
    for (int my = 0; my < m.h; ++my) {
        const int ty = py + my;
        if (ty < 0 || ty >= s.pixelHeight())
            continue;
        QRgb* row = s.scanLine(ty);
        const unsigned char* cov = m.coverage.data() + std::size_t(my) * std::size_t(m.w);
        for (int mx = 0; mx < m.w; ++mx) {
            const int tx = px + mx, a = cov[mx];
            if (a == 0 || tx < 0 || tx >= s.pixelWidth())
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
