// The pictures and pages that output writes: the one-pixel-per-stitch picture, BMP files with
// their failures, and chart pages placed on paper and printed to PDF.
#include "app/printer_qt.h"
#include "output/bmp_file.h"
#include "output/page_placement.h"
#include "output/stitch_picture.h"
#include "surface/colour_rgb.h"
#include "test_support.h"

#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QImage filled(int w, int h, QRgb colour)
{
    QImage im(w, h, QImage::Format_RGB32);
    im.fill(colour);
    return im;
}
} // namespace

class TestOutputFiles : public QObject {
    Q_OBJECT
private slots:
    void stitchPictureHasOnePixelPerStitch()
    {
        WorkState st;
        st.ancho_puntos = 120;
        st.alto_puntos = 80;
        for (int j = 0; j < 80; ++j)
            for (int i = 0; i < 120; ++i)
                st.puntos(i, j) = RGB(i * 2, j * 3, (i + j) % 256);
        st.puntos(120, 0) = RGB(1, 2, 3); // outside the pattern: must not show
        const QImage im = stitchPicture(st);
        QCOMPARE(im.size(), QSize(120, 80));
        QCOMPARE(colourFromRgb(im.pixel(0, 0)), RGB(0, 0, 0));
        QCOMPARE(colourFromRgb(im.pixel(119, 0)), RGB(238, 0, 119));
        QCOMPARE(colourFromRgb(im.pixel(7, 79)), RGB(14, 237, 86));
        QCOMPARE(colourFromRgb(im.pixel(119, 79)), RGB(238, 237, 198));
    }

    void stitchPictureOfNoPatternIsEmpty()
    {
        WorkState st;
        QVERIFY(stitchPicture(st).isNull());
    }

    void bmpKeepsEveryPixel()
    {
        QTemporaryDir dir;
        QImage im = filled(5, 3, qRgb(255, 255, 255));
        im.setPixel(4, 2, qRgb(12, 34, 56));
        const QString path = dir.filePath(QStringLiteral("a.bmp"));
        QCOMPARE(writeBmp(im, path), QString());
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("bmp"));
        const QImage back = reader.read();
        QCOMPARE(back.size(), QSize(5, 3));
        QCOMPARE(back.pixel(4, 2), qRgb(12, 34, 56));
        QCOMPARE(back.dotsPerMeterX(), 3780);
    }

    void bmpFailureNamesTheFile_data()
    {
        QTest::addColumn<QString>("under");
        QTest::newRow("folder below a regular file") << "file/sub";
        QTest::newRow("folder that does not exist") << "missing";
    }
    void bmpFailureNamesTheFile()
    {
        QFETCH(QString, under);
        QTemporaryDir dir;
        QFile plain(dir.filePath(QStringLiteral("file")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        const QString path = dir.filePath(under + QStringLiteral("/bordado_i.bmp"));
        const QString message = writeBmp(filled(4, 4, qRgb(0, 0, 0)), path);
        QVERIFY2(message.contains(path), qPrintable(message));
        QVERIFY(message.startsWith(QStringLiteral("No se ha podido guardar")));
        QVERIFY(!QFileInfo::exists(path));
    }

    void sheetSizeInMillimetres()
    {
        const QSizeF mm = sheetSizeMm(QSize(96, 192));
        QCOMPARE(mm.width(), 25.4);
        QCOMPARE(mm.height(), 50.8);
    }

    void pagePlacement_data()
    {
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<QSizeF>("printableMm");
        QTest::addColumn<double>("dpi");
        QTest::addColumn<QRectF>("target");
        QTest::newRow("centred at 96 dpi, not scaled")
            << QSize(96, 96) << QSizeF(76.2, 101.6) << 96.0 << QRectF(96, 144, 96, 96);
        QTest::newRow("printer at 600 dpi: same physical size")
            << QSize(96, 96) << QSizeF(76.2, 101.6) << 600.0 << QRectF(600, 900, 600, 600);
        QTest::newRow("larger than the paper: negative offsets, cut evenly")
            << QSize(384, 96) << QSizeF(50.8, 25.4) << 96.0 << QRectF(-96, 0, 384, 96);
    }
    void pagePlacement()
    {
        QFETCH(QSize, pixels);
        QFETCH(QSizeF, printableMm);
        QFETCH(double, dpi);
        QFETCH(QRectF, target);
        const QRectF got = pageTarget(pixels, printableMm, dpi);
        QVERIFY2(std::abs(got.x() - target.x()) < 1e-6 && std::abs(got.y() - target.y()) < 1e-6,
            qPrintable(QStringLiteral("%1,%2").arg(got.x()).arg(got.y())));
        QVERIFY(std::abs(got.width() - target.width()) < 1e-6 && std::abs(got.height() - target.height()) < 1e-6);
    }

    void pdfHasOnePagePerImage()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("p.pdf"));
        const std::vector<QImage> pages(3, filled(685, 1030, qRgb(200, 0, 0)));
        QCOMPARE(printPagesToPdf(pages, pdf), QString());
        QCOMPARE(pdfPages(pdf), 3);
    }

    void pdfPageIsCentredAtScreenSize()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("p.pdf"));
        QCOMPARE(printPagesToPdf({ filled(300, 200, qRgb(0, 0, 0)) }, pdf), QString());
        QProcess p;
        p.start(QStringLiteral("pdftoppm"),
            { QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("96"), pdf,
                dir.filePath(QStringLiteral("page")) });
        QVERIFY(p.waitForFinished(20000));
        const QImage page(dir.filePath(QStringLiteral("page-1.png")));
        QVERIFY(!page.isNull());
        int left = page.width(), right = -1, top = page.height(), bottom = -1;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (qGray(page.pixel(x, y)) < 128) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        // 300 x 200 pixels at 96 to the inch stay 300 x 200 at 96 dpi, in the middle of the page
        QVERIFY2(std::abs(right - left + 1 - 300) <= 1 && std::abs(bottom - top + 1 - 200) <= 1,
            qPrintable(QStringLiteral("%1 x %2").arg(right - left + 1).arg(bottom - top + 1)));
        QVERIFY(std::abs((left + right) - (page.width() - 1)) <= 3);
        QVERIFY(std::abs((top + bottom) - (page.height() - 1)) <= 3);
    }

    void unwritablePdfIsReported()
    {
        QTemporaryDir dir;
        QFile plain(dir.filePath(QStringLiteral("file")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        const QString pdf = dir.filePath(QStringLiteral("file/sub/p.pdf"));
        const QString message = printPagesToPdf({ filled(10, 10, qRgb(0, 0, 0)) }, pdf);
        QVERIFY2(message.startsWith(QStringLiteral("No se puede imprimir")), qPrintable(message));
        QVERIFY(message.contains(pdf));
    }
};

QTEST_MAIN(TestOutputFiles)
#include "tst_output_files.moc"
