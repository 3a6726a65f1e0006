#include "BatchRun.h"

#include "CodePage.h"
#include "Diagnostics.h"
#include "InputFile.h"
#include "IoError.h"
#include "LineConverter.h"
#include "LineReader.h"
#include "NumberedError.h"
#include "OutputBuffer.h"

#include <cstdint>
#include <new>

namespace velkrant::cli {

namespace {

class Run {
public:
    Run(const LineOptions& options, int outDescriptor) : options_(options), out_(outDescriptor) {}

    // False when the input could not be read; it has been reported.
    bool ConvertInput(const std::string& name) {
        try {
            InputFile input(name);
            LineReader reader(input.Descriptor());
            std::string_view line;
            while (reader.Next(line)) ConvertOneLine(line);
            return true;
        } catch (const InputError& e) {
            return GiveUp(name, e.code().message());
        } catch (const std::bad_alloc&) {
            return GiveUp(name, "a line too long to hold in memory");
        }
    }

    void Finish() { out_.Flush(); }
    bool AnyLineFailed() const { return anyLineFailed_; }

private:
    bool GiveUp(const std::string& name, const std::string& reason) {
        out_.Flush();
        Complain(DisplayName(name) + ": " + reason);
        return false;
    }

    void ConvertOneLine(std::string_view line) {
        ++lineNumber_;
        try {
            out_.Write(ConvertLine(options_, line));
            out_.Put('\n');
        } catch (const NumberedError& e) {
            ReportFailedLine(CodePage::TextToUtf8(e.Description()));
        } catch (const std::bad_alloc&) {
            // One line too large for memory must not cost the other lines.
            ReportFailedLine("out of memory");
        }
    }

    void ReportFailedLine(const std::string& description) {
        anyLineFailed_ = true;
        // Flushed first, so that output and messages interleave in order
        // when both go to the same terminal or file.
        out_.Flush();
        Complain("line " + std::to_string(lineNumber_) + ": " + description);
    }

    LineOptions options_;
    OutputBuffer out_;
    std::uint64_t lineNumber_ = 0;
    bool anyLineFailed_ = false;
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
