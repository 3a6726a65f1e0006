#pragma once
// The one error type of the program: every failure carries a stable number
// and a description, so callers can report, log and test it precisely.

#include <stdexcept>
#include <string>

namespace velkrant {

/// A failure with a stable number, a UTF-16 description and, where a
/// component names itself as the one that failed, a source text.
///
///     try { modMain::ThunderDecode(u"thunder://QUFa"); }
///     catch (const NumberedError& e) { /* e.Number() == ErrInvalidCall */ }
class NumberedError : public std::runtime_error {
public:
    NumberedError(int number, std::u16string description, std::u16string source = {});

    int Number() const noexcept { return number_; }
    const std::u16string& Description() const noexcept { return description_; }
    const std::u16string& Source() const noexcept { return source_; }

private:
    int number_;
    std::u16string description_;
    std::u16string source_;
};

// Numbers in use across the program. They are part of the error log's
// format, so they never change meaning.
inline constexpr int ErrInvalidCall = 5;         // a decoded link too short for its markers
inline constexpr int ErrOverflow = 6;            // a 16-bit quantity would overflow
inline constexpr int ErrInvalidProperty = 380;   // a property written with a value out of range
inline constexpr int ErrCancelSelected = 32755;  // a dialog was cancelled with CancelError set

}  // namespace velkrant
