#pragma once
// Large blocks of fresh memory for the big buffers (pictures, the stitch grid and lists): taken
// from the system in 2 MB-aligned blocks, which are advised to live in huge pages where the system
// offers them, so touching them first costs one fault per 2 MB instead of one per 4 KB. The
// system hands them over filled with noughts: a buffer that must start at nought needs no fill.
// Blocks below kFreshMemoryLeast come from the ordinary heap, zeroed as well.
#include <QImage>
#include <cstddef>
#include <cstring>
#include <new>
#include <utility>

constexpr std::size_t kFreshMemoryLeast = std::size_t(1) << 20;

// `bytes` of zeroed memory, or null when the system has none.
void* allocateFresh(std::size_t bytes);
// Gives back a block of allocateFresh (null does nothing); `bytes` as asked.
void releaseFresh(void* block, std::size_t bytes);

// A width x height picture (Format_RGB32, lines without padding); a large one in fresh memory,
// given back when its last copy goes. Null when the memory cannot be had.
QImage freshPicture(int width, int height);

// A fixed number of plain values in fresh memory, all nought to start with; throws
// std::bad_alloc when the memory cannot be had.
template <class T> class FreshArray {
public:
    FreshArray() = default;
    explicit FreshArray(std::size_t count)
        : m_data(static_cast<T*>(allocateFresh(count * sizeof(T))))
        , m_count(count)
    {
        if (count > 0 && m_data == nullptr)
            throw std::bad_alloc();
    }
    FreshArray(const FreshArray& o)
        : FreshArray(o.m_count)
    {
        if (m_count > 0)
            std::memcpy(m_data, o.m_data, m_count * sizeof(T));
    }
    FreshArray(FreshArray&& o) noexcept
        : m_data(o.m_data)
        , m_count(o.m_count)
    {
        o.m_data = nullptr;
        o.m_count = 0;
    }
    FreshArray& operator=(FreshArray o) noexcept
    {
        std::swap(m_data, o.m_data);
        std::swap(m_count, o.m_count);
        return *this;
    }
    ~FreshArray() { releaseFresh(m_data, m_count * sizeof(T)); }

    std::size_t size() const { return m_count; }
    T* data() { return m_data; }
    const T* data() const { return m_data; }
    T& operator[](std::size_t i) { return m_data[i]; }
    const T& operator[](std::size_t i) const { return m_data[i]; }
    T* begin() { return m_data; }
    T* end() { return m_data + m_count; }
    const T* begin() const { return m_data; }
    const T* end() const { return m_data + m_count; }
    bool operator==(const FreshArray& o) const
    {
        return m_count == o.m_count && (m_count == 0 || std::memcmp(m_data, o.m_data, m_count * sizeof(T)) == 0);
    }

private:
    T* m_data = nullptr;
    std::size_t m_count = 0;
};
