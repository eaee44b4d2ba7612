// libFuzzer harness for the pattern file reader: a document is either refused with a message or
// read into a pattern whose every cell is empty or names an item of its palette, and which writes
// back out; read from a pipe (by QXmlStreamReader alone) it gives the same.
#include "colour/catalogue.h"
#include "output/oxs_file.h"
#include "pipe_device.h"

#include <QBuffer>

#include <cstdint>

namespace {
const std::vector<color_dmc>& catalogue()
{
    static const std::vector<color_dmc> all = [] {
        std::vector<color_dmc> c(kCatalogueSize);
        readFullCatalogueFile(QStringLiteral(PUNTELA_DATA_DIR "/dmc.txt"), c, kFullCatalogue);
        return c;
    }();
    return all;
}

// A pattern read, as it writes back, and what its reader was told.
QByteArray writtenBack(const OxsRead& r)
{
    QByteArray out;
    QBuffer written(&out);
    written.open(QIODevice::WriteOnly);
    if (!writeOxs(written, r.pattern, r.details))
        __builtin_trap();
    return out + r.notice(QStringLiteral("fuzz.oxs")).toUtf8();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const OxsRead r = readOxs(buffer, QStringLiteral("fuzz.oxs"), catalogue());
    if (!r.ok()) {
        PipeDevice pipe(bytes);
        if (r.pattern.width != 0 || !r.pattern.cells.empty()
            || readOxs(pipe, QStringLiteral("fuzz.oxs"), catalogue()).error != r.error)
            __builtin_trap();
        return 0;
    }
    const Pattern& p = r.pattern;
    if (p.width <= 0 || p.height <= 0 || p.cells.size() != std::size_t(p.width) * std::size_t(p.height))
        __builtin_trap();
    for (const int cell : p.cells)
        if (cell != Pattern::kNoStitch && (cell < 0 || std::size_t(cell) >= p.palette.size()))
            __builtin_trap();
    PipeDevice pipe(bytes);
    const OxsRead piped = readOxs(pipe, QStringLiteral("fuzz.oxs"), catalogue());
    if (!piped.ok() || writtenBack(piped) != writtenBack(r))
        __builtin_trap();
    return 0;
}
