#include "ListBoxAccessible.h"

#include "ListBox.h"

#include <QAccessibleWidget>

#include <algorithm>

namespace velkrant::ListBoxAccessible {

namespace {

class AccessibleListBox : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleListBox(ListBox* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
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
        // The value is the whole text; a list of a million lines is read in
        // ranges through the text interface instead.
        if (kind == QAccessible::Value) return ListBox::ToQString(Box().Text());
        return QAccessibleWidget::text(kind);
    }

    // QAccessibleTextInterface: offsets are positions in the CR LF-joined text.
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && Box().SelectionStart() != Box().SelectionEnd()) {
            *startOffset = static_cast<int>(Box().SelectionStart());
            *endOffset = static_cast<int>(Box().SelectionEnd());
        }
    }
    int selectionCount() const override { return Box().SelectionStart() != Box().SelectionEnd() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int selectionIndex) override {
        if (selectionIndex == 0) Box().Select(Box().CaretPosition(), Box().CaretPosition());
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override {
        if (selectionIndex == 0) Box().Select(Clamped(startOffset), Clamped(endOffset));
    }
    int cursorPosition() const override { return static_cast<int>(Box().CaretPosition()); }
    void setCursorPosition(int position) override { Box().Select(Clamped(position), Clamped(position)); }
    QString text(int startOffset, int endOffset) const override {
        const std::size_t start = Clamped(startOffset);
        return ListBox::ToQString(Box().Text().substr(start, std::max(start, Clamped(endOffset)) - start));
    }
    int characterCount() const override { return static_cast<int>(Box().Text().size()); }
    QRect characterRect(int offset) const override {
        const QRect rect = Box().CharacterRect(Clamped(offset));
        return QRect(Box().mapToGlobal(rect.topLeft()), rect.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint local = Box().mapFromGlobal(point);
        if (!Box().rect().contains(local)) return -1;
        return static_cast<int>(Box().PositionAtPoint(local));
    }
    void scrollToSubstring(int startIndex, int endIndex) override {
        Box().Select(Clamped(startIndex), Clamped(endIndex));
    }
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    ListBox& Box() const { return *static_cast<ListBox*>(widget()); }
    std::size_t Clamped(int offset) const {
        return std::min(static_cast<std::size_t>(std::max(offset, 0)), Box().Text().size());
    }
};

}  // namespace

QAccessibleInterface* Factory(const QString&, QObject* object) {
    if (auto* box = dynamic_cast<ListBox*>(object)) return new AccessibleListBox(box);
    return nullptr;
}

void TextChanged(ListBox& box, std::size_t at, std::u16string_view removed, std::u16string_view inserted) {
    if (!QAccessible::isActive()) return;
    if (!removed.empty()) {
        QAccessibleTextRemoveEvent event(&box, static_cast<int>(at), ListBox::ToQString(removed));
        QAccessible::updateAccessibility(&event);
    }
    if (!inserted.empty()) {
        QAccessibleTextInsertEvent event(&box, static_cast<int>(at), ListBox::ToQString(inserted));
        QAccessible::updateAccessibility(&event);
    }
    CaretMoved(box);
}

void CaretMoved(ListBox& box) {
    if (!QAccessible::isActive()) return;
    QAccessibleTextCursorEvent caret(&box, static_cast<int>(box.CaretPosition()));
    QAccessible::updateAccessibility(&caret);
    QAccessibleTextSelectionEvent selection(&box, static_cast<int>(box.SelectionStart()),
                                            static_cast<int>(box.SelectionEnd()));
    QAccessible::updateAccessibility(&selection);
}

}  // namespace velkrant::ListBoxAccessible
