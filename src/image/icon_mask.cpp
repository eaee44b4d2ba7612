#include "image/icon_mask.h"

#include "image/metafile.h"

namespace {
// Where a bitmap icon's parts lie in the file.
struct IconLayout {
    bool valid = false;
    int bits = 0;
    qint64 pixels = 0; // first byte of the colour bitmap, bottom row first
    qint64 mask = 0; // first byte of the mask, bottom row first
    qint64 maskStride = 0;
};

IconLayout iconLayout(const QByteArray& data, int index, int width, int height)
{
    IconLayout layout;
    const qint64 entry = 6 + 16LL * index;
    if (index < 0 || data.size() < entry + 16)
        return layout;
    const qint64 at = leDword(data, entry + 12);
    // a PNG icon starts with its signature where a bitmap icon has its header size
    if (data.size() < at + 40)
        return layout;
    const quint32 headerSize = leDword(data, at);
    if (headerSize < 40 || headerSize > 256)
        return layout;
    layout.bits = leWord(data, at + 14) ? leWord(data, at + 14) : leWord(data, entry + 6);
    const quint32 used = leDword(data, at + 32);
    const qint64 colours = layout.bits <= 8 ? (used ? used : qint64(1) << layout.bits) : 0;
    layout.pixels = at + headerSize + colours * 4;
    layout.mask = layout.pixels + (qint64(width) * layout.bits + 31) / 32 * 4 * height;
    layout.maskStride = (qint64(width) + 31) / 32 * 4;
    layout.valid = layout.bits > 0 && data.size() >= layout.mask + layout.maskStride * height;
    return layout;
}

bool anyAlpha(const QImage& picture)
{
    for (int y = 0; y < picture.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if (qAlpha(line[x]) != 0)
                return true;
    }
    return false;
}
} // namespace

QImage withIconMask(const QImage& picture, const QByteArray& data, int index)
{
    const int w = picture.width(), h = picture.height();
    const IconLayout layout = iconLayout(data, index, w, h);
    if (!layout.valid)
        return picture;
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    if (out.isNull())
        return picture;
    const bool ownColours = layout.bits == 32 && !anyAlpha(out);
    if (layout.bits == 32 && !ownColours)
        return picture;
    for (int y = 0; y < h; ++y) {
        const auto* mask
            = reinterpret_cast<const uchar*>(data.constData() + layout.mask + layout.maskStride * (h - 1 - y));
        const auto* colours = ownColours
            ? reinterpret_cast<const uchar*>(data.constData() + layout.pixels + 4LL * w * (h - 1 - y))
            : nullptr;
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            if (mask[x >> 3] & (0x80 >> (x & 7)))
                line[x] = qRgba(0, 0, 0, 0);
            else if (ownColours)
                line[x] = qRgb(colours[4 * x + 2], colours[4 * x + 1], colours[4 * x]);
            else
                line[x] |= 0xff000000u;
        }
    }
    return out;
}
