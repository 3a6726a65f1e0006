#include "EditHistory.h"

#include <utility>

namespace velkrant {

namespace {

bool HoldsLineBreak(const std::u16string& text) {
    return text.find(u'\r') != std::u16string::npos;
}

}  // namespace

void EditHistory::Record(Edit edit, Kind kind) {
    redo_.clear();
    if (!Merge(edit, kind)) undo_.push_back(std::move(edit));
    // A new line ends a run of typing.
    lastKind_ = HoldsLineBreak(undo_.back().inserted) ? Kind::Other : kind;
}

bool EditHistory::Merge(const Edit& edit, Kind kind) {
    if (kind == Kind::Other || kind != lastKind_ || undo_.empty()) return false;
    Edit& last = undo_.back();
    switch (kind) {
        case Kind::Typing:
            if (!edit.removed.empty() || edit.at != last.at + last.inserted.size()) return false;
            last.inserted += edit.inserted;
            return true;
        case Kind::DeletingBack:
            if (!last.inserted.empty() || edit.at + edit.removed.size() != last.at) return false;
            last.removed.insert(0, edit.removed);
            last.at = edit.at;
            return true;
        case Kind::DeletingForward:
            if (!last.inserted.empty() || edit.at != last.at) return false;
            last.removed += edit.removed;
            return true;
        case Kind::Other:
            break;
    }
    return false;
}

const Edit* EditHistory::Undo() {
    if (undo_.empty()) return nullptr;
    redo_.push_back(std::move(undo_.back()));
    undo_.pop_back();
    lastKind_ = Kind::Other;
    return &redo_.back();
}

const Edit* EditHistory::Redo() {
    if (redo_.empty()) return nullptr;
    undo_.push_back(std::move(redo_.back()));
    redo_.pop_back();
    lastKind_ = Kind::Other;
    return &undo_.back();
}

void EditHistory::Clear() {
    undo_.clear();
    redo_.clear();
    lastKind_ = Kind::Other;
}

}  // namespace velkrant
