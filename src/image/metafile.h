#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QtEndian>

// Little-endian fields of a file held in memory; callers check the bounds first.
inline quint16 leWord(const QByteArray& data, qint64 at) { return qFromLittleEndian<quint16>(data.constData() + at); }

inline quint32 leDword(const QByteArray& data, qint64 at) { return qFromLittleEndian<quint32>(data.constData() + at); }

// What a picture decoder gives back: an image, or why there is none. The declared size is
// the one the file claims, for the message about a picture that is too large or has no size.
struct DecodeOutcome {
    enum Failure { None, Damaged, TooLarge, BadSize, NoMemory, NoFonts };
    QImage image;
    Failure failure = None;
    qint64 declaredWidth = 0;
    qint64 declaredHeight = 0;
};

// An outcome without a picture, for the given reason and declared size.
DecodeOutcome failedDecode(DecodeOutcome::Failure failure, qint64 width = 0, qint64 height = 0);

// None when a picture of the declared size may be decoded; otherwise BadSize (zero or
// negative side) or TooLarge (over kMaxPictureSide or kMaxPicturePixels).
DecodeOutcome::Failure checkDeclaredSize(qint64 width, qint64 height);

// Most pixels a metafile is drawn with (16 megapixels, over ten times the largest pattern of
// 1201 x 769 stitches); a larger one is drawn smaller, in its proportions, so that drawing it
// stays within seconds. A declared size past the picture limits is refused as before.
constexpr qint64 kMetafilePixelBudget = 16000000;

// The size a metafile of width x height pixels (at 96 dpi) is drawn at: scaled down in its
// proportions to fit kMetafilePixelBudget and kMaxPictureSide, never up.
QSize metafileDrawingSize(qint64 width, qint64 height);

// True when a WMF's header and records may be handed to libwmf: the largest-record field
// fits in the file, the records chain to an end record inside the file, none longer than
// that field, and every embedded bitmap is one its record can hold and within the budget.
bool wmfHeaderSound(const QByteArray& data);

// An EMF whose text records no longer ask for glyph-index text: such text is blanked (its
// characters become spaces and the glyph-index flag is cleared), since libemf2svg would look
// the glyphs up through fontconfig. Empty when a text record does not fit its own record.
QByteArray emfWithoutGlyphIndexText(const QByteArray& data);

// True for a placeable WMF (D7 CD C6 9A) or a plain one (type 1 or 2, header of 9 words).
bool isWmf(const QByteArray& data);

// True for an EMF: record type 1 at the start and the " EMF" signature at offset 40.
bool isEmf(const QByteArray& data);

// Draws a WMF through libwmf at 96 dpi, after checking the size it will have.
DecodeOutcome decodeWmf(const QByteArray& data);

// Draws an EMF through libemf2svg and QSvgRenderer onto white, sized by its frame at 96 dpi.
DecodeOutcome decodeEmf(const QByteArray& data);
