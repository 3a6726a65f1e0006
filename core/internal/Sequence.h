#pragma once
// A fixed-size buffer for the codec's stages: sized once from its input,
// filled completely by the stage, never zero-filled first.

#include <cstddef>
#include <memory>
#include <string_view>

namespace velkrant {

template <class T>
class Sequence {
public:
    explicit Sequence(std::size_t size)
        : data_(std::make_unique_for_overwrite<T[]>(size)), size_(size) {}

    std::size_t size() const noexcept { return size_; }
    T* data() noexcept { return data_.get(); }
    const T* data() const noexcept { return data_.get(); }
    T& operator[](std::size_t i) noexcept { return data_[i]; }
    const T& operator[](std::size_t i) const noexcept { return data_[i]; }
    T* begin() noexcept { return data(); }
    T* end() noexcept { return data() + size_; }
    const T* begin() const noexcept { return data(); }
    const T* end() const noexcept { return data() + size_; }

    std::basic_string_view<T> View() const noexcept { return {data(), size_}; }

private:
    std::unique_ptr<T[]> data_;
    std::size_t size_;
};

}  // namespace velkrant
