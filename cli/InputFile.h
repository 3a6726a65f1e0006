#pragma once
// One input of a run: a named file, or standard input for "-".

#include <string>

namespace velkrant::cli {

/// Opens the input on construction and closes it on destruction (standard
/// input stays open: it may be named again).
///
///     InputFile input("links.txt");          // throws InputError if it cannot be opened
///     BlockReader reader(input.Descriptor());
class InputFile {
public:
    explicit InputFile(const std::string& name);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    int Descriptor() const { return descriptor_; }

private:
    int descriptor_;
    bool owned_;
};

/// How messages name an input: the file name, or "standard input" for "-".
std::string DisplayName(const std::string& name);

}  // namespace velkrant::cli
