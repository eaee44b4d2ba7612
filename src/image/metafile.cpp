#include "image/metafile.h"

#include "image/picture_file.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>

#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/gd.h>

namespace {

constexpr double kDotsPerInch = 96.0;
// EMF frames are in hundredths of a millimetre.
constexpr double kFrameUnitsPerInch = 2540.0;
constexpr int kEmfHeaderBytes = 88;
constexpr quint32 kEmfEndOfFile = 14;
constexpr quint32 kPlaceableKey = 0x9AC6CDD7u;
constexpr qint64 kPlaceableBytes = 22;
constexpr qint64 kWmfHeaderBytes = 18;
constexpr quint16 kWmfEndOfFile = 0;
// libwmf asks between records whether to go on; a metafile that plays longer than this is
// taken as broken. A single record can take longer still: the program decodes metafiles in
// a process of their own with a time limit of its own.
constexpr qint64 kWmfPlayMillis = 10000;

// libwmf status hook: a non-zero answer stops the player.
int wmfTimeUp(void* context, float) { return static_cast<QElapsedTimer*>(context)->hasExpired(kWmfPlayMillis) ? 1 : 0; }

// libwmf's gd device writes its PNG through this; the image libwmf would hand over instead
// is never freed by the library, so the picture comes back encoded.
int appendPng(void* context, char* buffer, int length)
{
    try {
        static_cast<QByteArray*>(context)->append(buffer, length);
        return length;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

// Frees the libwmf session however the decoding ends.
struct WmfSession {
    wmfAPI* api = nullptr;
    ~WmfSession()
    {
        if (api)
            wmf_api_destroy(api);
    }
};

// Plays an opened, scanned metafile onto a width x height gd picture; the PNG bytes, or
// empty when libwmf fails.
QByteArray playWmf(wmfAPI* api, wmfD_Rect bbox, unsigned width, unsigned height)
{
    QByteArray png;
    wmf_gd_t* gd = WMF_GD_GetData(api);
    if (!(gd->flags & WMF_GD_SUPPORTS_PNG))
        return {};
    gd->type = wmf_gd_png;
    gd->flags |= WMF_GD_OUTPUT_MEMORY | WMF_GD_OWN_BUFFER;
    gd->sink.context = &png;
    gd->sink.function = appendPng;
    gd->bbox = bbox;
    gd->width = width;
    gd->height = height;
    if (wmf_play(api, 0, &bbox) != wmf_E_None)
        return {};
    return png;
}

// WMF records that carry a device-independent bitmap, and where it starts in the record
// (after the record's size and function words and its fixed parameters). A record no longer
// than its parameters has no bitmap.
qint64 wmfDibOffset(quint16 function)
{
    switch (function) {
    case 0x0940: // DIBBITBLT
        return 22;
    case 0x0B41: // DIBSTRETCHBLT
        return 26;
    case 0x0F43: // STRETCHDIB
        return 28;
    case 0x0D33: // SETDIBTODEV
        return 24;
    case 0x0142: // DIBCREATEPATTERNBRUSH
        return 10;
    default:
        return 0;
    }
}

// Old-style device-dependent bitmaps (Bitmap16) in BITBLT, STRETCHBLT and CREATEPATTERNBRUSH.
qint64 wmfBitmap16Offset(quint16 function)
{
    switch (function) {
    case 0x0922: // BITBLT
        return 22;
    case 0x0B23: // STRETCHBLT
        return 26;
    case 0x01F9: // CREATEPATTERNBRUSH
        return 6;
    default:
        return 0;
    }
}

// True when a bitmap of width x height at `bits` per pixel may be drawn from `available` bytes:
// uncompressed rows must all be in the record, and no bitmap may be larger than a picture is
// allowed to be.
bool bitmapFits(qint64 width, qint64 height, qint64 bits, bool compressed, qint64 available)
{
    if (width <= 0 || height <= 0 || bits <= 0 || bits > 32)
        return false;
    if (checkDeclaredSize(width, height) != DecodeOutcome::None)
        return false;
    const qint64 stride = (width * bits + 31) / 32 * 4;
    return compressed || stride * height <= available;
}

// True for the BITBLT-like records in their form without a bitmap: exactly as long as the
// word count in the function number says.
bool wmfWithoutBitmap(quint16 function, qint64 size)
{
    const bool optional = function == 0x0940 || function == 0x0B41 || function == 0x0922 || function == 0x0B23;
    return optional && size == ((function >> 8) + 3) * 2;
}

// True when the bitmap a record embeds is one the record can hold.
bool wmfBitmapSound(const QByteArray& data, qint64 at, qint64 size, quint16 function)
{
    if (wmfWithoutBitmap(function, size))
        return true;
    if (const qint64 dib = wmfDibOffset(function)) {
        const qint64 start = at + dib;
        const qint64 available = size - dib;
        if (available < 12)
            return false;
        const quint32 header = leDword(data, start);
        if (header == 12)
            return bitmapFits(
                leWord(data, start + 4), leWord(data, start + 6), leWord(data, start + 10), false, available - 12);
        if (header < 40 || header > available)
            return false;
        const qint64 width = qint32(leDword(data, start + 4));
        const qint64 height = qAbs(qint64(qint32(leDword(data, start + 8))));
        const quint32 compression = leDword(data, start + 16);
        return bitmapFits(
            width, height, leWord(data, start + 14), compression != 0 && compression != 3, available - header);
    }
    if (const qint64 bitmap = wmfBitmap16Offset(function)) {
        const qint64 start = at + bitmap;
        const qint64 available = size - bitmap - 10;
        if (available < 0)
            return false;
        const qint64 height = qint16(leWord(data, start + 4));
        const qint64 widthBytes = qint16(leWord(data, start + 6));
        return bitmapFits(qint16(leWord(data, start + 2)), height, uchar(data.at(start + 9)), false, available)
            && widthBytes >= 0 && widthBytes * height <= available;
    }
    return true;
}

} // namespace

bool wmfHeaderSound(const QByteArray& data)
{
    const qint64 header = data.size() >= 4 && leDword(data, 0) == kPlaceableKey ? kPlaceableBytes : 0;
    if (data.size() < header + kWmfHeaderBytes || leWord(data, header + 2) != 9)
        return false;
    // libwmf allocates the largest record before reading any: it must fit in the file
    const qint64 largestRecord = qint64(leDword(data, header + 12)) * 2;
    if (largestRecord < 6 || largestRecord > data.size() - header - kWmfHeaderBytes)
        return false;
    qint64 at = header + kWmfHeaderBytes;
    while (at + 6 <= data.size()) {
        const qint64 size = qint64(leDword(data, at)) * 2;
        if (size < 6 || size > largestRecord || size > data.size() - at)
            return false;
        const quint16 function = leWord(data, at + 4);
        // libwmf ends only at an end record of exactly three words; it plays any other
        if (function == kWmfEndOfFile && size == 6)
            return true;
        if (!wmfBitmapSound(data, at, size, function))
            return false;
        at += size;
    }
    return false;
}

namespace {

// True when the EMF records chain from the header to an end-of-file record inside the data.
bool emfRecordsComplete(const QByteArray& data)
{
    qint64 at = 0;
    while (at + 8 <= data.size()) {
        const quint32 type = leDword(data, at);
        const quint32 size = leDword(data, at + 4);
        if (size < 8 || size % 4 != 0 || size > data.size() - at)
            return false;
        if (type == kEmfEndOfFile)
            return true;
        at += size;
    }
    return false;
}

// EMF text records and the parts of them this program looks at.
constexpr quint32 kEmfExtTextOutA = 83;
constexpr quint32 kEmfExtTextOutW = 84;
constexpr quint32 kEmfPolyTextOutA = 96;
constexpr quint32 kEmfPolyTextOutW = 97;
constexpr quint32 kGlyphIndex = 0x10;
constexpr qint64 kEmrTextBytes = 40;
// Where the EMRTEXT parts stand in an EXTTEXTOUT record, and where POLYTEXTOUT's list begins.
constexpr qint64 kExtTextAt = 36;
constexpr qint64 kPolyTextCountAt = 36;
constexpr qint64 kPolyTextAt = 40;

// Blanks the text of one EMRTEXT at `text` of the record at `record` (of `size` bytes) when it
// holds glyph indices; false when its characters or spacing lie outside the record.
bool blankGlyphText(QByteArray& data, qint64 record, qint64 size, qint64 text, qint64 charBytes)
{
    if (text + kEmrTextBytes > size)
        return false;
    const qint64 at = record + text;
    const qint64 count = leDword(data, at + 8);
    const qint64 offString = leDword(data, at + 12);
    const quint32 options = leDword(data, at + 16);
    const qint64 offDx = leDword(data, at + 36);
    if (offString > size || count > (size - offString) / charBytes)
        return false;
    if (offDx != 0 && (offDx > size || count > (size - offDx) / 4))
        return false;
    if (!(options & kGlyphIndex))
        return true;
    qToLittleEndian<quint32>(options & ~kGlyphIndex, data.data() + at + 16);
    for (qint64 i = 0; i < count; ++i) {
        char* c = data.data() + record + offString + i * charBytes;
        c[0] = ' ';
        if (charBytes == 2)
            c[1] = 0;
    }
    return true;
}

// One side of the EMF frame in pixels at 96 dpi.
qint64 framePixels(qint32 from, qint32 to)
{
    return std::llround((double(to) - double(from)) * kDotsPerInch / kFrameUnitsPerInch);
}

} // namespace

DecodeOutcome failedDecode(DecodeOutcome::Failure failure, qint64 width, qint64 height)
{
    DecodeOutcome outcome;
    outcome.failure = failure;
    outcome.declaredWidth = width;
    outcome.declaredHeight = height;
    return outcome;
}

QSize metafileDrawingSize(qint64 width, qint64 height)
{
    const double w = double(width);
    const double h = double(height);
    double scale = 1.0;
    if (w * h > double(kMetafilePixelBudget))
        scale = std::sqrt(double(kMetafilePixelBudget) / (w * h));
    scale = std::min(scale, double(kMaxPictureSide) / std::max(w, h));
    return { std::max(1, int(std::floor(w * scale))), std::max(1, int(std::floor(h * scale))) };
}

QByteArray emfWithoutGlyphIndexText(const QByteArray& data)
{
    QByteArray out(data.constData(), data.size());
    qint64 at = 0;
    while (at + 8 <= out.size()) {
        const quint32 type = leDword(out, at);
        const qint64 size = leDword(out, at + 4);
        if (size < 8 || size > out.size() - at)
            return {};
        bool sound = true;
        if (type == kEmfExtTextOutA || type == kEmfExtTextOutW) {
            sound = blankGlyphText(out, at, size, kExtTextAt, type == kEmfExtTextOutW ? 2 : 1);
        } else if (type == kEmfPolyTextOutA || type == kEmfPolyTextOutW) {
            const qint64 strings = size >= kPolyTextAt ? leDword(out, at + kPolyTextCountAt) : -1;
            sound = strings >= 0 && strings <= (size - kPolyTextAt) / kEmrTextBytes;
            for (qint64 i = 0; sound && i < strings; ++i)
                sound
                    = blankGlyphText(out, at, size, kPolyTextAt + i * kEmrTextBytes, type == kEmfPolyTextOutW ? 2 : 1);
        }
        if (!sound)
            return {};
        if (type == kEmfEndOfFile)
            break;
        at += size;
    }
    return out;
}

DecodeOutcome::Failure checkDeclaredSize(qint64 width, qint64 height)
{
    if (width <= 0 || height <= 0)
        return DecodeOutcome::BadSize;
    if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels)
        return DecodeOutcome::TooLarge;
    return DecodeOutcome::None;
}

bool isWmf(const QByteArray& data)
{
    if (data.size() >= 4 && leDword(data, 0) == kPlaceableKey)
        return true;
    if (data.size() < 18)
        return false;
    const quint16 type = leWord(data, 0);
    const quint16 version = leWord(data, 4);
    return (type == 1 || type == 2) && leWord(data, 2) == 9 && (version == 0x0100 || version == 0x0300);
}

bool isEmf(const QByteArray& data)
{
    return data.size() >= kEmfHeaderBytes && leDword(data, 0) == 1 && data.mid(40, 4) == " EMF";
}

DecodeOutcome decodeWmf(const QByteArray& data)
{
    if (!wmfHeaderSound(data))
        return failedDecode(DecodeOutcome::Damaged);
    WmfSession session;
    wmfAPI_Options options {};
    options.function = wmf_gd_function;
    if (wmf_api_create(&session.api, WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL, &options) != wmf_E_None
        || !session.api)
        return failedDecode(DecodeOutcome::NoFonts);
    QElapsedTimer clock;
    clock.start();
    wmf_status_function(session.api, &clock, wmfTimeUp);

    // libwmf only reads through this pointer.
    auto* bytes = reinterpret_cast<unsigned char*>(const_cast<char*>(data.constData()));
    wmfD_Rect bbox {};
    unsigned width = 0;
    unsigned height = 0;
    if (wmf_mem_open(session.api, bytes, long(data.size())) != wmf_E_None
        || wmf_scan(session.api, 0, &bbox) != wmf_E_None
        || wmf_display_size(session.api, &width, &height, kDotsPerInch, kDotsPerInch) != wmf_E_None)
        return failedDecode(DecodeOutcome::Damaged);
    if (const auto failure = checkDeclaredSize(width, height))
        return failedDecode(failure, width, height);
    const QSize drawn = metafileDrawingSize(width, height);
    width = unsigned(drawn.width());
    height = unsigned(drawn.height());
    // A bounding box that is empty or not a number makes gd divide by zero.
    if (!(bbox.BR.x > bbox.TL.x) || !(bbox.BR.y > bbox.TL.y))
        return failedDecode(DecodeOutcome::Damaged);

    const QByteArray png = playWmf(session.api, bbox, width, height);
    if (png.isEmpty())
        return failedDecode(DecodeOutcome::Damaged);
    QBuffer buffer;
    buffer.setData(png);
    buffer.open(QIODevice::ReadOnly);
    DecodeOutcome outcome;
    outcome.image = QImageReader(&buffer, "png").read();
    if (outcome.image.isNull())
        return failedDecode(DecodeOutcome::NoMemory, width, height);
    return outcome;
}

DecodeOutcome decodeEmf(const QByteArray& data)
{
    if (!isEmf(data))
        return failedDecode(DecodeOutcome::Damaged);
    const quint32 headerSize = leDword(data, 4);
    if (headerSize < kEmfHeaderBytes || headerSize > quint32(data.size()))
        return failedDecode(DecodeOutcome::Damaged);
    const qint64 width = framePixels(qint32(leDword(data, 24)), qint32(leDword(data, 32)));
    const qint64 height = framePixels(qint32(leDword(data, 28)), qint32(leDword(data, 36)));
    if (const auto failure = checkDeclaredSize(width, height))
        return failedDecode(failure, width, height);
    const QSize drawn = metafileDrawingSize(width, height);
    if (!emfRecordsComplete(data))
        return failedDecode(DecodeOutcome::Damaged);

    // emf2svg takes a writable buffer: it gets a copy of its own, without glyph-index text
    QByteArray copy = emfWithoutGlyphIndexText(data);
    if (copy.isEmpty())
        return failedDecode(DecodeOutcome::Damaged);
    generatorOptions options {};
    options.nameSpace = const_cast<char*>("");
    options.svgDelimiter = true;
    options.emfplus = true;
    char* svg = nullptr;
    size_t svgLength = 0;
    const int converted = emf2svg(copy.data(), size_t(copy.size()), &svg, &svgLength, &options);
    const QByteArray svgText = converted && svg ? QByteArray(svg, qsizetype(svgLength)) : QByteArray();
    std::free(svg);
    if (svgText.isEmpty())
        return failedDecode(DecodeOutcome::Damaged);
    QSvgRenderer renderer(svgText);
    if (!renderer.isValid())
        return failedDecode(DecodeOutcome::Damaged);

    DecodeOutcome outcome;
    outcome.image = QImage(drawn, QImage::Format_RGB32);
    if (outcome.image.isNull())
        return failedDecode(DecodeOutcome::NoMemory, drawn.width(), drawn.height());
    outcome.image.fill(Qt::white);
    QPainter painter(&outcome.image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(drawn)));
    return outcome;
}
