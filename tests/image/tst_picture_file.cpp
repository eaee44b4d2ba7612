#include "image/picture_file.h"

#include <QBuffer>
#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

constexpr QRgb kRed = 0xffff0000;
constexpr QRgb kGreen = 0xff00ff00;
constexpr QRgb kBlue = 0xff0000ff;
constexpr QRgb kWhite = 0xffffffff;

struct Probe {
    QPoint at;
    QRgb colour;
};
using Probes = QList<Probe>;

QByteArray sample(const QString& name)
{
    QFile file(QStringLiteral(PUNTELA_SAMPLES_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing sample %s", qPrintable(name));
    return file.readAll();
}

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage filled(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

void put16(QByteArray& data, int at, quint16 value) { qToLittleEndian(value, data.data() + at); }

void put32(QByteArray& data, int at, quint32 value) { qToLittleEndian(value, data.data() + at); }

quint32 crc32(const QByteArray& bytes)
{
    quint32 crc = 0xffffffffu;
    for (const char c : bytes) {
        crc ^= uchar(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A PNG whose IHDR claims the given sides, with a valid checksum so only the size is wrong.
QByteArray pngClaiming(quint32 width, quint32 height)
{
    QByteArray png = encoded(filled(2, 2, kRed), "png");
    qToBigEndian(width, png.data() + 16);
    qToBigEndian(height, png.data() + 20);
    qToBigEndian(crc32(png.mid(12, 17)), png.data() + 29);
    return png;
}

// An ICO or CUR file from pictures already encoded (BMP bodies as Qt writes them, or PNG).
QByteArray iconFile(quint16 type, const QList<QPair<QSize, QByteArray>>& entries)
{
    QByteArray out;
    QDataStream stream(&out, QIODevice::WriteOnly);
    stream.setByteOrder(QDataStream::LittleEndian);
    stream << quint16(0) << type << quint16(entries.size());
    quint32 offset = 6 + 16 * entries.size();
    for (const auto& entry : entries) {
        stream << quint8(entry.first.width() & 255) << quint8(entry.first.height() & 255) << quint8(0) << quint8(0)
               << quint16(1) << quint16(32) << quint32(entry.second.size()) << offset;
        offset += entry.second.size();
    }
    for (const auto& entry : entries)
        out.append(entry.second);
    return out;
}

// The BMP body of a one-picture ICO written by Qt.
QByteArray iconBody(const QImage& image) { return encoded(image, "ico").mid(22); }

// An 8 x 4 bitmap icon of 4, 24 or 32 bits per pixel, its left half `left` and its right half
// `right` (alpha written only at 32 bits), the right half marked transparent in its 1-bit mask
// when `masked`.
QByteArray bitmapIcon(quint16 type, int bits, QRgb left, QRgb right, bool masked)
{
    const int w = 8, h = 4;
    QByteArray body(40, '\0');
    put32(body, 0, 40);
    put32(body, 4, w);
    put32(body, 8, 2 * h);
    put16(body, 12, 1);
    put16(body, 14, quint16(bits));
    const auto bgra = [](QRgb c) {
        const char bytes[4] = { char(qBlue(c)), char(qGreen(c)), char(qRed(c)), char(qAlpha(c)) };
        return QByteArray(bytes, 4);
    };
    if (bits == 4)
        body += bgra(left) + bgra(right) + QByteArray(14 * 4, '\0');
    for (int y = 0; y < h; ++y) {
        QByteArray row;
        for (int x = 0; x < w; ++x) {
            const QRgb c = x < w / 2 ? left : right;
            if (bits == 4 && x % 2 == 0)
                row += char(x < w / 2 ? 0x00 : 0x11);
            else if (bits != 4)
                row += bgra(c).left(bits / 8);
        }
        body += row.leftJustified((row.size() + 3) / 4 * 4, '\0');
    }
    for (int y = 0; y < h; ++y)
        body += QByteArray(1, char(masked ? 0x0f : 0x00)) + QByteArray(3, '\0');
    return iconFile(type, { { QSize(w, h), body } });
}

// A 24-bit BMP header of the given sides followed by `pixelBytes` zero bytes.
QByteArray bmp24(qint32 width, qint32 height, int pixelBytes)
{
    QByteArray data(54 + pixelBytes, '\0');
    data[0] = 'B';
    data[1] = 'M';
    put32(data, 2, data.size());
    put32(data, 10, 54);
    put32(data, 14, 40);
    put32(data, 18, quint32(width));
    put32(data, 22, quint32(height));
    put16(data, 26, 1);
    put16(data, 28, 24);
    return data;
}

// hand.wmf with its placeable header claiming the given extent at `unitsPerInch`.
QByteArray wmfClaiming(quint16 right, quint16 bottom, quint16 unitsPerInch)
{
    QByteArray wmf = sample("hand.wmf");
    put16(wmf, 10, right);
    put16(wmf, 12, bottom);
    put16(wmf, 14, unitsPerInch);
    quint16 checksum = 0;
    for (int at = 0; at < 20; at += 2)
        checksum ^= qFromLittleEndian<quint16>(wmf.constData() + at);
    put16(wmf, 20, checksum);
    return wmf;
}

// hand.emf with its frame (hundredths of a millimetre) set to the given corner.
QByteArray emfFrame(qint32 right, qint32 bottom)
{
    QByteArray emf = sample("hand.emf");
    put32(emf, 32, quint32(right));
    put32(emf, 36, quint32(bottom));
    return emf;
}

QByteArray randomBytes(int size, quint32 seed)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(size, '\0');
    for (char& c : bytes)
        c = char(generator.bounded(256));
    return bytes;
}

bool near(QRgb actual, QRgb expected, int tolerance)
{
    return qAbs(qRed(actual) - qRed(expected)) <= tolerance && qAbs(qGreen(actual) - qGreen(expected)) <= tolerance
        && qAbs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

QString hex(QRgb colour) { return QString::number(colour & 0xffffff, 16).rightJustified(6, QLatin1Char('0')); }

// What differs from the 16 x 8 test picture (green corner, red left half, blue right half);
// empty when nothing does.
QString baseMismatch(const QImage& image, int tolerance)
{
    if (image.size() != QSize(16, 8))
        return QStringLiteral("size %1 x %2").arg(image.width()).arg(image.height());
    const Probes probes { { { 0, 0 }, kGreen }, { { 2, 1 }, kRed }, { { 7, 7 }, kRed }, { { 8, 0 }, kBlue },
        { { 15, 7 }, kBlue } };
    for (const Probe& probe : probes) {
        if (!near(image.pixel(probe.at), probe.colour, tolerance))
            return QStringLiteral("(%1,%2) is %3").arg(probe.at.x()).arg(probe.at.y()).arg(hex(image.pixel(probe.at)));
    }
    return {};
}

} // namespace

class TestPictureFile : public QObject {
    Q_OBJECT

private slots:
    void samples_data();
    void samples();
    void metafiles_data();
    void metafiles();
    void contentNotName_data();
    void contentNotName();
    void transparency_data();
    void transparency();
    void transparentParts_data();
    void transparentParts();
    void largestIcon_data();
    void largestIcon();
    void sizeLimits_data();
    void sizeLimits();
    void brokenData_data();
    void brokenData();
    void brokenFiles_data();
    void brokenFiles();
    void fileErrors_data();
    void fileErrors();
    void faultyMetafiles_data();
    void faultyMetafiles();
    void glyphIndexTextAfterFallbackFonts();

private:
    QTemporaryDir m_dir;
};

void TestPictureFile::samples_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("tolerance");

    QTest::newRow("BMP 4-bit") << "base16x8.bmp" << 0;
    QTest::newRow("BMP OS/2 1.x") << "os2.bmp" << 0;
    QTest::newRow("BMP RLE8") << "rle8.bmp" << 0;
    QTest::newRow("BMP named .dib") << "bmp_named.dib" << 0;
    QTest::newRow("packed DIB") << "packed.dib" << 0;
    QTest::newRow("GIF") << "base16x8.gif" << 0;
    QTest::newRow("ICO") << "base16x8.ico" << 0;
    QTest::newRow("CUR") << "base16x8.cur" << 0;
    QTest::newRow("JPEG: lossy colours") << "base16x8.jpg" << 40;
}

void TestPictureFile::samples()
{
    QFETCH(QString, file);
    QFETCH(int, tolerance);

    const PictureResult result = loadPictureFile(QStringLiteral(PUNTELA_SAMPLES_DIR "/") + file);
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(result.image.format(), QImage::Format_RGB32);
    const QString mismatch = baseMismatch(result.image, tolerance);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void TestPictureFile::contentNotName_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("tolerance");

    QTest::newRow("BMP named .dib") << sample("base16x8.bmp") << "bmp.dib" << 0;
    QTest::newRow("BMP named .jpg") << sample("base16x8.bmp") << "bmp.jpg" << 0;
    QTest::newRow("packed DIB named .bmp") << sample("packed.dib") << "packed.bmp" << 0;
    QTest::newRow("JPEG named .bmp") << sample("base16x8.jpg") << "jpeg.bmp" << 40;
    QTest::newRow("GIF named .ico") << sample("base16x8.gif") << "gif.ico" << 0;
    QTest::newRow("ICO named .gif") << sample("base16x8.ico") << "ico.gif" << 0;
}

void TestPictureFile::contentNotName()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, name);
    QFETCH(int, tolerance);

    const QString path = m_dir.filePath(name);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
    file.close();
    const PictureResult result = loadPictureFile(path);
    QVERIFY2(result.ok(), qPrintable(result.error));
    const QString mismatch = baseMismatch(result.image, tolerance);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void TestPictureFile::transparency_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QRgb>("expected");

    QTest::newRow("PNG fully transparent shows white") << encoded(filled(6, 4, 0x00000000), "png") << kWhite;
    QTest::newRow("PNG transparent red shows white") << encoded(filled(6, 4, 0x00ff0000), "png") << kWhite;
    QTest::newRow("PNG half-transparent blue is blended on white")
        << encoded(filled(6, 4, 0x800000ff), "png") << qRgb(127, 127, 255);
    QTest::newRow("PNG opaque green stays green") << encoded(filled(6, 4, kGreen), "png") << kGreen;
    QTest::newRow("ICO with alpha shows white") << encoded(filled(16, 16, 0x00000000), "ico") << kWhite;
}

void TestPictureFile::transparency()
{
    QFETCH(QByteArray, data);
    QFETCH(QRgb, expected);

    const PictureResult result = decodePicture(data, QStringLiteral("alpha"));
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(result.image.format(), QImage::Format_RGB32);
    const QRgb centre = result.image.pixel(result.image.width() / 2, result.image.height() / 2);
    QVERIFY2(near(centre, expected, 2), qPrintable(hex(centre)));
}

void TestPictureFile::transparentParts_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QRgb>("left");
    QTest::addColumn<QRgb>("right");

    const QRgb black = 0xff000000, clear = 0x00000000;
    QTest::newRow("ICO, 24 bits, 1-bit mask") << bitmapIcon(1, 24, kRed, black, true) << kRed << kWhite;
    QTest::newRow("CUR, 24 bits, 1-bit mask") << bitmapIcon(2, 24, kRed, black, true) << kRed << kWhite;
    QTest::newRow("ICO, 16 colours, 1-bit mask") << bitmapIcon(1, 4, kRed, black, true) << kRed << kWhite;
    QTest::newRow("ICO, 24 bits, black not masked stays black")
        << bitmapIcon(1, 24, kRed, black, false) << kRed << black;
    QTest::newRow("ICO, 32 bits, transparent alpha shows white")
        << bitmapIcon(1, 32, kRed, 0x000000ff, false) << kRed << kWhite;
    QTest::newRow("ICO, 32 bits with alpha: the mask is not used")
        << bitmapIcon(1, 32, kRed, kBlue, true) << kRed << kBlue;
    QTest::newRow("ICO, 32 bits, empty alpha: colours and mask count")
        << bitmapIcon(1, 32, kRed & 0xffffff, clear, true) << kRed << kWhite;
    // made with ImageMagick: 8 x 4, left half red, right half transparent
    QTest::newRow("GIF with a transparent colour") << sample("transparent.gif") << kRed << kWhite;
    QTest::newRow("BMP, 32 bits with alpha") << sample("transparent32.bmp") << kRed << kWhite;
}

void TestPictureFile::transparentParts()
{
    QFETCH(QByteArray, data);
    QFETCH(QRgb, left);
    QFETCH(QRgb, right);

    const PictureResult result = decodePicture(data, QStringLiteral("transparente"));
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(result.image.size(), QSize(8, 4));
    QCOMPARE(result.image.format(), QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y) {
        QCOMPARE(hex(result.image.pixel(1, y)), hex(left));
        QCOMPARE(hex(result.image.pixel(6, y)), hex(right));
    }
}

void TestPictureFile::largestIcon_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRgb>("colour");

    const QPair<QSize, QByteArray> small { QSize(16, 16), iconBody(filled(16, 16, kRed)) };
    const QPair<QSize, QByteArray> wide { QSize(48, 32), iconBody(filled(48, 32, kBlue)) };
    const QPair<QSize, QByteArray> png { QSize(64, 64), encoded(filled(64, 64, kGreen), "png") };
    // A PNG entry of 300 pixels cannot say so in the directory, which holds one byte per side.
    const QPair<QSize, QByteArray> bigPng { QSize(0, 0), encoded(filled(300, 280, kBlue), "png") };

    QTest::newRow("largest in the middle") << iconFile(1, { small, wide, small }) << QSize(48, 32) << kBlue;
    QTest::newRow("largest first") << iconFile(1, { wide, small }) << QSize(48, 32) << kBlue;
    QTest::newRow("largest is a PNG entry") << iconFile(1, { small, wide, png }) << QSize(64, 64) << kGreen;
    QTest::newRow("PNG entry sized by its own header")
        << iconFile(1, { png, bigPng, wide }) << QSize(300, 280) << kBlue;
    QTest::newRow("cursor file") << iconFile(2, { small, wide }) << QSize(48, 32) << kBlue;
}

void TestPictureFile::largestIcon()
{
    QFETCH(QByteArray, data);
    QFETCH(QSize, size);
    QFETCH(QRgb, colour);

    const PictureResult result = decodePicture(data, QStringLiteral("icons"));
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(result.image.size(), size);
    QCOMPARE(result.image.pixel(size.width() / 2, size.height() / 2), colour);
}

void TestPictureFile::sizeLimits_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QSize>("size");

    QTest::newRow("6000 x 6000 JPEG photo") << encoded(filled(6000, 6000, kGreen), "jpeg") << QSize(6000, 6000);
    QTest::newRow("BMP at the side limit") << bmp24(kMaxPictureSide, 1, 60000) << QSize(kMaxPictureSide, 1);
    QTest::newRow("BMP stored top row first") << bmp24(3, -2, 24) << QSize(3, 2);
}

void TestPictureFile::sizeLimits()
{
    QFETCH(QByteArray, data);
    QFETCH(QSize, size);

    const PictureResult result = decodePicture(data, QStringLiteral("big"));
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(result.image.size(), size);
}

void TestPictureFile::metafiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");

    // A red 60 x 40 box at (20,5) on a white 100 x 50 field.
    QTest::newRow("placeable WMF") << "hand.wmf" << QSize(100, 50);
    QTest::newRow("EMF: frame at 96 dpi") << "hand.emf" << QSize(100, 50);
    // Without the placeable header the metafile has no physical size: libwmf picks one.
    QTest::newRow("plain WMF") << "hand_noplaceable.wmf" << QSize();
}

void TestPictureFile::metafiles()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);

    const PictureResult result = loadPictureFile(QStringLiteral(PUNTELA_SAMPLES_DIR "/") + file);
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(result.image.format(), QImage::Format_RGB32);
    const QImage& image = result.image;
    if (size.isValid()) {
        QCOMPARE(image.size(), size);
    } else {
        QVERIFY2(image.width() >= 100 && image.width() <= 200, qPrintable(QString::number(image.width())));
        QVERIFY(qAbs(image.width() - 2 * image.height()) <= 2);
    }
    // Points of the 100 x 50 drawing, kept two pixels away from every edge of the box.
    const Probes probes { { { 50, 25 }, kRed }, { { 23, 8 }, kRed }, { { 77, 42 }, kRed }, { { 23, 42 }, kRed },
        { { 2, 2 }, kWhite }, { { 97, 47 }, kWhite }, { { 17, 25 }, kWhite }, { { 84, 25 }, kWhite },
        { { 50, 2 }, kWhite }, { { 50, 48 }, kWhite } };
    for (const Probe& probe : probes) {
        const QPoint at(probe.at.x() * image.width() / 100, probe.at.y() * image.height() / 50);
        QVERIFY2(image.pixel(at) == probe.colour,
            qPrintable(QStringLiteral("(%1,%2) is %3").arg(at.x()).arg(at.y()).arg(hex(image.pixel(at)))));
    }
}

void TestPictureFile::brokenData_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("reason");

    const QString damaged = QStringLiteral("el archivo está dañado o no es una imagen.");
    const QString huge = QStringLiteral("la imagen es demasiado grande (100000 x 100000 puntos).");
    const QStringList files { "base16x8.bmp", "os2.bmp", "rle8.bmp", "bmp_named.dib", "packed.dib", "base16x8.gif",
        "base16x8.ico", "base16x8.cur", "base16x8.jpg", "hand.wmf", "hand_noplaceable.wmf", "hand.emf" };
    for (const QString& file : files) {
        const QByteArray data = sample(file);
        QTest::addRow("%s cut to 4 bytes", qPrintable(file)) << data.left(4) << damaged;
        QTest::addRow("%s cut to half", qPrintable(file)) << data.left(data.size() / 2) << damaged;
        QTest::addRow("%s without its last 4 bytes", qPrintable(file)) << data.chopped(4) << damaged;
    }
    const QByteArray png = encoded(filled(20, 10, kRed), "png");
    QTest::newRow("PNG cut to half") << png.left(png.size() / 2) << damaged;
    QImage noise(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, QRandomGenerator(x * 64 + y).generate());
    const QByteArray jpeg = encoded(noise, "jpeg");
    QTest::newRow("JPEG cut inside the scan") << jpeg.left(jpeg.size() * 7 / 10) << damaged;

    QByteArray bmp = sample("base16x8.bmp");
    put32(bmp, 18, 100000);
    put32(bmp, 22, 100000);
    QTest::newRow("BMP claiming 100000 x 100000") << bmp << huge;
    put32(bmp, 22, quint32(-100000));
    QTest::newRow("top-first BMP claiming 100000 x 100000") << bmp << huge;
    QTest::newRow("BMP over the pixel total")
        << bmp24(11000, 11000, 0) << "la imagen es demasiado grande (11000 x 11000 puntos).";
    QTest::newRow("BMP one pixel over the side limit")
        << bmp24(kMaxPictureSide + 1, 1, 60004) << "la imagen es demasiado grande (20001 x 1 puntos).";
    bmp = sample("base16x8.bmp");
    put32(bmp, 18, 0);
    QTest::newRow("BMP zero wide") << bmp << "la imagen no tiene un tamaño válido (0 x 8 puntos).";
    put32(bmp, 18, quint32(-16));
    QTest::newRow("BMP of negative width") << bmp << "la imagen no tiene un tamaño válido (-16 x 8 puntos).";
    QByteArray os2 = sample("os2.bmp");
    put16(os2, 20, 0);
    QTest::newRow("OS/2 BMP zero high") << os2 << "la imagen no tiene un tamaño válido (16 x 0 puntos).";
    QByteArray dib = sample("packed.dib");
    put32(dib, 4, 100000);
    put32(dib, 8, 100000);
    QTest::newRow("packed DIB claiming 100000 x 100000") << dib << huge;
    QTest::newRow("PNG claiming 100000 x 100000") << pngClaiming(100000, 100000) << huge;
    QByteArray gif = sample("base16x8.gif");
    put16(gif, 6, 65535);
    put16(gif, 8, 65535);
    QTest::newRow("GIF screen of 65535 x 65535") << gif << "la imagen es demasiado grande (65535 x 65535 puntos).";
    QTest::newRow("ICO with a PNG entry claiming 100000 x 100000") << iconFile(
        1, { { QSize(16, 16), iconBody(filled(16, 16, kRed)) }, { QSize(0, 0), pngClaiming(100000, 100000) } })
                                                                   << huge;
    QByteArray jpegFrame = sample("base16x8.jpg");
    const int sof = jpegFrame.indexOf("\xff\xc0");
    QVERIFY(sof > 0);
    qToBigEndian<quint16>(30000, jpegFrame.data() + sof + 5);
    qToBigEndian<quint16>(30000, jpegFrame.data() + sof + 7);
    QTest::newRow("JPEG frame of 30000 x 30000")
        << jpegFrame << "la imagen es demasiado grande (30000 x 30000 puntos).";
    // 25000 units at 24 units per inch make 100000 pixels at 96 dpi.
    QTest::newRow("WMF claiming 100000 x 100000") << wmfClaiming(25000, 25000, 24) << huge;
    QTest::newRow("WMF of zero units per inch")
        << wmfClaiming(100, 50, 0) << "la imagen no tiene un tamaño válido (0 x 0 puntos).";
    // 2645833 hundredths of a millimetre make 100000 pixels at 96 dpi.
    QTest::newRow("EMF claiming 100000 x 100000") << emfFrame(2645833, 2645833) << huge;
    QTest::newRow("EMF with an empty frame") << emfFrame(0, 0) << "la imagen no tiene un tamaño válido (0 x 0 puntos).";

    const QByteArray noiseTail = randomBytes(4000, 7);
    QTest::newRow("BMP header with pixels cut short") << sample("base16x8.bmp").left(210) << damaged;
    QTest::newRow("placeable WMF header, random records") << sample("hand.wmf").left(22) + noiseTail << damaged;
    QTest::newRow("plain WMF header, random records") << sample("hand_noplaceable.wmf").left(18) + noiseTail << damaged;
    QTest::newRow("WMF without its end record") << sample("hand.wmf").chopped(6) << damaged;
    QByteArray wmfRecord = sample("hand_noplaceable.wmf");
    put32(wmfRecord, 18, 0x10000);
    QTest::newRow("WMF record longer than the file") << wmfRecord << damaged;
    QTest::newRow("EMF header, random records") << sample("hand.emf").left(88) + noiseTail << damaged;
    QTest::newRow("EMF without its end record") << sample("hand.emf").chopped(20) << damaged;
    QByteArray longRecord = sample("hand.emf");
    put32(longRecord, 88 + 4, 0x7ffffff0);
    QTest::newRow("EMF record longer than the file") << longRecord << damaged;

    QTest::newRow("SVG drawing") << QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"8\" height=\"8\">"
                                               "<rect width=\"8\" height=\"8\" fill=\"red\"/></svg>")
                                 << damaged;
    QTest::newRow("XPM picture") << QByteArray(
        "/* XPM */\nstatic char *x[] = {\"2 1 1 1\", \"a c #ff0000\", \"aa\"};\n")
                                 << damaged;
    QTest::newRow("PBM picture") << QByteArray("P1\n2 2\n0 1 1 0\n") << damaged;
    QTest::newRow("plain text") << QByteArray("Hola, esto no es una imagen.\n") << damaged;
    QTest::newRow("empty") << QByteArray() << "el archivo está vacío.";
    QTest::newRow("random bytes") << randomBytes(3000, 1) << damaged;
    QTest::newRow("random after a BMP signature") << QByteArray("BM") + randomBytes(3000, 2) << damaged;
    QTest::newRow("random after a JPEG signature") << QByteArray("\xff\xd8\xff") + randomBytes(3000, 3) << damaged;
    QTest::newRow("random after a GIF signature") << QByteArray("GIF89a") + randomBytes(3000, 4) << damaged;
    QTest::newRow("random after a PNG signature") << QByteArray("\x89PNG\r\n\x1a\n") + randomBytes(3000, 5) << damaged;
    QTest::newRow("random after an ICO directory start") << QByteArray("\0\0\1\0", 4) + randomBytes(3000, 6) << damaged;
}

void TestPictureFile::brokenData()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, reason);

    QElapsedTimer clock;
    clock.start();
    const PictureResult result = decodePicture(data, QStringLiteral("roto.img"));
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!result.ok());
    QVERIFY(result.image.isNull());
    QVERIFY2(
        result.error.startsWith(QStringLiteral("No se puede leer la imagen \"roto.img\": ")), qPrintable(result.error));
    QVERIFY2(result.error.endsWith(reason), qPrintable(result.error));
}

void TestPictureFile::brokenFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("data");

    quint32 seed = 100;
    for (const char* suffix : { "bmp", "dib", "jpg", "gif", "ico", "cur", "wmf", "emf", "png" })
        QTest::addRow("random bytes named .%s", suffix)
            << QStringLiteral("ruido.%1").arg(suffix) << randomBytes(5000, ++seed);
    QTest::newRow("text named .bmp") << "nota.bmp" << QByteArray("no soy una imagen\n");
    QTest::newRow("EMF cut to half named .wmf") << "mitad.wmf" << sample("hand.emf").left(120);
}

void TestPictureFile::brokenFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, data);

    const QString path = m_dir.filePath(name);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
    file.close();
    QElapsedTimer clock;
    clock.start();
    const PictureResult result = loadPictureFile(path);
    QVERIFY(clock.elapsed() < 3000);
    QVERIFY(result.image.isNull());
    QCOMPARE(result.error,
        QStringLiteral("No se puede leer la imagen \"%1\": el archivo está dañado o no es una imagen.").arg(name));
}

void TestPictureFile::fileErrors_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QString>("error");

    // A size of -1 leaves the name unused, -2 makes it a folder; otherwise a file of that size.
    QTest::newRow("missing file") << "falta.bmp" << qint64(-1) << "No se puede abrir el archivo \"falta.bmp\".";
    QTest::newRow("folder named like a picture")
        << "carpeta.bmp" << qint64(-2) << "No se puede abrir el archivo \"carpeta.bmp\".";
    QTest::newRow("empty file") << "vacio.gif" << qint64(0)
                                << "No se puede leer la imagen \"vacio.gif\": el archivo está vacío.";
    QTest::newRow("file over 256 MB") << "enorme.bmp"
                                      << kMaxPictureFileBytes
            + 1 << "No se puede leer la imagen \"enorme.bmp\": el archivo es demasiado grande (257 MB).";
}

void TestPictureFile::fileErrors()
{
    QFETCH(QString, name);
    QFETCH(qint64, size);
    QFETCH(QString, error);

    const QString path = m_dir.filePath(name);
    if (size == -2) {
        QVERIFY(QDir(m_dir.path()).mkpath(name));
    } else if (size >= 0) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        // Resizing leaves a sparse file: the big case costs no disk.
        QVERIFY(file.resize(size));
    }
    const PictureResult result = loadPictureFile(path);
    QVERIFY(result.image.isNull());
    QCOMPARE(result.error, error);
}

// Metafiles rebuilt from files that once froze or ended the program (tests/data/mkfaults.py).
void TestPictureFile::faultyMetafiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size"); // empty when refused

    QTest::newRow("WMF whose largest record asks for 4 GB") << "big_record.wmf" << QSize();
    QTest::newRow("WMF bitmap claiming 60000 x 60000 in 16 bytes") << "big_bitmap.wmf" << QSize();
    // found by fuzzing: libwmf plays on past an end record longer than three words
    QTest::newRow("WMF with a long end record before a huge bitmap") << "fuzz_long_end_record.wmf" << QSize();
    // 10944 x 10464 scaled down to 16 megapixels, in proportion
    QTest::newRow("WMF asking for 10944 x 10464") << "huge.wmf" << QSize(4090, 3911);
}

void TestPictureFile::faultyMetafiles()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);

    QElapsedTimer clock;
    clock.start();
    const PictureResult result = decodePicture(sample(file), file);
    QVERIFY2(clock.elapsed() < 8000, qPrintable(QString::number(clock.elapsed())));
    if (size.isEmpty()) {
        QCOMPARE(result.error,
            QStringLiteral("No se puede leer la imagen \"%1\": el archivo está dañado o no es una imagen.").arg(file));
        return;
    }
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(result.image.size(), size);
    QCOMPARE(result.image.pixel(size.width() / 2, size.height() / 2), kRed);
}

// Glyph-index text sent libemf2svg to fontconfig, whose clean-up aborts the program once Qt
// has loaded fallback fonts; the text is blanked instead and the picture drawn without it.
void TestPictureFile::glyphIndexTextAfterFallbackFonts()
{
    QImage scratch(200, 40, QImage::Format_RGB32);
    {
        QPainter painter(&scratch);
        painter.drawText(5, 30, QStringLiteral("日本 ελληνικά"));
    }
    const PictureResult result = decodePicture(sample("glyph_index.emf"), QStringLiteral("glyph_index.emf"));
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(result.image.size(), QSize(100, 50));
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x)
            QCOMPARE(result.image.pixel(x, y), kWhite);
}

QTEST_MAIN(TestPictureFile)
#include "tst_picture_file.moc"
