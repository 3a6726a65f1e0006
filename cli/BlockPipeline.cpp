#include "BlockPipeline.h"

#include <system_error>
#include <utility>

namespace velkrant::cli {

namespace {

// Enough blocks for every worker to find several waiting, and for the
// reader to run ahead while the writer catches up: on a busy machine each
// thread that has to sleep and be woken again costs a scheduler's delay.
std::size_t SlotCount(unsigned workers) { return 4 * static_cast<std::size_t>(workers) + 4; }

}  // namespace

BlockPipeline::BlockPipeline(unsigned workers, Stage convert, Stage write)
    : convert_(std::move(convert)),
      write_(std::move(write)),
      slots_(SlotCount(workers > 0 ? workers : 1)),
      converted_(slots_.size(), false) {
    try {
        threads_.emplace_back(&BlockPipeline::Write, this);
        threads_.emplace_back(&BlockPipeline::Work, this);
    } catch (...) {
        Stop();
        throw;
    }
    // More workers only help; a system that refuses them still gets the
    // run done with one.
    for (unsigned i = 1; i < workers; ++i) {
        try {
            threads_.emplace_back(&BlockPipeline::Work, this);
        } catch (const std::system_error&) {
            break;
        }
    }
}

BlockPipeline::~BlockPipeline() { Stop(); }

void BlockPipeline::Stop() {
    {
        const std::lock_guard lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    for (std::thread& thread : threads_) thread.join();
    threads_.clear();
}

LineBlock& BlockPipeline::Acquire() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return submitted_ - written_ < slots_.size() || failure_; });
    ThrowIfFailed();
    return Slot(submitted_);
}

void BlockPipeline::Submit() {
    {
        const std::lock_guard lock(mutex_);
        ++submitted_;
    }
    changed_.notify_all();
}

void BlockPipeline::Drain() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return written_ == submitted_ || failure_; });
    ThrowIfFailed();
}

void BlockPipeline::ThrowIfFailed() const {
    if (failure_) std::rethrow_exception(failure_);
}

void BlockPipeline::Fail(std::exception_ptr failure) {
    {
        const std::lock_guard lock(mutex_);
        if (!failure_) failure_ = std::move(failure);
    }
    changed_.notify_all();
}

bool BlockPipeline::RunUnlocked(const Stage& stage, LineBlock& block, std::unique_lock<std::mutex>& lock) {
    lock.unlock();
    try {
        stage(block);
    } catch (...) {
        Fail(std::current_exception());
        return false;
    }
    lock.lock();
    return true;
}

void BlockPipeline::Work() {
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [&] { return taken_ < submitted_ || closing_ || failure_; });
        if (closing_ || failure_) return;
        const std::uint64_t sequence = taken_++;
        if (!RunUnlocked(convert_, Slot(sequence), lock)) return;
        converted_[sequence % slots_.size()] = true;
        changed_.notify_all();
    }
}

void BlockPipeline::Write() {
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [&] {
            return (written_ < submitted_ && converted_[written_ % slots_.size()]) || closing_ || failure_;
        });
        if (closing_ || failure_) return;
        if (!RunUnlocked(write_, Slot(written_), lock)) return;
        converted_[written_ % slots_.size()] = false;
        ++written_;
        changed_.notify_all();
    }
}

}  // namespace velkrant::cli
