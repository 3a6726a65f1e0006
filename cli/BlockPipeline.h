#pragma once
// Blocks of lines converted on several threads and written strictly in the
// order they were read: one thread reads (the caller), `workers` convert,
// one writes. A fixed number of blocks is in flight at any time, so memory
// does not grow with the input.

#include "LineBlock.h"

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace velkrant::cli {

/// `convert` runs on the worker threads, any number of blocks at once;
/// `write` runs on the writer thread, one block at a time, in the order of
/// Submit(). The first exception either of them throws stops the pipeline
/// and is thrown again to the caller by Acquire() or Drain().
///
///     BlockPipeline pipeline(2, Convert, Write);
///     while (true) {
///         LineBlock& block = pipeline.Acquire();
///         if (!reader.Next(block.input)) break;
///         pipeline.Submit();
///     }
///     pipeline.Drain();   // everything submitted has been written
class BlockPipeline {
public:
    using Stage = std::function<void(LineBlock&)>;

    BlockPipeline(unsigned workers, Stage convert, Stage write);
    ~BlockPipeline();  // stops the threads; blocks not yet written are dropped
    BlockPipeline(const BlockPipeline&) = delete;
    BlockPipeline& operator=(const BlockPipeline&) = delete;

    /// The block to fill next, once one is free. Until Submit() it belongs
    /// to the caller; asked again without Submit(), it is the same block.
    LineBlock& Acquire();
    /// Hands the acquired block on.
    void Submit();
    /// Waits until every submitted block has been written.
    void Drain();

private:
    void Work();
    void Write();
    void Stop();
    LineBlock& Slot(std::uint64_t sequence) { return slots_[sequence % slots_.size()]; }
    // Under the lock: throws the failure that stopped the pipeline, if any.
    void ThrowIfFailed() const;
    void Fail(std::exception_ptr failure);
    // Runs `stage` on `block` with the lock released; false when it threw,
    // which has stopped the pipeline (the lock is then left released).
    bool RunUnlocked(const Stage& stage, LineBlock& block, std::unique_lock<std::mutex>& lock);

    Stage convert_;
    Stage write_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<LineBlock> slots_;
    std::vector<bool> converted_;  // per slot
    std::uint64_t submitted_ = 0;  // blocks, counted since the start
    std::uint64_t taken_ = 0;      // handed to a worker
    std::uint64_t written_ = 0;
    bool closing_ = false;
    std::exception_ptr failure_;
    std::vector<std::thread> threads_;
};

}  // namespace velkrant::cli
