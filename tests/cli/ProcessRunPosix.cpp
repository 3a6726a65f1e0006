#include "ProcessRun.h"

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace velkrant::test {

namespace {

// Descriptors the child gets as its standard streams; closed here again.
class ChildStreams {
public:
    explicit ChildStreams(const StandardStreams& streams) {
        descriptors_[0] = ::open(streams.in.c_str(), O_RDONLY | O_CLOEXEC);
        descriptors_[2] = ::open(streams.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (streams.out.empty()) {
            int pipeEnds[2];
            if (::pipe2(pipeEnds, O_CLOEXEC) == 0) {
                ::close(pipeEnds[0]);
                descriptors_[1] = pipeEnds[1];
            }
        } else {
            descriptors_[1] = ::open(streams.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        }
        for (const int descriptor : descriptors_) {
            if (descriptor < 0) throw std::runtime_error("cannot open the standard streams of a test program");
        }
    }
    ~ChildStreams() {
        for (const int descriptor : descriptors_) {
            if (descriptor >= 0) ::close(descriptor);
        }
    }
    ChildStreams(const ChildStreams&) = delete;
    ChildStreams& operator=(const ChildStreams&) = delete;

    int operator[](int stream) const { return descriptors_[stream]; }

private:
    int descriptors_[3] = {-1, -1, -1};
};

}  // namespace

int RunProcess(const std::filesystem::path& program, const std::vector<std::string>& args,
               const StandardStreams& streams) {
    const ChildStreams descriptors(streams);
    std::vector<std::string> argStorage{program.string()};
    argStorage.insert(argStorage.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argStorage) argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        posix_spawn_file_actions_adddup2(&actions, descriptors[stream], stream);
    }
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) throw std::runtime_error("cannot start " + argStorage[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace velkrant::test
