// velkrant-cli on Windows. Arguments and file names come from the system
// in UTF-16 and travel on as UTF-8, so a name outside the ANSI code page
// (Korean on a Chinese system) still opens. The standard streams are put
// into binary mode: the C library would otherwise turn LF into CR LF and
// end the input at the first 0x1A byte.

#include "System.h"

#include "CodePage.h"
#include "IoError.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <stdexcept>
#include <windows.h>
#include <shellapi.h>

namespace velkrant::cli::System {

namespace {

std::u16string WideName(const std::string& name) {
    return CodePage::Utf8ToText(BytesView(reinterpret_cast<const std::uint8_t*>(name.data()), name.size()));
}

bool IsFolder(const std::u16string& name) {
    const DWORD attributes = GetFileAttributesW(reinterpret_cast<const wchar_t*>(name.c_str()));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The system's ways of saying that nobody reads the pipe any more; the C
// library reports most of them as an invalid argument.
bool ReaderHasGone(unsigned long systemError) {
    return systemError == ERROR_BROKEN_PIPE || systemError == ERROR_NO_DATA ||
           systemError == ERROR_PIPE_NOT_CONNECTED;
}

unsigned ChunkSize(std::size_t size) { return static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)); }

}  // namespace

void PrepareStandardStreams() {
    // Windows has no SIGPIPE: a closed pipe already fails the write.
    for (const int descriptor : {StandardInput, StandardOutput, StandardError}) _setmode(descriptor, _O_BINARY);
}

std::vector<std::string> Arguments(int, char**) {
    // The narrow argv has passed through the ANSI code page, which loses
    // every character it lacks; the wide command line has them all.
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) throw std::runtime_error("cannot read the command line");
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        arguments.push_back(CodePage::TextToUtf8(reinterpret_cast<const char16_t*>(wide[i])));
    }
    LocalFree(wide);
    return arguments;
}

int OpenForReading(const std::string& name) {
    const std::u16string wide = WideName(name);
    const int descriptor =
        _wopen(reinterpret_cast<const wchar_t*>(wide.c_str()), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    if (descriptor >= 0) return descriptor;
    // The system will not open a folder at all and calls that a denied
    // access; say what it is, as other platforms do.
    throw InputError(errno == EACCES && IsFolder(wide) ? EISDIR : errno);
}

void Close(int descriptor) { _close(descriptor); }

std::size_t Read(int descriptor, char* buffer, std::size_t size) {
    const int count = _read(descriptor, buffer, ChunkSize(size));
    if (count < 0) throw InputError(errno);
    return static_cast<std::size_t>(count);
}

std::size_t Write(int descriptor, const char* data, std::size_t size) {
    const int count = _write(descriptor, data, ChunkSize(size));
    if (count < 0) throw OutputError(ReaderHasGone(_doserrno) ? EPIPE : errno);
    return static_cast<std::size_t>(count);
}

}  // namespace velkrant::cli::System
