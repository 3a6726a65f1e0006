#include "InputFile.h"

#include "IoError.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace velkrant::cli {

namespace {

constexpr char kStandardInputName[] = "-";

int OpenForReading(const std::string& name) {
    if (name == kStandardInputName) return STDIN_FILENO;
    int descriptor;
    do {
        descriptor = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) throw InputError(errno);
    return descriptor;
}

}  // namespace

InputFile::InputFile(const std::string& name)
    : descriptor_(OpenForReading(name)), owned_(name != kStandardInputName) {}

InputFile::~InputFile() {
    if (owned_) ::close(descriptor_);
}

std::string DisplayName(const std::string& name) {
    return name == kStandardInputName ? "standard input" : name;
}

}  // namespace velkrant::cli
