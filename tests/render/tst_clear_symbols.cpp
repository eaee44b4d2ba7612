// "Símbolos claros": a symbol for every thread, from DejaVu Sans, no two the same shape at another
// size, place or weight.
#include "render/clear_symbols.h"

#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <QtTest>
#include <bitset>

namespace {
constexpr int kFit = 32;
using Shape = std::bitset<kFit * kFit>;

// The text drawn large, its ink box scaled to fit 32 x 32 keeping its proportions, centred and
// binarised: the shape alone, whatever its size and place in the font.
Shape shapeOf(const QString& text)
{
    QFont f(clearSymbolsFamily());
    f.setPixelSize(128);
    f.setStyleStrategy(QFont::NoFontMerging);
    QImage im(384, 384, QImage::Format_ARGB32_Premultiplied);
    im.fill(Qt::transparent);
    {
        QPainter p(&im);
        p.setFont(f);
        p.drawText(QPointF(128, 256), text);
    }
    int x0 = im.width(), y0 = im.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < im.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(im.constScanLine(y));
        for (int x = 0; x < im.width(); ++x)
            if (qAlpha(row[x]) >= 128)
                x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
    }
    Shape shape;
    if (x1 < 0)
        return shape;
    const int w = x1 - x0 + 1, h = y1 - y0 + 1;
    const double s = double(kFit) / std::max(w, h);
    const int tw = std::max(1, int(std::lround(w * s))), th = std::max(1, int(std::lround(h * s)));
    const QImage fitted = im.copy(x0, y0, w, h).scaled(tw, th, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const int ox = (kFit - tw) / 2, oy = (kFit - th) / 2;
    for (int y = 0; y < th; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(fitted.constScanLine(y));
        for (int x = 0; x < tw; ++x)
            if (qAlpha(row[x]) >= 128)
                shape.set(std::size_t((y + oy) * kFit + x + ox));
    }
    return shape;
}

// Share of the cells where exactly one of the two shapes has ink.
double difference(const Shape& a, const Shape& b) { return double((a ^ b).count()) / (kFit * kFit); }
} // namespace

class TestClearSymbols : public QObject {
    Q_OBJECT
private slots:
    void oneSymbolPerThreadFromDejaVuSans();
    void shapeMeasure_data();
    void shapeMeasure();
    void noTwoAlike();
};

void TestClearSymbols::oneSymbolPerThreadFromDejaVuSans()
{
    QVERIFY(clearSymbolCount() >= 426);
    QFont f(clearSymbolsFamily());
    f.setPixelSize(32);
    const QRawFont font = QRawFont::fromFont(f);
    QSet<QString> seen;
    for (int i = 0; i < clearSymbolCount(); ++i) {
        const QString s = clearSymbol(i);
        QCOMPARE(s.size(), 1);
        // digits and capitals only where nothing else looks like them
        QVERIFY2(!s[0].isLetterOrNumber() || QStringLiteral("23456789ACDEFGHJKLMNPQRTUVWXY").contains(s),
            qPrintable(QStringLiteral("%1 (%2) is a letter or digit with a look-alike").arg(i).arg(s)));
        QVERIFY2(font.supportsCharacter(s[0]), qPrintable(QStringLiteral("%1 is not in DejaVu Sans").arg(i)));
        QVERIFY(!seen.contains(s));
        seen.insert(s);
    }
    QVERIFY(clearSymbol(clearSymbolCount()).isEmpty());
    QVERIFY(clearSymbol(-1).isEmpty());
}

void TestClearSymbols::shapeMeasure_data()
{
    QTest::addColumn<QString>("pair");
    QTest::addColumn<bool>("apart");
    // the measure itself: a size twin, a position twin and a weight-only change are caught
    QTest::newRow("black triangle and its small twin") << QStringLiteral("◀◂") << false;
    QTest::newRow("circle and its large twin") << QStringLiteral("●⬤") << false;
    QTest::newRow("upper and lower half block") << QStringLiteral("▀▄") << false;
    QTest::newRow("full block and seven eighths") << QStringLiteral("█▉") << false;
    QTest::newRow("E and F") << QStringLiteral("EF") << true;
}

void TestClearSymbols::shapeMeasure()
{
    QFETCH(QString, pair);
    QFETCH(bool, apart);
    QCOMPARE(difference(shapeOf(pair.left(1)), shapeOf(pair.mid(1))) >= 0.10, apart);
}

// The shapes scaled to one size: every pair of the first hundred symbols differs in at least 10 %
// of the cells, every pair of the whole set in at least 4 %.
void TestClearSymbols::noTwoAlike()
{
    std::vector<Shape> shapes;
    for (int i = 0; i < clearSymbolCount(); ++i)
        shapes.push_back(shapeOf(clearSymbol(i)));
    for (std::size_t a = 0; a < shapes.size(); ++a)
        for (std::size_t b = a + 1; b < shapes.size(); ++b) {
            const double least = b < 100 ? 0.10 : 0.04;
            const double d = difference(shapes[a], shapes[b]);
            if (d < least)
                QFAIL(qPrintable(QStringLiteral("%1 (%2) and %3 (%4) differ by %5")
                                     .arg(a)
                                     .arg(clearSymbol(int(a)))
                                     .arg(b)
                                     .arg(clearSymbol(int(b)))
                                     .arg(d)));
        }
}

QTEST_MAIN(TestClearSymbols)
#include "tst_clear_symbols.moc"
