#include "LineBlock.h"

#include "CodePage.h"
#include "LineConverter.h"
#include "NumberedError.h"

#include <new>
#include <string_view>

namespace velkrant::cli {

namespace {

void RecordFailure(LineBlock& block, std::size_t outputEnd, std::uint64_t line, std::string description) {
    // Whatever part of the line was written before the failure goes again.
    block.output.resize(outputEnd);
    block.failures.push_back({outputEnd, line, std::move(description)});
}

void ConvertOneLine(const LineOptions& options, std::string_view line, LineBlock& block) {
    const std::size_t outputEnd = block.output.size();
    const std::uint64_t index = block.lineCount++;
    try {
        AppendConvertedLine(options, line, block.output);
        block.output.push_back('\n');
    } catch (const NumberedError& e) {
        RecordFailure(block, outputEnd, index, CodePage::TextToUtf8(e.Description()));
    } catch (const std::bad_alloc&) {
        // One line too large for memory must not cost the other lines.
        RecordFailure(block, outputEnd, index, "out of memory");
    }
}

}  // namespace

void ConvertBlock(const LineOptions& options, LineBlock& block) {
    block.output.clear();
    block.failures.clear();
    block.lineCount = 0;
    std::string_view rest = block.input;
    while (!rest.empty()) {
        const std::size_t lf = rest.find('\n');
        std::string_view line = rest.substr(0, lf);
        if (lf == std::string_view::npos) {
            // The input's last line, without a line end: taken as it is.
            rest = {};
        } else {
            rest.remove_prefix(lf + 1);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        }
        ConvertOneLine(options, line, block);
    }
}

}  // namespace velkrant::cli
