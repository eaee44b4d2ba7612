#pragma once

#include <QByteArray>
#include <QImage>
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

// True for a placeable WMF (D7 CD C6 9A) or a plain one (type 1 or 2, header of 9 words).
bool isWmf(const QByteArray& data);

// True for an EMF: record type 1 at the start and the " EMF" signature at offset 40.
bool isEmf(const QByteArray& data);

// Draws a WMF through libwmf at 96 dpi, after checking the size it will have.
DecodeOutcome decodeWmf(const QByteArray& data);

// Draws an EMF through libemf2svg and QSvgRenderer onto white, sized by its frame at 96 dpi.
DecodeOutcome decodeEmf(const QByteArray& data);
