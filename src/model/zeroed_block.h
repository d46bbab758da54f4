// The large fixed-capacity areas of a PuzzleState come zeroed from calloc instead of being
// cleared after allocation: the system hands out fresh pages as zero when they are first
// touched, so a state costs nothing for the capacity a small puzzle never reaches, and a
// one-puzzle command does not clear tens of megabytes before it starts.
#pragma once

#include <array>
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>
#include <type_traits>

namespace vexilo {

struct FreeBlock {
    void operator()(void* block) const { std::free(block); }
};

template <class T>
using ZeroedBlock = std::unique_ptr<T, FreeBlock>;

// A T whose every byte is zero. T must be trivial to make and to destroy: calloc then
// creates the object itself, with the zero bytes as its values.
template <class T>
ZeroedBlock<T> allocateZeroed() {
    static_assert(std::is_trivially_default_constructible_v<T> &&
                  std::is_trivially_destructible_v<T>);
    void* block = std::calloc(1, sizeof(T));
    if (block == nullptr) throw std::bad_alloc();
    return ZeroedBlock<T>(static_cast<T*>(block));
}

// N elements of T, zero from the start, in a block of their own: for a large array inside an
// object that cannot itself come from allocateZeroed.
template <class T, size_t N>
class ZeroedArray {
  public:
    ZeroedArray() : block_(allocateZeroed<std::array<T, N>>()) {}

    T& operator[](size_t i) { return (*block_)[i]; }
    const T& operator[](size_t i) const { return (*block_)[i]; }
    T* data() { return block_->data(); }
    const T* data() const { return block_->data(); }
    void fill(const T& value) { block_->fill(value); }
    static constexpr size_t size() { return N; }

  private:
    ZeroedBlock<std::array<T, N>> block_;
};

}  // namespace vexilo
