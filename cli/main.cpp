// velkrant-cli: converts links line by line, from files or standard input
// to standard output, with the same core as the windowed program.

#include "AppInfo.h"
#include "BatchRun.h"
#include "CommandLine.h"
#include "Diagnostics.h"
#include "IoError.h"
#include "OutputBuffer.h"

#include <csignal>
#include <exception>
#include <string>
#include <string_view>
#include <vector>
#include <unistd.h>

namespace {

using namespace velkrant::cli;

ExitStatus Print(const std::string& text) {
    try {
        WriteAll(STDOUT_FILENO, text);
    } catch (const OutputError& e) {
        if (ReportFailedWrite(e)) return ExitTrouble;
    }
    return ExitSuccess;
}

ExitStatus Main(const CommandLine& commandLine) {
    switch (commandLine.action) {
        case Action::ShowHelp:
            return Print(UsageText());
        case Action::ShowVersion:
            return Print(std::string(ProgramName) + " " + velkrant::AppInfo::VersionText + "\n");
        case Action::UsageError:
            Complain(commandLine.error);
            Complain("try 'velkrant-cli --help' for more information");
            return ExitTrouble;
        case Action::Convert:
            break;
    }
    return RunBatch(commandLine.mode, commandLine.files, STDOUT_FILENO);
}

}  // namespace

int main(int argc, char** argv) {
    // A closed output pipe must end the run with a status, not a signal.
    std::signal(SIGPIPE, SIG_IGN);
    try {
        // argc can be 0 when a caller execs us with an empty argument list.
        const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
        return Main(ParseCommandLine(args));
    } catch (const std::exception& e) {
        Complain(e.what());
        return ExitTrouble;
    }
}
