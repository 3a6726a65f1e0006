#include "LineReader.h"

#include "System.h"

#include <cstring>

namespace velkrant::cli {

namespace {

std::string_view WithoutFinalCr(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

}  // namespace

LineReader::LineReader(int descriptor, std::size_t chunkSize)
    : descriptor_(descriptor), chunkSize_(chunkSize), chunk_(new char[chunkSize]) {}

bool LineReader::Fill() {
    begin_ = 0;
    end_ = System::Read(descriptor_, chunk_.get(), chunkSize_);
    return end_ > 0;
}

bool LineReader::Next(std::string_view& line) {
    if (pendingHanded_) {
        pending_.clear();
        pendingHanded_ = false;
    }
    while (true) {
        const char* start = chunk_.get() + begin_;
        const std::size_t available = end_ - begin_;
        const auto* lf = static_cast<const char*>(std::memchr(start, '\n', available));
        if (lf != nullptr) {
            const auto length = static_cast<std::size_t>(lf - start);
            begin_ += length + 1;
            if (pending_.empty()) {
                // The common case: the whole line lies in the chunk; no copy.
                line = WithoutFinalCr({start, length});
            } else {
                pending_.append(start, length);
                pendingHanded_ = true;
                line = WithoutFinalCr(pending_);
            }
            return true;
        }
        pending_.append(start, available);
        begin_ = end_;
        // Once the end is seen, never read again: a terminal would wait for
        // a second end-of-file.
        if (atEnd_ || !Fill()) {
            atEnd_ = true;
            if (pending_.empty()) return false;
            pendingHanded_ = true;
            line = pending_;
            return true;
        }
    }
}

}  // namespace velkrant::cli
