#include "CliProcess.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace velkrant::test {

TempFile::TempFile(std::string_view content) {
    std::string pattern = (std::filesystem::temp_directory_path() / "velkrant-cli-test-XXXXXX").string();
    const int descriptor = ::mkstemp(pattern.data());
    if (descriptor < 0) throw std::runtime_error("cannot create a temporary file");
    ::close(descriptor);
    path_ = pattern;
    std::ofstream(path_, std::ios::binary).write(content.data(), static_cast<std::streamsize>(content.size()));
}

TempFile::~TempFile() { std::filesystem::remove(path_); }

std::string TempFile::Read() const {
    std::ifstream file(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

int RunCliOn(const std::vector<std::string>& args, int inDescriptor, int outDescriptor, int errDescriptor) {
    std::vector<std::string> argStorage{VELKRANT_CLI_PATH};
    argStorage.insert(argStorage.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argStorage) argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, inDescriptor, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, outDescriptor, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errDescriptor, STDERR_FILENO);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) throw std::runtime_error("cannot start " + argStorage[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

CliResult RunCli(const std::vector<std::string>& args, std::string_view input) {
    // Files rather than pipes: nothing can block, whatever the sizes.
    const TempFile in(input);
    const TempFile out("");
    const TempFile err("");
    const int inDescriptor = ::open(in.Path().c_str(), O_RDONLY);
    const int outDescriptor = ::open(out.Path().c_str(), O_WRONLY | O_TRUNC);
    const int errDescriptor = ::open(err.Path().c_str(), O_WRONLY | O_TRUNC);
    const int status = RunCliOn(args, inDescriptor, outDescriptor, errDescriptor);
    ::close(inDescriptor);
    ::close(outDescriptor);
    ::close(errDescriptor);
    CliResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = out.Read();
    result.err = err.Read();
    return result;
}

}  // namespace velkrant::test
