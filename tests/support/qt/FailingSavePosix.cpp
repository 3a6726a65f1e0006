#include "FailingSave.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace velkrant::test {

// A file-size limit holds for every file of the process, root's too; the
// signal it would raise is ignored, so the write fails instead.
struct FailingSave::Held {
    rlimit previous{};
    void (*previousHandler)(int) = nullptr;
};

FailingSave::FailingSave(const QString&) : held_(std::make_unique<Held>()) {
    getrlimit(RLIMIT_FSIZE, &held_->previous);
    held_->previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = held_->previous;
    limit.rlim_cur = 1024;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
}

FailingSave::~FailingSave() {
    setrlimit(RLIMIT_FSIZE, &held_->previous);
    std::signal(SIGXFSZ, held_->previousHandler);
}

}  // namespace velkrant::test
