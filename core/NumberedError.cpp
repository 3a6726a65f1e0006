#include "NumberedError.h"

#include <string_view>

namespace velkrant {

namespace {

// The what() text is for diagnostics only (logs of a crashed test, a
// debugger); the Description stays the authoritative UTF-16 text.
std::string NarrowForWhat(int number, std::u16string_view description) {
    std::string what = "error " + std::to_string(number) + ": ";
    for (char16_t c : description) {
        what.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return what;
}

}  // namespace

NumberedError::NumberedError(int number, std::u16string description, std::u16string source)
    : std::runtime_error(NarrowForWhat(number, description)),
      number_(number),
      description_(std::move(description)),
      source_(std::move(source)) {}

NumberedError NumberedError::FromTable(ErrorNumber number, std::u16string_view detail, std::u16string source) {
    std::u16string description(DescriptionOf(number));
    if (!detail.empty()) {
        description.append(u" (").append(detail).append(u")");
    }
    return NumberedError(number, std::move(description), std::move(source));
}

}  // namespace velkrant
