// Linked into the colour tests only: PUNTELA_CPU=plain|avx2|avx512 makes the quick colour
// differences run that copy, so every copy the processor has is tested. A copy this processor
// cannot run skips the whole program (exit status 77).
#include "colour/delta_e_quick.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
const bool forced = [] {
    const char* wanted = std::getenv("PUNTELA_CPU");
    if (wanted == nullptr || *wanted == '\0')
        return false;
    const struct {
        const char* name;
        QuickKernel kernel;
    } kernels[] = { { "plain", QuickKernel::Plain }, { "avx2", QuickKernel::Avx2 }, { "avx512", QuickKernel::Avx512 } };
    for (const auto& k : kernels)
        if (std::strcmp(wanted, k.name) == 0) {
            if (forceQuickKernel(k.kernel) && quickKernel() == k.kernel)
                return true;
            std::printf("SKIP: this processor cannot run the %s copy of the quick colour differences\n", k.name);
            std::exit(77);
        }
    std::fprintf(stderr, "PUNTELA_CPU=%s: plain, avx2 or avx512\n", wanted);
    std::exit(2);
}();
} // namespace
