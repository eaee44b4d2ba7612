// libFuzzer harness for the undo file reader.
#include "views/undo_file.h"

#include <QBuffer>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const UndoRead r = readUndoRecord(buffer);
    if (!r.error.isEmpty() && !r.record.stitches.empty())
        __builtin_trap();
    return 0;
}
