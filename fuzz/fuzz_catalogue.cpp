// libFuzzer harness for the catalogue readers: a partial catalogue read to its end and the
// full catalogue read for its 426 entries.
#include "colour/catalogue.h"

#include <QBuffer>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    std::vector<color_dmc> into(kCatalogueSize);
    for (const bool full : { false, true }) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const CatalogueRead r
            = full ? readFullCatalogue(buffer, into, kFullCatalogue) : readCatalogue(buffer, into, kFullCatalogue);
        if (r.count < 0 || r.count > kFullCatalogue)
            __builtin_trap();
    }
    return 0;
}
