#include "BlockReader.h"

#include "System.h"

#include <string_view>

namespace velkrant::cli {

BlockReader::BlockReader(int descriptor, std::size_t readSize) : descriptor_(descriptor), readSize_(readSize) {}

bool BlockReader::Next(std::string& block) {
    block.assign(carry_);
    carry_.clear();
    // Once the end is seen, never read again: a terminal would wait for a
    // second end-of-file.
    while (!atEnd_) {
        const std::size_t old = block.size();
        block.resize(old + readSize_);
        const std::size_t count = System::Read(descriptor_, block.data() + old, readSize_);
        block.resize(old + count);
        if (count == 0) {
            atEnd_ = true;
            break;
        }
        // Only the new bytes can hold the block's last LF: the carried part
        // had none.
        const std::size_t lastLf = std::string_view(block).substr(old).rfind('\n');
        if (lastLf != std::string_view::npos) {
            const std::size_t end = old + lastLf + 1;
            carry_.assign(block, end);
            block.resize(end);
            return true;
        }
    }
    return !block.empty();
}

}  // namespace velkrant::cli
