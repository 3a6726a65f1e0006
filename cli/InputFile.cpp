#include "InputFile.h"

#include "System.h"

namespace velkrant::cli {

namespace {

constexpr char kStandardInputName[] = "-";

int OpenForReading(const std::string& name) {
    return name == kStandardInputName ? System::StandardInput : System::OpenForReading(name);
}

}  // namespace

InputFile::InputFile(const std::string& name)
    : descriptor_(OpenForReading(name)), owned_(name != kStandardInputName) {}

InputFile::~InputFile() {
    if (owned_) System::Close(descriptor_);
}

std::string DisplayName(const std::string& name) {
    return name == kStandardInputName ? "standard input" : name;
}

}  // namespace velkrant::cli
