// velkrant-cli splits a big input into blocks of lines that several
// threads convert: the output, the messages and their order must be what
// one line after the other would give, wherever the blocks are cut.

#include "CliProcess.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velkrant::test {
namespace {

using namespace std::string_literals;

// The tool reads files 256 KiB at a time; the edges below sit on those
// reads. Through a pipe the reads are cut elsewhere, which the same input
// tries as well.
constexpr std::size_t kRead = 256 * 1024;

constexpr char kOrdinary[] = "// 普通协议,不需要解密!";
constexpr char kFailing[] = "thunder://QUFa";
// Read carefully, as by default: its markers are not all there.
constexpr char kThunderFailure[] = "damaged thunder link: the decoded text lacks its AA…ZZ markers";

struct Link {
    std::string_view link;
    std::string_view address;
};

constexpr Link kLinks[] = {
    {"thunder://QUFodHRwOi8vYS9iWlo=", "http://a/b"},
    {"thunder://QUFmdHA6Ly94L3laWg==", "ftp://x/y"},
    {"thunder://QUFodHRwOi8vYS/RuMDXLmV4ZVpa", "http://a/迅雷.exe"},
};

// An input built line by line, with what a run must give for it.
class Input {
public:
    void Add(std::string_view line, std::string_view output, std::string_view lineEnd = "\n") {
        ++lines_;
        text.append(line).append(lineEnd);
        out.append(output).append("\n");
    }

    void AddFailing(std::string_view lineEnd = "\n") {
        ++lines_;
        text.append(kFailing).append(lineEnd);
        err += "velkrant-cli: line " + std::to_string(lines_) + ": " + kThunderFailure + "\n";
    }

    // Links, then one ordinary address just long enough to end at `offset`.
    void FillTo(std::size_t offset) {
        constexpr std::size_t kShortest = std::string_view("http://p/\n").size();
        constexpr std::size_t kRoom = 64 + kShortest;  // longer than any link above
        for (std::size_t i = 0; text.size() + kRoom < offset; ++i) {
            const Link& link = kLinks[i % std::size(kLinks)];
            Add(link.link, link.address, i % 5 == 0 ? "\r\n" : "\n");
        }
        ASSERT_GE(offset, text.size() + kShortest);
        Add("http://p/" + std::string(offset - text.size() - kShortest, 'x'), kOrdinary);
        ASSERT_EQ(text.size(), offset);
    }

    std::string text;
    std::string out;
    std::string err;

private:
    int lines_ = 0;
};

TEST(BlockTest, BigInputGivesTheLineByLineResult) {
    Input input;
    input.FillTo(kRead - std::string_view(kFailing).size() - 1);
    input.AddFailing();  // the last line of a read
    input.AddFailing();  // the first line of the next
    // CR LF split between two reads.
    const Link& split = kLinks[0];
    input.FillTo(2 * kRead - split.link.size() - 1);
    input.Add(split.link, split.address, "\r\n");
    // A line longer than a read: "http://a/" and 100,000 times "xyz".
    std::string longLink = "qqdl://aHR0cDovL2Ev";
    for (int i = 0; i < 100000; ++i) longLink += "eHl6";
    std::string longAddress = "http://a/";
    for (int i = 0; i < 100000; ++i) longAddress += "xyz";
    input.Add(longLink, longAddress);
    input.AddFailing();
    input.FillTo(5 * kRead + 1000);
    input.AddFailing("");  // the last line, without a line end
    ASSERT_GT(input.text.size(), 5 * kRead);

    const TempFile file(input.text);
    struct Case {
        const char* name;
        CliResult result;
    };
    for (const Case& c : {Case{"file", RunCli({file.Path()})}, Case{"pipe", RunCli({}, input.text)}}) {
        EXPECT_TRUE(c.result.out == input.out) << c.name << ": the output differs";
        EXPECT_EQ(c.result.err, input.err) << c.name;
        EXPECT_EQ(c.result.exitCode, 1) << c.name;
    }
}

// The numbers after "&" in the lines of FlashGet links.
std::vector<std::string> FlashgetNumbers(const std::string& links) {
    std::vector<std::string> numbers;
    for (std::size_t end = 0, at = links.find('&'); at != std::string::npos; at = links.find('&', end)) {
        end = links.find('\n', at);
        numbers.push_back(links.substr(at + 1, end - at - 1));
    }
    return numbers;
}

TEST(BlockTest, FlashgetNumbersFollowTheLineOrderAcrossBlocks) {
    // Each line draws the next number: many blocks of long lines must get
    // the numbers that one small block of short lines gets.
    constexpr int kLines = 9000;
    std::string longLines;
    std::string shortLines;
    for (int i = 0; i < kLines; ++i) {
        longLines += "http://a/" + std::string(static_cast<std::size_t>(i * 7 % 300), 'k') + "\n";
        shortLines += "x\n";
    }
    ASSERT_GT(longLines.size(), 4 * kRead);
    const TempFile longFile(longLines);
    const TempFile shortFile(shortLines);
    const CliResult encoded = RunCli({"-m", "flashget-encode", longFile.Path()});
    const CliResult reference = RunCli({"-m", "flashget-encode", shortFile.Path()});
    ASSERT_EQ(encoded.exitCode, 0) << encoded.err;
    ASSERT_EQ(reference.exitCode, 0) << reference.err;
    const std::vector<std::string> numbers = FlashgetNumbers(encoded.out);
    EXPECT_EQ(numbers.size(), static_cast<std::size_t>(kLines));
    EXPECT_TRUE(numbers == FlashgetNumbers(reference.out)) << "the numbers came in another order";
    EXPECT_TRUE(RunCli({"-m", "flashget-decode"}, encoded.out).out == longLines) << "the lines came in another order";
}

}  // namespace
}  // namespace velkrant::test
