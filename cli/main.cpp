// velkrant-cli: converts links line by line, from files or standard input
// to standard output, with the same core as the windowed program.

#include "AppInfo.h"
#include "BatchRun.h"
#include "CommandLine.h"
#include "Diagnostics.h"
#include "ExtractRun.h"
#include "IoError.h"
#include "OutputBuffer.h"
#include "System.h"

#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace velkrant::cli;

ExitStatus Print(const std::string& text) {
    try {
        WriteAll(System::StandardOutput, text);
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
        case Action::Extract:
            return RunExtract(ExtractKind::Addresses, commandLine.files, System::StandardOutput);
        case Action::Replace:
            return RunExtract(ExtractKind::Replace, commandLine.files, System::StandardOutput);
        case Action::Convert:
            break;
    }
    return RunBatch(commandLine.line, commandLine.files, System::StandardOutput);
}

}  // namespace

int main(int argc, char** argv) {
    System::PrepareStandardStreams();
    try {
        const std::vector<std::string> arguments = System::Arguments(argc, argv);
        return Main(ParseCommandLine(std::vector<std::string_view>(arguments.begin(), arguments.end())));
    } catch (const std::exception& e) {
        Complain(e.what());
        return ExitTrouble;
    }
}
