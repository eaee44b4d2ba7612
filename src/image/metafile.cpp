#include "image/metafile.h"

#include "image/picture_file.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

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
// taken as broken rather than left to keep the program busy.
constexpr qint64 kWmfPlayMillis = 30000;

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

// True when the WMF records after the header chain to an end record inside the data, none
// longer than the header's largest record. libwmf gives up on other files anyway, but only
// after printing about them.
bool wmfRecordsComplete(const QByteArray& data)
{
    const qint64 header = leDword(data, 0) == kPlaceableKey ? kPlaceableBytes : 0;
    if (data.size() < header + kWmfHeaderBytes || leWord(data, header + 2) != 9)
        return false;
    const qint64 largestRecord = qint64(leDword(data, header + 12)) * 2;
    qint64 at = header + kWmfHeaderBytes;
    while (at + 6 <= data.size()) {
        const qint64 size = qint64(leDword(data, at)) * 2;
        if (size < 6 || size > largestRecord || size > data.size() - at)
            return false;
        if (leWord(data, at + 4) == kWmfEndOfFile)
            return true;
        at += size;
    }
    return false;
}

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
    if (!wmfRecordsComplete(data))
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
    if (!emfRecordsComplete(data))
        return failedDecode(DecodeOutcome::Damaged);

    // emf2svg takes a writable buffer; it gets a copy of its own.
    QByteArray copy(data.constData(), data.size());
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
    outcome.image = QImage(int(width), int(height), QImage::Format_RGB32);
    if (outcome.image.isNull())
        return failedDecode(DecodeOutcome::NoMemory, width, height);
    outcome.image.fill(Qt::white);
    QPainter painter(&outcome.image);
    renderer.render(&painter, QRectF(0, 0, width, height));
    return outcome;
}
