#pragma once
// The one error type of the program, and the one table of its numbers:
// every failure carries a stable number and a description, so callers can
// report, log and test it precisely.

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

namespace velkrant {

/// Every number the program raises. They are part of the error log's
/// format (a log line carries the number and its description), so a
/// number never changes meaning.
enum ErrorNumber : int {
    ErrInvalidCall = 5,          // a decoded link too short for its markers; a negative file-name size
    ErrOverflow = 6,             // a 16-bit quantity would overflow
    ErrOutOfMemory = 7,          // a file far larger than any list, or a list that does not fit into memory
    ErrInternal = 51,            // anything unexpected during an import or export
    ErrFileNotFound = 53,        // the file to read does not exist
    ErrDeviceIo = 57,            // reading or writing the data failed
    ErrPermissionDenied = 70,    // the file or its folder may not be used
    ErrPathFileAccess = 75,      // a folder stands where the file should be, or the system refused otherwise
    ErrPathNotFound = 76,        // the folder part does not exist, or is a file
    ErrInvalidProperty = 380,    // a property written with a value out of range
    ErrCancelSelected = 32755,   // a dialog was cancelled with CancelError set
};

struct ErrorEntry {
    ErrorNumber number;
    std::u16string_view description;
};

inline constexpr std::array<ErrorEntry, 11> ErrorTable{{
    {ErrInvalidCall, u"Invalid procedure call or argument"},
    {ErrOverflow, u"Overflow"},
    {ErrOutOfMemory, u"Out of memory"},
    {ErrInternal, u"Internal error"},
    {ErrFileNotFound, u"File not found"},
    {ErrDeviceIo, u"Device I/O error"},
    {ErrPermissionDenied, u"Permission denied"},
    {ErrPathFileAccess, u"Path/File access error"},
    {ErrPathNotFound, u"Path not found"},
    {ErrInvalidProperty, u"Invalid property value"},
    {ErrCancelSelected, u"Cancel was selected."},
}};

/// The table's description of `number`; empty for a number not in it.
///
///     DescriptionOf(ErrFileNotFound) == u"File not found"
constexpr std::u16string_view DescriptionOf(ErrorNumber number) {
    for (const ErrorEntry& entry : ErrorTable) {
        if (entry.number == number) return entry.description;
    }
    return {};
}

/// A failure with a stable number, a UTF-16 description and, where a
/// component names itself as the one that failed, a source text.
///
///     try { modMain::ThunderDecode(u"thunder://QUFa"); }
///     catch (const NumberedError& e) { /* e.Number() == ErrInvalidCall */ }
class NumberedError : public std::runtime_error {
public:
    NumberedError(int number, std::u16string description, std::u16string source = {});

    /// The error with the table's description, followed by `detail` where
    /// one is given: "Path not found (No such file or directory)".
    ///
    ///     throw NumberedError::FromTable(ErrOverflow);
    static NumberedError FromTable(ErrorNumber number, std::u16string_view detail = {}, std::u16string source = {});

    int Number() const noexcept { return number_; }
    const std::u16string& Description() const noexcept { return description_; }
    const std::u16string& Source() const noexcept { return source_; }

private:
    int number_;
    std::u16string description_;
    std::u16string source_;
};

}  // namespace velkrant
