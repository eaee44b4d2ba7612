#include "surface/fresh_memory.h"

#include <cstdint>
#include <cstdlib>
#include <sys/mman.h>

namespace {
constexpr std::size_t kHugePage = std::size_t(2) << 20;

std::size_t wholeHugePages(std::size_t bytes) { return (bytes + kHugePage - 1) / kHugePage * kHugePage; }
} // namespace

void* allocateFresh(std::size_t bytes)
{
    if (bytes < kFreshMemoryLeast)
        return std::calloc(bytes == 0 ? 1 : bytes, 1);
    const std::size_t size = wholeHugePages(bytes);
    // a huge page more than needed, so that a 2 MB boundary falls within; the rest is given back
    void* mapped = mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        return nullptr;
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + kHugePage - 1) & ~(kHugePage - 1);
    if (aligned > start)
        munmap(mapped, aligned - start);
    if (const std::size_t after = start + size + kHugePage - (aligned + size); after > 0)
        munmap(reinterpret_cast<void*>(aligned + size), after);
#ifdef MADV_HUGEPAGE
    // refused where the system has no huge pages: the block works the same in small ones
    madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
#endif
    return reinterpret_cast<void*>(aligned);
}

void releaseFresh(void* block, std::size_t bytes)
{
    if (block == nullptr)
        return;
    if (bytes < kFreshMemoryLeast)
        std::free(block);
    else
        munmap(block, wholeHugePages(bytes));
}

QImage freshPicture(int width, int height)
{
    const qsizetype perLine = qsizetype(width) * qsizetype(sizeof(QRgb));
    const std::size_t bytes = std::size_t(perLine) * std::size_t(height);
    if (bytes < kFreshMemoryLeast)
        return QImage(width, height, QImage::Format_RGB32);
    struct Block {
        void* memory;
        std::size_t bytes;
    };
    Block* block = new (std::nothrow) Block { allocateFresh(bytes), bytes };
    if (block == nullptr || block->memory == nullptr) {
        delete block;
        return QImage();
    }
    const auto release = [](void* info) {
        const Block* b = static_cast<Block*>(info);
        releaseFresh(b->memory, b->bytes);
        delete b;
    };
    return QImage(static_cast<uchar*>(block->memory), width, height, perLine, QImage::Format_RGB32, release, block);
}
