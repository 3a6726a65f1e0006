#pragma once
// A multi-line text box for lists of links, one per line, that stays quick
// with a million lines: it keeps its text in one piece (ListText) and lays
// out only the lines in view. To the user it is an ordinary plain text box
// that never wraps: a caret, selection by mouse and keyboard, the clipboard,
// undo and redo, the usual context menu, input methods, and scroll bars.
// Tab moves on to the next control, as from every other box; a link list
// has no use for tab characters.
//
// Keys, mouse and clipboard behave as in the toolkit's own plain text box,
// but for these differences, kept because a list of links is better served
// so:
// - A paste is a step of its own for undo, never merged with the typing
//   around it, so that undo takes back a pasted list and nothing else; so
//   is whatever is typed after an undo.
// - Shift+Return starts a new line like Return: a list has lines only.
// - Every line stands at the font's own pitch, even where a fallback font
//   for some character would make it taller: a million lines scroll and
//   page evenly, and a line's place follows from its number.
// - Read-only, Ctrl+Home and Ctrl+End scroll to the start and the end, as
//   Home and End do.
// - A Shift+click after the text has changed extends by characters: the
//   word or line a double or triple click picked before is gone.
//
// Positions are offsets into the CR LF-joined text; the caret never stands
// inside a CR LF or a surrogate pair.

#include "EditHistory.h"
#include "ListText.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QPoint>
#include <QString>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

class QMenu;
class QMimeData;
class QTextLayout;

namespace velkrant {

class ListBox : public QAbstractScrollArea {
public:
    explicit ListBox(QWidget* parent = nullptr);
    ~ListBox() override;

    /// The lines joined by CR LF, read in place: valid until the box changes.
    ///
    ///     std::u16string copy(txtBatchIn->Text());
    std::u16string_view Text() const { return list_.Text(); }
    /// Replaces the whole text and forgets the undo history; any kind of
    /// line break in `text` starts a new line. The caret goes to the start.
    ///
    ///     txtBatchOut->SetText(std::move(output));
    void SetText(std::u16string text);
    /// Adds `text` at the very end, as one step the user can undo.
    void Append(std::u16string_view text);
    int LineCount() const { return static_cast<int>(list_.LineCount()); }

    /// The selected text, lines joined by CR LF.
    std::u16string SelectedText() const;
    /// The caret's offset into Text().
    std::size_t CaretPosition() const { return caret_; }
    /// The selection, [SelectionStart(), SelectionEnd()); empty when equal.
    std::size_t SelectionStart() const { return std::min(caret_, anchor_); }
    std::size_t SelectionEnd() const { return std::max(caret_, anchor_); }
    /// Selects from `anchor` to `caret` (offsets into Text(); one inside a
    /// CR LF goes to its start) and scrolls the caret into view.
    void Select(std::size_t anchor, std::size_t caret);
    /// Where the character at `position` is drawn, in the box's coordinates.
    QRect CharacterRect(std::size_t position) const;
    /// The position nearest to `point`, in the box's coordinates.
    std::size_t PositionAtPoint(QPoint point) const;

    /// Replaces [from, to) with `text` as one step the user can undo, as
    /// typing over a selection does; nothing in a read-only box.
    void Replace(std::size_t from, std::size_t to, std::u16string_view text);
    /// The text with its line index, for reading it in ranges.
    const ListText& List() const { return list_; }

    /// Conversions at the box's boundary with the toolkit's strings.
    static QString ToQString(std::u16string_view text);
    static std::u16string_view View(const QString& text);

    bool isReadOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly);
    void setUndoRedoEnabled(bool enabled);

    // The commands of the keyboard and the context menu.
    void clear();
    void selectAll();
    void undo();
    void redo();
    void cut();
    void copy() const;
    void paste();
    /// Makes the selection the X11 primary selection, as a selection the
    /// user made does; nothing when nothing is selected or the system has
    /// no such selection.
    void SetSelectionClipboard() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

private:
    // Text and caret.
    void ReplaceSelection(std::u16string_view text, EditHistory::Kind kind);
    void ApplyEdit(std::size_t from, std::size_t to, std::u16string_view text, EditHistory::Kind kind);
    std::size_t Change(std::size_t from, std::size_t to, std::u16string_view text, EditHistory::Kind kind);
    void Exchange(velkrant::Edit& edit);
    void MoveCaret(std::size_t position, bool select, bool scrollIntoView = true);
    bool HasSelection() const { return caret_ != anchor_; }
    void DeleteSelection();
    std::u16string_view SelectedView() const;
    std::u16string TextBetween(std::size_t from, std::size_t to) const;
    QString LineText(std::size_t line) const;
    void InsertFromMime(const QMimeData* mime);

    // Keyboard.
    bool NavigateByKey(QKeyEvent* event);
    bool EditByKey(QKeyEvent* event);
    void ScrollByKey(QKeyEvent* event);
    void DragScrollStep();
    void ExtendByMouse(QPoint point);
    std::size_t LineEndWithBreak(std::size_t line) const;
    std::size_t NextCaretStop(std::size_t position, int direction, bool byWord) const;
    std::size_t VerticalMove(int lines) const;
    int PageMove(int direction);
    std::size_t PreviousCodePoint(std::size_t position) const;

    // Layout and painting.
    std::unique_ptr<QTextLayout> LayoutOf(std::size_t line) const;
    void AfterChange(bool showCaret);
    void MeasureLongestLine();
    int VisibleLines() const;
    QPointF LineOrigin(std::size_t line) const;
    std::size_t PositionAt(QPoint viewportPoint) const;
    QRectF CaretRect() const;
    qreal CaretX() const;
    void EnsureCaretVisible();
    void UpdateScrollBars();
    void RestartBlink();
    QMenu* ContextMenu();

    // The space around the text inside the frame, as in the toolkit's own
    // plain text box; above the text only at the top of the list.
    static constexpr qreal kMargin = 4;

    ListText list_;
    EditHistory history_;
    bool undoEnabled_ = true;
    bool readOnly_ = false;

    std::size_t caret_ = 0;
    std::size_t anchor_ = 0;
    qreal goalX_ = -1;            // where up and down aim, once they have moved
    QString preedit_;             // an input method's text being composed
    int preeditCaret_ = 0;

    qreal lineHeight_ = 0;
    qreal textWidth_ = 0;         // the widest line known, in pixels

    QBasicTimer blink_;
    bool caretShown_ = false;
    bool selecting_ = false;      // a left-button drag is selecting
    QBasicTimer dragScroll_;      // ... beyond the box's edge
    QPoint dragPoint_;
    quint64 doubleClickTime_ = 0;  // a click soon after is a triple click
    QPoint doubleClickPoint_;
    // The word the last double click and the line the last triple click
    // selected, which a Shift+click extends by words or by lines; empty
    // once a plain click or an edit has ended them.
    struct Picked {
        std::size_t start = 0;
        std::size_t end = 0;
        bool Empty() const { return start == end; }
    };
    Picked pickedWord_;
    Picked pickedLine_;
};

}  // namespace velkrant
