#include "ListBoxAccessible.h"

#include "AccessibleText.h"
#include "ListBox.h"

#include <QAccessibleWidget>

#include <algorithm>
#include <optional>
#include <utility>

namespace velkrant::ListBoxAccessible {

namespace {

using AccessibleText::OffsetOf;

class AccessibleListBox : public QAccessibleWidget,
                          public QAccessibleTextInterface,
                          public QAccessibleEditableTextInterface {
public:
    explicit AccessibleListBox(ListBox* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface && !Box().isReadOnly()) {
            return static_cast<QAccessibleEditableTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.multiLine = true;
        state.selectableText = true;
        state.readOnly = Box().isReadOnly();
        state.editable = !Box().isReadOnly();
        return state;
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) return text(0, characterCount());
        return QAccessibleWidget::text(kind);
    }

    // The viewport inside draws the text that this box already presents; a
    // screen reader meeting it would announce the box twice.
    int childCount() const override { return static_cast<int>(Children().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> children = Children();
        return index >= 0 && index < children.size() ? QAccessible::queryAccessibleInterface(children[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child == nullptr ? -1 : static_cast<int>(Children().indexOf(child->object()));
    }

    // QAccessibleTextInterface, in offsets where a line break is one character.
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && selectionCount() == 1) {
            *startOffset = Offset(Box().SelectionStart());
            *endOffset = Offset(Box().SelectionEnd());
        }
    }
    int selectionCount() const override { return Box().SelectionStart() != Box().SelectionEnd() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int selectionIndex) override {
        if (selectionIndex == 0) Box().Select(Box().CaretPosition(), Box().CaretPosition());
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override {
        if (selectionIndex == 0) Box().Select(Position(startOffset), Position(endOffset));
    }
    int cursorPosition() const override { return Offset(Box().CaretPosition()); }
    void setCursorPosition(int position) override { Box().Select(Position(position), Position(position)); }
    QString text(int startOffset, int endOffset) const override {
        return AccessibleText::Between(List(), Clamped(startOffset), Clamped(endOffset));
    }
    int characterCount() const override { return static_cast<int>(AccessibleText::Length(List())); }
    QRect characterRect(int offset) const override {
        const QRect rect = Box().CharacterRect(Position(offset));
        return QRect(Box().mapToGlobal(rect.topLeft()), rect.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint local = Box().mapFromGlobal(point);
        if (!Box().rect().contains(local)) return -1;
        return Offset(Box().PositionAtPoint(local));
    }
    void scrollToSubstring(int startIndex, int endIndex) override {
        Box().Select(Position(startIndex), Position(endIndex));
    }
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return {};
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                         int* endOffset) const override {
        return Item(AccessibleText::ItemAt(List(), Clamped(offset), boundary), startOffset, endOffset);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                             int* endOffset) const override {
        return Item(AccessibleText::ItemBefore(List(), Clamped(offset), boundary), startOffset, endOffset);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                            int* endOffset) const override {
        return Item(AccessibleText::ItemAfter(List(), Clamped(offset), boundary), startOffset, endOffset);
    }

    // QAccessibleEditableTextInterface: each edit is the user's, one step
    // that undo takes back.
    void deleteText(int startOffset, int endOffset) override { replaceText(startOffset, endOffset, {}); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override {
        const std::size_t start = Position(startOffset);
        Box().Replace(start, std::max(start, Position(endOffset)), ListBox::View(text));
    }

    /// Whether a screen reader must hear of the selection now: it differs
    /// from the last one it heard of, and one of them is not empty.
    bool SelectionChanged() {
        const std::pair selection{Box().SelectionStart(), Box().SelectionEnd()};
        const bool changed = selection != reported_ &&
                             (selection.first != selection.second || reported_.first != reported_.second);
        reported_ = selection;
        return changed;
    }

private:
    ListBox& Box() const { return *static_cast<ListBox*>(widget()); }
    const ListText& List() const { return Box().List(); }
    std::size_t Clamped(int offset) const {
        return std::min(static_cast<std::size_t>(std::max(offset, 0)), AccessibleText::Length(List()));
    }
    std::size_t Position(int offset) const { return AccessibleText::PositionOf(List(), Clamped(offset)); }
    int Offset(std::size_t position) const { return static_cast<int>(OffsetOf(List(), position)); }
    QString Item(std::optional<AccessibleText::Range> range, int* startOffset, int* endOffset) const {
        if (!range) {
            *startOffset = *endOffset = -1;
            return {};
        }
        *startOffset = static_cast<int>(range->start);
        *endOffset = static_cast<int>(range->end);
        return AccessibleText::Between(List(), range->start, range->end);
    }
    QList<QWidget*> Children() const {
        QList<QWidget*> children;
        for (QObject* object : Box().children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (child != nullptr && child != Box().viewport() && !child->isWindow()) children.append(child);
        }
        return children;
    }

    std::pair<std::size_t, std::size_t> reported_{0, 0};
};

}  // namespace

QAccessibleInterface* Factory(const QString&, QObject* object) {
    if (auto* box = dynamic_cast<ListBox*>(object)) return new AccessibleListBox(box);
    return nullptr;
}

void TextChanged(ListBox& box, std::size_t at, std::u16string_view removed, std::u16string_view inserted) {
    if (!QAccessible::isActive()) return;
    const auto offset = static_cast<int>(OffsetOf(box.List(), at));
    if (!removed.empty()) {
        QAccessibleTextRemoveEvent event(&box, offset, AccessibleText::WithSingleBreaks(removed));
        QAccessible::updateAccessibility(&event);
    }
    if (!inserted.empty()) {
        QAccessibleTextInsertEvent event(&box, offset, AccessibleText::WithSingleBreaks(inserted));
        QAccessible::updateAccessibility(&event);
    }
}

void CaretMoved(ListBox& box) {
    if (!QAccessible::isActive()) return;
    // The selection first: a screen reader that hears of the caret has then
    // heard all.
    auto* accessible = dynamic_cast<AccessibleListBox*>(QAccessible::queryAccessibleInterface(&box));
    if (accessible != nullptr && accessible->SelectionChanged()) {
        QAccessibleTextSelectionEvent selection(&box, static_cast<int>(OffsetOf(box.List(), box.SelectionStart())),
                                                static_cast<int>(OffsetOf(box.List(), box.SelectionEnd())));
        QAccessible::updateAccessibility(&selection);
    }
    QAccessibleTextCursorEvent caret(&box, static_cast<int>(OffsetOf(box.List(), box.CaretPosition())));
    QAccessible::updateAccessibility(&caret);
}

}  // namespace velkrant::ListBoxAccessible
