#pragma once
// Decoding a picture file in a helper process of its own ("puntela-decode", beside the
// program), so that a decoder that crashes, runs out of memory or never ends costs only that
// process: the file is refused and everything the program holds stays as it was.
#include "image/picture_file.h"

#include <QByteArray>
#include <QString>

class QIODevice;

// What the helper may use: address space and processor time it is held to, and how long
// the program waits for its answer.
struct DecodeLimits {
    qint64 memoryBytes = 0;
    int cpuSeconds = 0;
    int waitMillis = 0;
};

// Limits of `memoryBytes` and `cpuSeconds` of processor time: the processor time is what bounds
// a decoder that runs away, and the program waits four times as long for the answer, so that a
// busy machine giving the helper a share of a processor still hears it.
DecodeLimits decodeLimits(qint64 memoryBytes, int cpuSeconds);
// The limits for a file that starts with `head`: 1.5 GB and 10 s for a metafile, whose
// libraries are the ones that can run away; 3 GB and 60 s for other pictures, which may be
// large but decode in bounded time.
DecodeLimits decodeLimitsFor(const QByteArray& head);

// The helper program beside the running program.
QString decodeHelperPath();

// Decodes the picture file at `path` in `helper` under `limits`. While it waits, events are
// handled (windows keep repainting, timers run) but user input waits until it is over. A
// crash, a limit or the time running out refuses the file with the usual message.
PictureResult loadPictureApart(const QString& path, const QString& helper, const DecodeLimits& limits);
// The same with the helper beside the program and the limits for the file's kind.
PictureResult loadPictureApart(const QString& path);

// The helper's side: holds this process to the limits (address space, processor time, no
// core file); false when the system refused them.
bool limitThisProcess(const DecodeLimits& limits);
// The helper's side: writes the decoded picture, or the message of its failure, to `out`.
bool writeDecodeAnswer(QIODevice& out, const PictureResult& result);
