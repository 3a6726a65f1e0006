// velkrant-cli on POSIX systems: arguments and file names are bytes
// already, and descriptors are the system's own.

#include "System.h"

#include "IoError.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace velkrant::cli::System {

namespace {

// A signal that arrives during the call interrupts it; asked again, it
// goes on.
template <class Call>
auto RetriedWhenInterrupted(Call call) {
    decltype(call()) result;
    do {
        result = call();
    } while (result < 0 && errno == EINTR);
    return result;
}

}  // namespace

void PrepareStandardStreams() {
    // A closed output pipe must end the run with a status, not a signal.
    std::signal(SIGPIPE, SIG_IGN);
}

std::vector<std::string> Arguments(int argc, char** argv) {
    // argc can be 0 when a caller execs us with an empty argument list.
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

int OpenForReading(const std::string& name) {
    const int descriptor = RetriedWhenInterrupted([&] { return ::open(name.c_str(), O_RDONLY | O_CLOEXEC); });
    if (descriptor < 0) throw InputError(errno);
    return descriptor;
}

void Close(int descriptor) { ::close(descriptor); }

std::size_t Read(int descriptor, char* buffer, std::size_t size) {
    const ssize_t count = RetriedWhenInterrupted([&] { return ::read(descriptor, buffer, size); });
    if (count < 0) throw InputError(errno);
    return static_cast<std::size_t>(count);
}

std::size_t Write(int descriptor, const char* data, std::size_t size) {
    const ssize_t count = RetriedWhenInterrupted([&] { return ::write(descriptor, data, size); });
    if (count < 0) throw OutputError(errno);
    return static_cast<std::size_t>(count);
}

}  // namespace velkrant::cli::System
