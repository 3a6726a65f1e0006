#include "Diagnostics.h"

#include "IoError.h"
#include "OutputBuffer.h"
#include "System.h"

#include <cerrno>
#include <string>

namespace velkrant::cli {

void Complain(std::string_view message) {
    std::string line(ProgramName);
    line.append(": ").append(message).push_back('\n');
    try {
        WriteAll(System::StandardError, line);
    } catch (const OutputError&) {
    }
}

bool ReportFailedWrite(const OutputError& error) {
    if (error.code().value() == EPIPE) return false;
    Complain("standard output: " + error.code().message());
    return true;
}

}  // namespace velkrant::cli
