// "Símbolos claros": a symbol for every thread, from DejaVu Sans, no two alike.
#include "render/clear_symbols.h"

#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <QtTest>
#include <bitset>

namespace {
constexpr int kSide = 48;
using Look = std::bitset<kSide * kSide>;

// The text drawn at 32 pixels in DejaVu Sans, its ink centred in a 48 x 48 square.
Look lookAt32(const QString& text)
{
    QFont f(clearSymbolsFamily());
    f.setPixelSize(32);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
    QImage im(2 * kSide, 2 * kSide, QImage::Format_ARGB32_Premultiplied);
    im.fill(Qt::transparent);
    {
        QPainter p(&im);
        p.setFont(f);
        p.drawText(QPointF(kSide / 2, kSide), text);
    }
    int x0 = im.width(), y0 = im.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < im.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(im.constScanLine(y));
        for (int x = 0; x < im.width(); ++x)
            if (qAlpha(row[x]) >= 128)
                x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
    }
    Look look;
    const int ox = (kSide - (x1 - x0 + 1)) / 2 - x0, oy = (kSide - (y1 - y0 + 1)) / 2 - y0;
    for (int y = y0; y <= y1; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(im.constScanLine(y));
        for (int x = x0; x <= x1; ++x)
            if (qAlpha(row[x]) >= 128 && x + ox >= 0 && x + ox < kSide && y + oy >= 0 && y + oy < kSide)
                look.set(std::size_t((y + oy) * kSide + x + ox));
    }
    return look;
}
} // namespace

class TestClearSymbols : public QObject {
    Q_OBJECT
private slots:
    void oneSymbolPerThreadFromDejaVuSans();
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
        QVERIFY2(!s[0].isLetterOrNumber(), qPrintable(QStringLiteral("%1 is a letter or digit").arg(i)));
        QVERIFY2(font.supportsCharacter(s[0]), qPrintable(QStringLiteral("%1 is not in DejaVu Sans").arg(i)));
        QVERIFY(!seen.contains(s));
        seen.insert(s);
    }
    QVERIFY(clearSymbol(clearSymbolCount()).isEmpty());
    QVERIFY(clearSymbol(-1).isEmpty());
}

// Drawn at 32 pixels, every pair differs in more pixels than "l" and "1", the closest pair of
// ordinary text.
void TestClearSymbols::noTwoAlike()
{
    const std::size_t lookAlike = (lookAt32(QStringLiteral("l")) ^ lookAt32(QStringLiteral("1"))).count();
    QVERIFY(lookAlike > 20);
    std::vector<Look> looks;
    for (int i = 0; i < clearSymbolCount(); ++i)
        looks.push_back(lookAt32(clearSymbol(i)));
    for (std::size_t a = 0; a < looks.size(); ++a)
        for (std::size_t b = a + 1; b < looks.size(); ++b)
            if ((looks[a] ^ looks[b]).count() <= lookAlike)
                QFAIL(qPrintable(QStringLiteral("%1 (%2) looks like %3 (%4)")
                                     .arg(a)
                                     .arg(clearSymbol(int(a)))
                                     .arg(b)
                                     .arg(clearSymbol(int(b)))));
}

QTEST_MAIN(TestClearSymbols)
#include "tst_clear_symbols.moc"
