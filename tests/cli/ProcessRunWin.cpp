#include "ProcessRun.h"

#include "CodePage.h"

#include <stdexcept>
#include <windows.h>

namespace velkrant::test {

namespace {

std::wstring Wide(const std::string& utf8) {
    const std::u16string text =
        CodePage::Utf8ToText(BytesView(reinterpret_cast<const std::uint8_t*>(utf8.data()), utf8.size()));
    return std::wstring(text.begin(), text.end());
}

// One argument as the child's command-line parser will split it again:
// quoted when it holds blanks or quotes or is empty, with backslashes
// doubled only where they come before a quote.
std::wstring Quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(backslashes * 2, L'\\');
    quoted.push_back(L'"');
    return quoted;
}

class Handle {
public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    ~Handle() {
        if (handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr) CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    HANDLE Get() const { return handle_; }
    HANDLE* Receive() { return &handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }

private:
    HANDLE handle_;
};

SECURITY_ATTRIBUTES Inheritable() { return SECURITY_ATTRIBUTES{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE}; }

HANDLE OpenInheritable(const std::filesystem::path& path, DWORD access, DWORD creation) {
    SECURITY_ATTRIBUTES attributes = Inheritable();
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &attributes,
                       creation, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The writing end of a pipe whose reading end is closed already.
HANDLE UnreadPipe() {
    SECURITY_ATTRIBUTES attributes = Inheritable();
    Handle reading;
    HANDLE writing = INVALID_HANDLE_VALUE;
    if (!CreatePipe(reading.Receive(), &writing, &attributes, 0)) return INVALID_HANDLE_VALUE;
    return writing;
}

}  // namespace

int RunProcess(const std::filesystem::path& program, const std::vector<std::string>& args,
               const StandardStreams& streams) {
    const Handle in(OpenInheritable(streams.in, GENERIC_READ, OPEN_EXISTING));
    const Handle out(streams.out.empty() ? UnreadPipe() : OpenInheritable(streams.out, GENERIC_WRITE, CREATE_ALWAYS));
    const Handle err(OpenInheritable(streams.err, GENERIC_WRITE, CREATE_ALWAYS));
    if (!in.Valid() || !out.Valid() || !err.Valid()) {
        throw std::runtime_error("cannot open the standard streams of a test program");
    }
    std::wstring commandLine = Quoted(program.wstring());
    for (const std::string& arg : args) commandLine += L" " + Quoted(Wide(arg));

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in.Get();
    startup.hStdOutput = out.Get();
    startup.hStdError = err.Get();
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
        throw std::runtime_error("cannot start " + program.string());
    }
    const Handle processHandle(process.hProcess);
    const Handle threadHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    return static_cast<int>(exitCode);
}

}  // namespace velkrant::test
