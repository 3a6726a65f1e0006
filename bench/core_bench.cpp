// Speed of the codec and the link schemes. Not a test: run it by hand on
// a release build and compare with the figures in the project notes.

#include "ConversionCommand.h"
#include "ConversionHost.h"
#include "modBase64Code.h"
#include "modMain.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace velkrant;

// A typical address of a little over a hundred characters.
const std::u16string kAddress =
    u"http://dl.example-mirror.net/pub/software/releases/2024/velkrant-setup-2.3.38-x86_64-full.exe?from=list";

class BatchNotices : public NoticeTarget {
public:
    bool BatchTicked() const override { return true; }
    void ShowMessage(const Message&) override {}
};

std::u16string AsciiText(std::size_t size) {
    std::u16string text(size, u'a');
    for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char16_t>(u' ' + (i * 7919) % 95);
    return text;
}

void Base64Encode1MiB(benchmark::State& state) {
    const std::u16string text = AsciiText(1 << 20);
    for (auto _ : state) benchmark::DoNotOptimize(modBase64Code::Base64Encode(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(Base64Encode1MiB)->Unit(benchmark::kMillisecond);

void Base64Decode1MiB(benchmark::State& state) {
    const std::u16string encoded = modBase64Code::Base64Encode(AsciiText(786432));  // 1 MiB of Base64
    for (auto _ : state) benchmark::DoNotOptimize(modBase64Code::Base64Decode(encoded));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(encoded.size()));
}
BENCHMARK(Base64Decode1MiB)->Unit(benchmark::kMillisecond);

void ThunderEncode(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(modMain::ThunderEncode(kAddress));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ThunderEncode);

void ThunderDecode(benchmark::State& state) {
    const std::u16string link = modMain::ThunderEncode(kAddress);
    for (auto _ : state) benchmark::DoNotOptimize(modMain::ThunderDecode(link));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ThunderDecode);

void AutoDecode(benchmark::State& state) {
    const std::u16string link = modMain::ThunderEncode(kAddress);
    BatchNotices notices;
    for (auto _ : state) benchmark::DoNotOptimize(modMain::AutoDecode(link, notices));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(AutoDecode);

// A batch the size users paste from a mirror's file list: a million
// addresses that differ only in a number, each about 100 characters, or
// their Thunder links (about 145), joined by CR LF like the batch box.
constexpr int kBatchLines = 1'000'000;

std::u16string BatchAddress(int i) {
    const std::string number = std::to_string(i);
    return u"http://dl.example-mirror.net/pub/software/releases/2024/package-" +
           std::u16string(number.begin(), number.end()) + u"-x86_64-full.zip?from=list";
}

template <class Line>
std::u16string BatchText(Line line) {
    std::u16string text;
    for (int i = 0; i < kBatchLines; ++i) {
        if (i > 0) text += u"\r\n";
        text += line(i);
    }
    return text;
}

void RunBatch(benchmark::State& state, ConversionMode mode, const std::u16string& text) {
    BatchNotices notices;
    for (auto _ : state) benchmark::DoNotOptimize(ConversionCommand::ConvertBatchText(mode, text, notices));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kBatchLines);
}

void BatchAutoDecode1M(benchmark::State& state) {
    RunBatch(state, ModeAuto, BatchText([](int i) { return modMain::ThunderEncode(BatchAddress(i)); }));
}
BENCHMARK(BatchAutoDecode1M)->Unit(benchmark::kMillisecond);

void BatchThunderEncode1M(benchmark::State& state) {
    RunBatch(state, ModeThunderEncode, BatchText(BatchAddress));
}
BENCHMARK(BatchThunderEncode1M)->Unit(benchmark::kMillisecond);

}  // namespace
