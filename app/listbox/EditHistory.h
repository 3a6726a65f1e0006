#pragma once
// Undo and redo for a list box. Each step is one replacement: at an offset,
// the box holds `length` units where it held `away` before (after an
// undo, the other way round). A step keeps only the side that is not in
// the box: a paste over a whole list keeps the old list, not both. A run of
// typed characters, or of characters deleted one by one, is undone in one
// step, as in any editor.
//
// The steps are bounded by memory: beyond kBudget units of kept text the
// oldest steps go, though the last one always stays, so that the latest
// edit can be undone whatever its size. Three pastes over a million-line
// list would otherwise keep a gigabyte of old lists.

#include <cstddef>
#include <deque>
#include <functional>
#include <string>

namespace velkrant {

struct Edit {
    std::size_t at = 0;
    std::u16string away;     // the text this step takes out of the box, when undone or redone
    std::size_t length = 0;  // the units of the box that it replaces
};

class EditHistory {
public:
    /// How an edit came about; consecutive typing or deleting merges.
    enum class Kind { Other, Typing, DeletingBack, DeletingForward };
    /// 64 Mi UTF-16 units, 128 MiB: a few hundred thousand links, or the
    /// steps of a long day's typing.
    static constexpr std::size_t kBudget = std::size_t{64} << 20;

    /// Swaps a step with the box: puts `away` in place of the `length`
    /// units at `at`, and leaves in the step what it took out and how long
    /// the text put back is.
    using Exchange = std::function<void(Edit& edit)>;

    /// `budget`: the units of kept text beyond which the oldest steps go.
    explicit EditHistory(std::size_t budget = kBudget) : budget_(budget) {}

    /// Records an edit just made; it ends whatever could be redone.
    void Record(Edit edit, Kind kind);
    /// Undoes or redoes the last step through `exchange`; false when none.
    bool Undo(const Exchange& exchange) { return Move(undo_, redo_, exchange); }
    bool Redo(const Exchange& exchange) { return Move(redo_, undo_, exchange); }
    /// Ends the current step, so the next edit does not merge into it.
    void Seal() { lastKind_ = Kind::Other; }
    void Clear();

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    /// The units of text the steps keep.
    std::size_t Held() const { return held_; }

private:
    bool Merge(const Edit& edit, Kind kind);
    bool Move(std::deque<Edit>& from, std::deque<Edit>& to, const Exchange& exchange);
    void DropBeyondBudget();

    std::deque<Edit> undo_;
    std::deque<Edit> redo_;
    std::size_t budget_;
    std::size_t held_ = 0;
    Kind lastKind_ = Kind::Other;
};

}  // namespace velkrant
