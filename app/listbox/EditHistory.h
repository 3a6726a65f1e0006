#pragma once
// Undo and redo for a list box. Each step is one replacement: the text
// removed at an offset and the text put in its place. A run of typed
// characters, or of characters deleted one by one, is undone in one step,
// as in any editor.

#include <cstddef>
#include <string>
#include <vector>

namespace velkrant {

struct Edit {
    std::size_t at = 0;
    std::u16string removed;
    std::u16string inserted;
};

class EditHistory {
public:
    /// How an edit came about; consecutive typing or deleting merges.
    enum class Kind { Other, Typing, DeletingBack, DeletingForward };

    /// Records an edit just made; it ends whatever could be redone.
    void Record(Edit edit, Kind kind);
    /// The step to undo, now moved to the redo side; nullptr when none.
    const Edit* Undo();
    /// The step to redo, now back on the undo side; nullptr when none.
    const Edit* Redo();
    /// Ends the current step, so the next edit does not merge into it.
    void Seal() { lastKind_ = Kind::Other; }
    void Clear();

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }

private:
    bool Merge(const Edit& edit, Kind kind);

    std::vector<Edit> undo_;
    std::vector<Edit> redo_;
    Kind lastKind_ = Kind::Other;
};

}  // namespace velkrant
