// A plain 32-bit pixel buffer; colours are 0x00BBGGRR words.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

namespace vexilo {

// Takes blocks from calloc and leaves a value-initialised element as it finds it: the
// elements of a block just taken are zero without being written, so a large picture that
// is never drawn (the command-line tool's) costs neither the clearing nor the memory.
// Only for a vector that grows into fresh blocks alone (PixelBuffer::resize).
template <class T>
struct ZeroedAllocator {
    using value_type = T;
    ZeroedAllocator() = default;
    template <class U>
    explicit ZeroedAllocator(const ZeroedAllocator<U>&) {}

    T* allocate(size_t n) {
        void* block = std::calloc(n, sizeof(T));
        if (block == nullptr) throw std::bad_alloc();
        return static_cast<T*>(block);
    }
    void deallocate(T* block, size_t) { std::free(block); }
    template <class U>
    void construct(U*) {}
    template <class U, class... Args>
    void construct(U* at, Args&&... args) {
        ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
    }
    bool operator==(const ZeroedAllocator&) const { return true; }
};

struct PixelBuffer {
    using Pixels = std::vector<uint32_t, ZeroedAllocator<uint32_t>>;

    int width = 0;
    int height = 0;
    Pixels pixels;

    // w x h pixels, every one 0.
    void resize(int w, int h) {
        width = w;
        height = h;
        const size_t count = static_cast<size_t>(w) * static_cast<size_t>(h);
        if (count <= pixels.capacity()) {
            pixels.assign(count, 0);
        } else {
            pixels = Pixels();  // the old block goes first
            pixels = Pixels(count);
        }
    }
    uint32_t& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

}  // namespace vexilo
