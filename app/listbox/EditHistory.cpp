#include "EditHistory.h"

#include <utility>

namespace velkrant {

void EditHistory::Record(Edit edit, Kind kind) {
    for (const Edit& undone : redo_) held_ -= undone.away.size();
    redo_.clear();
    held_ += edit.away.size();
    if (!Merge(edit, kind)) undo_.push_back(std::move(edit));
    lastKind_ = kind;
    DropBeyondBudget();
}

bool EditHistory::Merge(const Edit& edit, Kind kind) {
    if (kind == Kind::Other || kind != lastKind_ || undo_.empty()) return false;
    Edit& last = undo_.back();
    switch (kind) {
        case Kind::Typing:
            if (!edit.away.empty() || edit.at != last.at + last.length) return false;
            last.length += edit.length;
            return true;
        case Kind::DeletingBack:
            if (last.length != 0 || edit.at + edit.away.size() != last.at) return false;
            last.away.insert(0, edit.away);
            last.at = edit.at;
            return true;
        case Kind::DeletingForward:
            if (last.length != 0 || edit.at != last.at) return false;
            last.away += edit.away;
            return true;
        case Kind::Other:
            break;
    }
    return false;
}

bool EditHistory::Move(std::deque<Edit>& from, std::deque<Edit>& to, const Exchange& exchange) {
    if (from.empty()) return false;
    to.push_back(std::move(from.back()));
    from.pop_back();
    Edit& edit = to.back();
    held_ -= edit.away.size();
    exchange(edit);
    held_ += edit.away.size();
    lastKind_ = Kind::Other;
    return true;
}

void EditHistory::DropBeyondBudget() {
    while (held_ > budget_ && undo_.size() > 1) {
        held_ -= undo_.front().away.size();
        undo_.pop_front();
    }
}

void EditHistory::Clear() {
    undo_.clear();
    redo_.clear();
    held_ = 0;
    lastKind_ = Kind::Other;
}

}  // namespace velkrant
