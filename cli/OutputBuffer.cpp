#include "OutputBuffer.h"

#include "System.h"

#include <cstring>

namespace velkrant::cli {

void WriteAll(int descriptor, std::string_view data) {
    while (!data.empty()) data.remove_prefix(System::Write(descriptor, data.data(), data.size()));
}

OutputBuffer::OutputBuffer(int descriptor, std::size_t capacity)
    : descriptor_(descriptor), capacity_(capacity), buffer_(new char[capacity]) {}

void OutputBuffer::Write(std::string_view data) {
    if (data.size() > capacity_ - used_) {
        Flush();
        // A block larger than the buffer goes out directly, uncopied.
        if (data.size() >= capacity_) {
            WriteAll(descriptor_, data);
            return;
        }
    }
    std::memcpy(buffer_.get() + used_, data.data(), data.size());
    used_ += data.size();
}

void OutputBuffer::Put(char c) {
    if (used_ == capacity_) Flush();
    buffer_[used_++] = c;
}

void OutputBuffer::Flush() {
    // Emptied first: after a failed write the same bytes are not retried.
    const std::string_view data(buffer_.get(), used_);
    used_ = 0;
    WriteAll(descriptor_, data);
}

}  // namespace velkrant::cli
