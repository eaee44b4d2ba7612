#include "image/picture_file.h"

#include "image/icon_mask.h"
#include "image/metafile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>

#include <new>

namespace {

// Qt refuses pictures over 128 MB by default; the largest picture taken needs under 1 GB
// even at 64 bits per pixel.
constexpr int kAllocationLimitMegabytes = 1024;
constexpr qint64 kBmpFileHeaderBytes = 14;

// Sides declared by a header, read before any pixel is decoded.
struct Dims {
    qint64 width = 0;
    qint64 height = 0;
};

uchar byteAt(const QByteArray& data, qint64 at) { return uchar(data.at(at)); }

// The header of a device-independent bitmap, as far as size and layout go.
struct DibHeader {
    bool valid = false;
    quint32 headerSize = 0;
    Dims dims;
    int bits = 0;
    quint32 compression = 0;
    quint32 colours = 0;
};

// Reads the bitmap header starting at `at`: OS/2 1.x (12 bytes, 16-bit sides) or any later
// layout (32-bit sides; a negative height marks rows stored top first).
DibHeader readDibHeader(const QByteArray& data, qint64 at)
{
    DibHeader header;
    if (data.size() < at + 16)
        return header;
    header.headerSize = leDword(data, at);
    if (header.headerSize == 12) {
        header.dims = { leWord(data, at + 4), leWord(data, at + 6) };
        header.bits = leWord(data, at + 10);
    } else if (header.headerSize >= 16 && header.headerSize <= 256
        && data.size() >= at + qMin<qint64>(header.headerSize, 40)) {
        header.dims = { qint32(leDword(data, at + 4)), qAbs(qint64(qint32(leDword(data, at + 8)))) };
        header.bits = leWord(data, at + 14);
        header.compression = header.headerSize >= 20 ? leDword(data, at + 16) : 0;
        header.colours = header.headerSize >= 36 ? leDword(data, at + 32) : 0;
    } else {
        return header;
    }
    header.valid = true;
    return header;
}

// Where the pixels begin: at the file header's offset, or in a packed bitmap right after
// its header, colour masks and colour table.
qint64 dibPixelStart(const QByteArray& data, const DibHeader& header, bool packed)
{
    if (!packed)
        return data.size() >= kBmpFileHeaderBytes ? leDword(data, 10) : data.size();
    qint64 start = header.headerSize;
    if (header.headerSize == 40 && (header.compression == 3 || header.compression == 6))
        start += header.compression == 3 ? 12 : 16; // colour masks
    const qint64 colours = header.colours ? header.colours : header.bits <= 8 ? qint64(1) << header.bits : 0;
    return start + colours * (header.headerSize == 12 ? 3 : 4);
}

// True when RLE8/RLE4 data from `at` reaches its end-of-bitmap code or covers every row.
bool rleComplete(const QByteArray& data, qint64 at, qint64 rows, bool eightBit)
{
    qint64 row = 0;
    while (at + 1 < data.size()) {
        const uchar count = byteAt(data, at);
        const uchar code = byteAt(data, at + 1);
        at += 2;
        if (count != 0)
            continue;
        if ((code == 0 && ++row >= rows) || code == 1)
            return true;
        if (code == 2) {
            if (at + 2 > data.size())
                return false;
            row += byteAt(data, at + 1);
            at += 2;
            if (row >= rows)
                return true;
        } else if (code > 2) {
            const qint64 bytes = eightBit ? code : (code + 1) / 2;
            at += bytes + (bytes & 1);
        }
    }
    return false;
}

// True when the bitmap's pixel data is all there: Qt would show a cut-off bitmap as a
// partly black picture instead of refusing it.
bool dibComplete(const QByteArray& data, const DibHeader& header, bool packed)
{
    const qint64 start = dibPixelStart(data, header, packed);
    const qint64 width = header.dims.width;
    switch (header.compression) {
    case 0:
    case 3:
    case 6: {
        if (header.bits <= 0 || header.bits > 64)
            return true;
        const qint64 stride = (width * header.bits + 31) / 32 * 4;
        // Some writers leave out the padding of the last row.
        return data.size() >= start + stride * (header.dims.height - 1) + (width * header.bits + 7) / 8;
    }
    case 1:
        return rleComplete(data, start, header.dims.height, true);
    case 2:
        return rleComplete(data, start, header.dims.height, false);
    default:
        return true;
    }
}

// Moves past the entropy-coded data of a JPEG scan to the next marker (stuffed FF 00 and
// restart markers belong to the data).
qint64 skipJpegScan(const QByteArray& data, qint64 at)
{
    for (; at + 1 < data.size(); ++at) {
        const uchar next = byteAt(data, at + 1);
        if (byteAt(data, at) == 0xFF && next != 0 && !(next >= 0xD0 && next <= 0xD7))
            return at;
    }
    return data.size();
}

// True when the JPEG segments lead to the end-of-image marker; libjpeg would fill a cut-off
// file with grey and still call it a picture.
bool jpegComplete(const QByteArray& data)
{
    qint64 at = 2;
    while (at + 1 < data.size()) {
        const uchar marker = byteAt(data, at + 1);
        // Fill bytes, and stray bytes between segments, which libjpeg skips as well.
        if (byteAt(data, at) != 0xFF || marker == 0xFF) {
            ++at;
            continue;
        }
        at += 2;
        if (marker == 0xD9)
            return true;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8))
            continue;
        if (at + 2 > data.size())
            return false;
        const qint64 length = qFromBigEndian<quint16>(data.constData() + at);
        if (length < 2)
            return false;
        at += length;
        if (marker == 0xDA)
            at = skipJpegScan(data, at);
    }
    return false;
}

// Moves past a chain of GIF sub-blocks; false when the data ends inside it.
bool skipGifBlocks(const QByteArray& data, qint64& at)
{
    while (at < data.size()) {
        const uchar length = byteAt(data, at++);
        if (length == 0)
            return true;
        at += length;
    }
    return false;
}

// True when the first frame of a GIF is all there (Qt shows a cut-off frame half drawn).
bool gifFirstFrameComplete(const QByteArray& data)
{
    if (data.size() < 13)
        return false;
    const uchar screenFlags = byteAt(data, 10);
    qint64 at = 13 + ((screenFlags & 0x80) ? 3 << ((screenFlags & 7) + 1) : 0);
    while (at < data.size()) {
        const uchar block = byteAt(data, at++);
        if (block == 0x21) {
            if (++at > data.size() || !skipGifBlocks(data, at))
                return false;
        } else if (block == 0x2C) {
            if (at + 9 > data.size())
                return false;
            const uchar frameFlags = byteAt(data, at + 8);
            at += 9 + ((frameFlags & 0x80) ? 3 << ((frameFlags & 7) + 1) : 0) + 1;
            return skipGifBlocks(data, at);
        } else {
            return false;
        }
    }
    return false;
}

// The sides in a PNG's IHDR chunk, the PNG starting at `at`; false when it has none.
bool pngDims(const QByteArray& data, qint64 at, Dims& dims)
{
    if (data.size() < at + 24 || data.mid(at, 8) != "\x89PNG\r\n\x1a\n" || data.mid(at + 12, 4) != "IHDR")
        return false;
    dims = { qFromBigEndian<quint32>(data.constData() + at + 16), qFromBigEndian<quint32>(data.constData() + at + 20) };
    return true;
}

// Index of the largest picture of an ICO or CUR directory (more colours first among equals)
// and its sides; -1 when the directory is cut short.
int largestIcon(const QByteArray& data, Dims& dims)
{
    const int count = data.size() >= 6 ? leWord(data, 4) : 0;
    if (count == 0 || data.size() < 6 + 16LL * count)
        return -1;
    int best = -1;
    int bestBits = -1;
    for (int i = 0; i < count; ++i) {
        const qint64 entry = 6 + 16LL * i;
        // A side of 0 in the directory stands for 256.
        Dims entryDims { byteAt(data, entry) ? byteAt(data, entry) : 256,
            byteAt(data, entry + 1) ? byteAt(data, entry + 1) : 256 };
        pngDims(data, leDword(data, entry + 12), entryDims);
        const int bits = leWord(data, entry + 6);
        const qint64 area = entryDims.width * entryDims.height;
        if (best < 0 || area > dims.width * dims.height || (area == dims.width * dims.height && bits > bestBits)) {
            best = i;
            bestBits = bits;
            dims = entryDims;
        }
    }
    return best;
}

// The sides the headers of a BMP, packed DIB, PNG or GIF declare; false when the header is
// unreadable or the format keeps its size where only QImageReader looks.
bool headerDims(const QByteArray& data, const QByteArray& format, Dims& dims)
{
    if (format == "bmp" || format == "dib") {
        const DibHeader header = readDibHeader(data, format == "bmp" ? kBmpFileHeaderBytes : 0);
        dims = header.dims;
        return header.valid;
    }
    if (format == "png")
        return pngDims(data, 0, dims);
    if (format == "gif" && data.size() >= 10) {
        dims = { leWord(data, 6), leWord(data, 8) };
        return true;
    }
    return false;
}

// False for data that its decoder would turn into a partial picture.
bool rasterComplete(const QByteArray& data, const QByteArray& format)
{
    if (format == "bmp" || format == "dib") {
        const bool packed = format == "dib";
        return dibComplete(data, readDibHeader(data, packed ? 0 : kBmpFileHeaderBytes), packed);
    }
    if (format == "jpeg")
        return jpegComplete(data);
    if (format == "gif")
        return gifFirstFrameComplete(data);
    return true;
}

// The format QImageReader finds in the data, or "dib" for a bitmap without its file header;
// empty for anything else Qt could read (SVG, XPM, PBM...), which is no picture file here.
QByteArray rasterFormat(QBuffer& buffer, const QByteArray& data)
{
    QByteArray format = QImageReader::imageFormat(&buffer);
    buffer.seek(0);
    if (format.isEmpty() && readDibHeader(data, 0).valid)
        format = "dib";
    static const QList<QByteArray> taken { "bmp", "dib", "jpeg", "gif", "ico", "cur", "png" };
    return taken.contains(format) ? format : QByteArray();
}

// Decodes a raster picture after checking its declared size and that it is not cut short;
// for ICO and CUR the largest picture in the file.
DecodeOutcome decodeRaster(const QByteArray& data)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    const QByteArray format = rasterFormat(buffer, data);
    if (format.isEmpty())
        return failedDecode(DecodeOutcome::Damaged);
    QImageReader reader(&buffer, format);
    Dims dims;
    bool known = headerDims(data, format, dims);
    const bool icon = format == "ico" || format == "cur";
    int index = -1;
    if (icon) {
        index = largestIcon(data, dims);
        if (index < 0 || !reader.jumpToImage(index))
            return failedDecode(DecodeOutcome::Damaged);
        known = true;
    } else if (!known && format != "jpeg") {
        return failedDecode(DecodeOutcome::Damaged);
    }
    if (known) {
        if (const auto failure = checkDeclaredSize(dims.width, dims.height))
            return failedDecode(failure, dims.width, dims.height);
    }
    const QSize readerSize = reader.size();
    if (readerSize != QSize(-1, -1)) {
        if (const auto failure = checkDeclaredSize(readerSize.width(), qAbs(readerSize.height())))
            return failedDecode(failure, readerSize.width(), qAbs(readerSize.height()));
    }
    if (!rasterComplete(data, format))
        return failedDecode(DecodeOutcome::Damaged);
    DecodeOutcome outcome;
    outcome.image = reader.read();
    if (outcome.image.isNull())
        return failedDecode(DecodeOutcome::Damaged);
    if (icon)
        outcome.image = withIconMask(outcome.image, data, index);
    return outcome;
}

// The picture as Format_RGB32, transparent parts laid over white; null when memory runs out.
QImage onWhite(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage out(image.size(), QImage::Format_RGB32);
    if (out.isNull())
        return out;
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.drawImage(0, 0, image);
    return out;
}

// Decodes by the first bytes and finishes the picture, checking the final size as well
// (some formats give their size only by decoding).
DecodeOutcome decodeAny(const QByteArray& data)
{
    if (QImageReader::allocationLimit() != 0 && QImageReader::allocationLimit() < kAllocationLimitMegabytes)
        QImageReader::setAllocationLimit(kAllocationLimitMegabytes);
    DecodeOutcome outcome = isWmf(data) ? decodeWmf(data) : isEmf(data) ? decodeEmf(data) : decodeRaster(data);
    if (outcome.failure != DecodeOutcome::None)
        return outcome;
    const QSize size = outcome.image.size();
    if (const auto failure = checkDeclaredSize(size.width(), size.height()))
        return failedDecode(failure, size.width(), size.height());
    outcome.image = onWhite(outcome.image);
    if (outcome.image.isNull())
        return failedDecode(DecodeOutcome::NoMemory, size.width(), size.height());
    return outcome;
}

QString readFailure(const QString& name, const QString& reason)
{
    return QStringLiteral("No se puede leer la imagen \"%1\": %2").arg(name, reason);
}

// The message for a decoding failure, naming the file.
QString failureText(const DecodeOutcome& outcome, const QString& name)
{
    const QString sides = QStringLiteral("(%1 x %2 puntos)").arg(outcome.declaredWidth).arg(outcome.declaredHeight);
    switch (outcome.failure) {
    case DecodeOutcome::TooLarge:
        return readFailure(name, QStringLiteral("la imagen es demasiado grande %1.").arg(sides));
    case DecodeOutcome::BadSize:
        return readFailure(name, QStringLiteral("la imagen no tiene un tamaño válido %1.").arg(sides));
    case DecodeOutcome::NoMemory:
        return readFailure(name, QStringLiteral("no hay memoria suficiente."));
    case DecodeOutcome::NoFonts:
        return readFailure(name, QStringLiteral("faltan los tipos de letra que necesitan los archivos WMF."));
    default:
        return readFailure(name, QStringLiteral("el archivo está dañado o no es una imagen."));
    }
}

} // namespace

PictureResult decodePicture(const QByteArray& data, const QString& displayName)
{
    if (data.isEmpty())
        return { {}, readFailure(displayName, QStringLiteral("el archivo está vacío.")) };
    DecodeOutcome outcome;
    try {
        outcome = decodeAny(data);
    } catch (const std::bad_alloc&) {
        outcome = failedDecode(DecodeOutcome::NoMemory);
    }
    if (outcome.failure != DecodeOutcome::None)
        return { {}, failureText(outcome, displayName) };
    return { outcome.image, {} };
}

PictureResult loadPictureFile(const QString& path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const QString cannotOpen = QStringLiteral("No se puede abrir el archivo \"%1\".").arg(name);
    QFile file(path);
    // Only plain files: a device or a pipe would never end.
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return { {}, cannotOpen };
    if (file.size() > kMaxPictureFileBytes) {
        const qint64 megabytes = (file.size() + (1 << 20) - 1) >> 20;
        return { {}, readFailure(name, QStringLiteral("el archivo es demasiado grande (%1 MB).").arg(megabytes)) };
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return { {}, cannotOpen };
    return decodePicture(data, name);
}
