#include "BatchRun.h"

#include "BlockPipeline.h"
#include "BlockReader.h"
#include "Diagnostics.h"
#include "InputFile.h"
#include "IoError.h"
#include "OutputBuffer.h"

#include <cstdint>
#include <new>
#include <string_view>
#include <thread>

namespace velkrant::cli {

namespace {

unsigned WorkerCount(ConversionMode mode) {
    // FlashGet links draw their number from one process-wide generator:
    // converted in line order, by one worker, each line gets the number a
    // run on a single thread would give it.
    if (mode == ModeFlashgetEncode) return 1;
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 0 ? cores : 1;
}

class Run {
public:
    Run(const LineOptions& options, int outDescriptor)
        : out_(outDescriptor),
          pipeline_(
              WorkerCount(options.mode), [options](LineBlock& block) { ConvertBlock(options, block); },
              [this](LineBlock& block) { WriteBlock(block); }) {}

    // False when the input could not be read; it has been reported.
    bool ConvertInput(const std::string& name) {
        try {
            InputFile input(name);
            BlockReader reader(input.Descriptor());
            while (reader.Next(pipeline_.Acquire().input)) pipeline_.Submit();
            return true;
        } catch (const InputError& e) {
            return GiveUp(name, e.code().message());
        } catch (const std::bad_alloc&) {
            return GiveUp(name, "a line too long to hold in memory");
        }
    }

    void Finish() { pipeline_.Drain(); }
    // Only after Finish(): the writer thread keeps the flag until then.
    bool AnyLineFailed() const { return anyLineFailed_; }

private:
    bool GiveUp(const std::string& name, const std::string& reason) {
        // Everything read before the failure is written before the message.
        pipeline_.Drain();
        Complain(DisplayName(name) + ": " + reason);
        return false;
    }

    // On the writer thread, one block after the other in input order.
    void WriteBlock(const LineBlock& block) {
        const std::string_view output = block.output;
        std::size_t written = 0;
        for (const LineFailure& failure : block.failures) {
            // The lines before a failing one go out first, so that output
            // and messages interleave in order when both go to the same
            // terminal or file.
            WriteAll(out_, output.substr(written, failure.outputEnd - written));
            written = failure.outputEnd;
            anyLineFailed_ = true;
            Complain("line " + std::to_string(linesBefore_ + failure.line + 1) + ": " + failure.description);
        }
        WriteAll(out_, output.substr(written));
        linesBefore_ += block.lineCount;
    }

    int out_;
    std::uint64_t linesBefore_ = 0;  // line numbers count across all inputs
    bool anyLineFailed_ = false;
    BlockPipeline pipeline_;  // last: its threads use the members above
};

}  // namespace

ExitStatus RunBatch(const LineOptions& options, const std::vector<std::string>& files, int outDescriptor) {
    Run run(options, outDescriptor);
    const std::vector<std::string> inputs = files.empty() ? std::vector<std::string>{"-"} : files;
    try {
        for (const std::string& name : inputs) {
            if (!run.ConvertInput(name)) return ExitTrouble;
        }
        run.Finish();
    } catch (const OutputError& e) {
        // A reader that has gone away is no fault of the lines: the status
        // stays what the lines made it.
        if (ReportFailedWrite(e)) return ExitTrouble;
    }
    return run.AnyLineFailed() ? ExitLineFailed : ExitSuccess;
}

}  // namespace velkrant::cli
