// What the list box does with the keyboard, the mouse, input methods and
// its context menu.

#include "ListBox.h"

#include "WordBounds.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QStyleHints>
#include <QTextBoundaryFinder>
#include <QTextLayout>

#include <algorithm>
#include <functional>
#include <optional>

namespace velkrant {

namespace {

struct Move {
    QKeySequence::StandardKey key;
    bool select;
    enum { Char, Word, LineStart, LineEnd, Line, Page, Start, End } by;
    int direction;
};

constexpr Move kMoves[] = {
    {QKeySequence::MoveToNextChar, false, Move::Char, 1},
    {QKeySequence::MoveToPreviousChar, false, Move::Char, -1},
    {QKeySequence::SelectNextChar, true, Move::Char, 1},
    {QKeySequence::SelectPreviousChar, true, Move::Char, -1},
    {QKeySequence::MoveToNextWord, false, Move::Word, 1},
    {QKeySequence::MoveToPreviousWord, false, Move::Word, -1},
    {QKeySequence::SelectNextWord, true, Move::Word, 1},
    {QKeySequence::SelectPreviousWord, true, Move::Word, -1},
    {QKeySequence::MoveToStartOfLine, false, Move::LineStart, 0},
    {QKeySequence::MoveToStartOfBlock, false, Move::LineStart, 0},
    {QKeySequence::SelectStartOfLine, true, Move::LineStart, 0},
    {QKeySequence::SelectStartOfBlock, true, Move::LineStart, 0},
    {QKeySequence::MoveToEndOfLine, false, Move::LineEnd, 0},
    {QKeySequence::MoveToEndOfBlock, false, Move::LineEnd, 0},
    {QKeySequence::SelectEndOfLine, true, Move::LineEnd, 0},
    {QKeySequence::SelectEndOfBlock, true, Move::LineEnd, 0},
    {QKeySequence::MoveToNextLine, false, Move::Line, 1},
    {QKeySequence::MoveToPreviousLine, false, Move::Line, -1},
    {QKeySequence::SelectNextLine, true, Move::Line, 1},
    {QKeySequence::SelectPreviousLine, true, Move::Line, -1},
    {QKeySequence::MoveToNextPage, false, Move::Page, 1},
    {QKeySequence::MoveToPreviousPage, false, Move::Page, -1},
    {QKeySequence::SelectNextPage, true, Move::Page, 1},
    {QKeySequence::SelectPreviousPage, true, Move::Page, -1},
    {QKeySequence::MoveToStartOfDocument, false, Move::Start, 0},
    {QKeySequence::SelectStartOfDocument, true, Move::Start, 0},
    {QKeySequence::MoveToEndOfDocument, false, Move::End, 0},
    {QKeySequence::SelectEndOfDocument, true, Move::End, 0},
};

const Move* MoveFor(QKeyEvent* event) {
    for (const Move& move : kMoves) {
        if (event->matches(move.key)) return &move;
    }
    return nullptr;
}

// The keys an editable box keeps from the window's shortcuts, as every
// text box of the toolkit does: plain and shifted keys, and the standard
// editing and selecting combinations.
bool IsCommonEditKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier || modifiers == Qt::KeypadModifier) {
        if (event->key() < Qt::Key_Escape) return true;
        for (const int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Delete, Qt::Key_Home, Qt::Key_End,
                              Qt::Key_Backspace, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Tab}) {
            if (event->key() == key) return true;
        }
        return false;
    }
    for (const QKeySequence::StandardKey key :
         {QKeySequence::Copy, QKeySequence::Paste, QKeySequence::Cut, QKeySequence::Redo, QKeySequence::Undo,
          QKeySequence::MoveToNextWord, QKeySequence::MoveToPreviousWord, QKeySequence::MoveToStartOfDocument,
          QKeySequence::MoveToEndOfDocument, QKeySequence::SelectNextWord, QKeySequence::SelectPreviousWord,
          QKeySequence::SelectStartOfLine, QKeySequence::SelectEndOfLine, QKeySequence::SelectStartOfBlock,
          QKeySequence::SelectEndOfBlock, QKeySequence::SelectStartOfDocument, QKeySequence::SelectEndOfDocument,
          QKeySequence::SelectAll}) {
        if (event->matches(key)) return true;
    }
    return false;
}

// Typed text the box takes in: printable characters, not control keys;
// Ctrl with Alt is AltGr on many keyboards and types characters.
bool IsTypedText(const QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty()) return false;
    const QChar first = text.front();
    if (first.category() == QChar::Other_Format) return true;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ShiftModifier | Qt::ControlModifier)) return false;
    if (first.isPrint() || first.category() == QChar::Other_PrivateUse) return true;
    return first.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate();
}

}  // namespace

bool ListBox::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && !readOnly_ && IsCommonEditKey(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void ListBox::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (readOnly_) {
        // A box the user cannot change has no caret to move: the keys
        // scroll it instead.
        ScrollByKey(event);
        return;
    } else if (!NavigateByKey(event) && !EditByKey(event)) {
        event->ignore();
        return;
    }
    event->accept();
}

bool ListBox::NavigateByKey(QKeyEvent* event) {
    const Move* move = MoveFor(event);
    if (move == nullptr) return false;
    const std::size_t line = list_.LineOf(caret_);
    std::size_t target = caret_;
    bool toEdge = false;
    switch (move->by) {
        case Move::Char:
            // A plain arrow on a selection goes to its start or end.
            if (HasSelection() && !move->select) {
                target = move->direction < 0 ? SelectionStart() : SelectionEnd();
            } else {
                target = NextCaretStop(caret_, move->direction, false);
            }
            break;
        case Move::Word: target = NextCaretStop(caret_, move->direction, true); break;
        case Move::LineStart: target = list_.LineStart(line); break;
        case Move::LineEnd: target = list_.LineEnd(line); break;
        case Move::Line:
            // Shift+Up on the first line and Shift+Down on the last select
            // to its start and its end.
            if (move->select && move->direction < 0 && line == 0) {
                target = 0;
                toEdge = true;
            } else if (move->select && move->direction > 0 && line + 1 == list_.LineCount()) {
                target = list_.Text().size();
                toEdge = true;
            } else {
                target = VerticalMove(move->direction);
            }
            break;
        case Move::Page: target = VerticalMove(PageMove(move->direction)); break;
        case Move::Start: target = 0; break;
        case Move::End: target = list_.Text().size(); break;
    }
    // Going up or down to the very start or end aims anew from there.
    const bool vertical = (move->by == Move::Line || move->by == Move::Page) && !toEdge;
    const qreal goal = vertical ? (goalX_ >= 0 ? goalX_ : CaretX()) : -1;
    // A line or page move that cannot move the caret leaves the selection.
    MoveCaret(target, move->select || (vertical && target == caret_));
    goalX_ = goal;
    return true;
}

bool ListBox::EditByKey(QKeyEvent* event) {
    using Kind = EditHistory::Kind;
    if (event->matches(QKeySequence::Cut)) {
        cut();
    } else if (event->matches(QKeySequence::Paste)) {
        paste();
    } else if (event->matches(QKeySequence::Undo)) {
        undo();
    } else if (event->matches(QKeySequence::Redo)) {
        redo();
    } else if (event->matches(QKeySequence::InsertParagraphSeparator) ||
               event->matches(QKeySequence::InsertLineSeparator)) {
        ReplaceSelection(u"\r\n", Kind::Other);
    } else if (event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier)) {
        if (HasSelection()) {
            DeleteSelection();
        } else if (caret_ > 0) {
            ApplyEdit(PreviousCodePoint(caret_), caret_, {}, Kind::DeletingBack);
        }
    } else if (event->matches(QKeySequence::Delete)) {
        if (HasSelection()) {
            DeleteSelection();
        } else if (caret_ < list_.Text().size()) {
            ApplyEdit(caret_, NextCaretStop(caret_, 1, false), {}, Kind::DeletingForward);
        }
    } else if (event->matches(QKeySequence::DeleteStartOfWord)) {
        if (!HasSelection()) anchor_ = NextCaretStop(caret_, -1, true);
        DeleteSelection();
    } else if (event->matches(QKeySequence::DeleteEndOfWord)) {
        if (!HasSelection()) anchor_ = NextCaretStop(caret_, 1, true);
        DeleteSelection();
    } else if (IsTypedText(event)) {
        ReplaceSelection(View(event->text()), Kind::Typing);
    } else {
        return false;
    }
    return true;
}

void ListBox::ScrollByKey(QKeyEvent* event) {
    struct Scroll {
        Qt::Key key;
        std::optional<Qt::KeyboardModifiers> modifiers;  // none: with any
        bool vertical;
        QAbstractSlider::SliderAction action;
    };
    // As in the toolkit's read-only box, where Space pages like a browser;
    // Ctrl+Home and Ctrl+End, which that box ignores, go to the start and
    // the end as in every editable box, the first keys a user tries on a
    // long list.
    static const Scroll kScrolls[] = {
        {Qt::Key_Up, std::nullopt, true, QAbstractSlider::SliderSingleStepSub},
        {Qt::Key_Down, std::nullopt, true, QAbstractSlider::SliderSingleStepAdd},
        {Qt::Key_PageUp, std::nullopt, true, QAbstractSlider::SliderPageStepSub},
        {Qt::Key_PageDown, std::nullopt, true, QAbstractSlider::SliderPageStepAdd},
        {Qt::Key_Left, std::nullopt, false, QAbstractSlider::SliderSingleStepSub},
        {Qt::Key_Right, std::nullopt, false, QAbstractSlider::SliderSingleStepAdd},
        {Qt::Key_Space, Qt::NoModifier, true, QAbstractSlider::SliderPageStepAdd},
        {Qt::Key_Space, Qt::ShiftModifier, true, QAbstractSlider::SliderPageStepSub},
        {Qt::Key_Home, Qt::NoModifier, true, QAbstractSlider::SliderToMinimum},
        {Qt::Key_Home, Qt::ControlModifier, true, QAbstractSlider::SliderToMinimum},
        {Qt::Key_End, Qt::NoModifier, true, QAbstractSlider::SliderToMaximum},
        {Qt::Key_End, Qt::ControlModifier, true, QAbstractSlider::SliderToMaximum},
    };
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    for (const Scroll& scroll : kScrolls) {
        if (event->key() == scroll.key && (!scroll.modifiers || *scroll.modifiers == modifiers)) {
            (scroll.vertical ? verticalScrollBar() : horizontalScrollBar())->triggerAction(scroll.action);
            event->accept();
            return;
        }
    }
    event->ignore();
}

std::size_t ListBox::NextCaretStop(std::size_t position, int direction, bool byWord) const {
    const std::size_t line = list_.LineOf(position);
    const std::size_t start = list_.LineStart(line);
    // Across a line break, the caret steps over the whole CR LF.
    if (direction < 0 && position == start) return line == 0 ? position : list_.LineEnd(line - 1);
    if (direction > 0 && position == list_.LineEnd(line)) {
        return line + 1 == list_.LineCount() ? position : list_.LineStart(line + 1);
    }
    const std::unique_ptr<QTextLayout> layout = LayoutOf(line);
    const auto column = static_cast<int>(position - start);
    const QTextLayout::CursorMode mode = byWord ? QTextLayout::SkipWords : QTextLayout::SkipCharacters;
    const int next = direction > 0 ? layout->nextCursorPosition(column, mode) : layout->previousCursorPosition(column, mode);
    return start + static_cast<std::size_t>(next);
}

// Page Up and Page Down scroll by a page and move the caret by as many
// lines as keep it where it stood on the screen; where the list ends
// within the page, to its first or last line. Gives the lines to move.
int ListBox::PageMove(int direction) {
    QScrollBar* bar = verticalScrollBar();
    const int top = bar->value();
    const auto line = static_cast<int>(list_.LineOf(caret_));
    const qreal height = viewport()->height();
    const auto screenY = [&](int at, int first) { return (at - first) * lineHeight_ + (first == 0 ? kMargin : 0); };
    const qreal was = screenY(line, top);
    if (direction < 0) {
        if (top == 0) return -line;
        const int first = std::max(0, top - static_cast<int>(height / lineHeight_));
        bar->setValue(first);
        int to = line - 1;
        while (to > 0 && screenY(to, first) > was) --to;
        return std::max(to, 0) - line;
    }
    const int last = LineCount() - 1;
    const qreal shown = height - (top == 0 ? kMargin : 0);
    if ((LineCount() - top) * lineHeight_ <= shown) return last - line;
    const int first = std::min(bar->maximum(), top + static_cast<int>(shown / lineHeight_));
    bar->setValue(first);
    int to = line + 1;
    while (to < last && screenY(to, first) < was) ++to;
    return std::min(to, last) - line;
}

// Backspace takes back one character as typed: a letter's accent alone,
// a whole surrogate pair, a whole line break.
std::size_t ListBox::PreviousCodePoint(std::size_t position) const {
    const std::u16string_view text = list_.Text();
    const std::size_t line = list_.LineOf(position);
    if (position == list_.LineStart(line)) return line == 0 ? position : list_.LineEnd(line - 1);
    const bool pair = position >= 2 && QChar::isLowSurrogate(text[position - 1]) && QChar::isHighSurrogate(text[position - 2]);
    return position - (pair ? 2 : 1);
}

std::size_t ListBox::VerticalMove(int lines) const {
    const auto line = static_cast<long long>(list_.LineOf(caret_));
    const auto target = static_cast<std::size_t>(std::clamp(line + lines, 0LL, static_cast<long long>(LineCount()) - 1));
    // Already on the first or last line: the caret stays.
    if (target == static_cast<std::size_t>(line)) return caret_;
    const qreal x = goalX_ >= 0 ? goalX_ : CaretX();
    return list_.LineStart(target) + static_cast<std::size_t>(LayoutOf(target)->lineAt(0).xToCursor(x));
}

// Mouse ----------------------------------------------------------------------

// The mouse places the caret where the user points and never scrolls
// there: a click on the half-shown last line must not move that line
// away from under a second click.
void ListBox::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        selecting_ = true;
        const bool tripleClick = event->timestamp() - doubleClickTime_ < static_cast<quint64>(QApplication::doubleClickInterval()) &&
                                 (point - doubleClickPoint_).manhattanLength() < QApplication::startDragDistance();
        if (tripleClick) {
            // A third click selects the whole line, with its line break.
            const std::size_t line = list_.LineOf(caret_);
            anchor_ = list_.LineStart(line);
            MoveCaret(LineEndWithBreak(line), true, false);
            pickedLine_ = {anchor_, caret_};
            selecting_ = false;
            SetSelectionClipboard();
        } else if (event->modifiers() == Qt::ShiftModifier) {
            ExtendByMouse(point);
        } else {
            // A click into the selection keeps the word or line a double or
            // triple click picked for a later Shift+click, as the
            // toolkit's boxes do, which might start dragging it there.
            const std::size_t position = PositionAt(point);
            if (position < SelectionStart() || position > SelectionEnd()) pickedWord_ = pickedLine_ = {};
            MoveCaret(position, false, false);
        }
        goalX_ = -1;
    } else if (event->button() == Qt::MiddleButton && !readOnly_ && QGuiApplication::clipboard()->supportsSelection()) {
        // The X11 way of pasting: the text last selected anywhere.
        MoveCaret(PositionAt(point), false);
        InsertFromMime(QGuiApplication::clipboard()->mimeData(QClipboard::Selection));
    }
}

std::size_t ListBox::LineEndWithBreak(std::size_t line) const {
    return line + 1 < list_.LineCount() ? list_.LineStart(line + 1) : list_.LineEnd(line);
}

// A Shift+click extends the selection; after a double click by whole
// words, after a triple click by whole lines, as in the toolkit's boxes.
void ListBox::ExtendByMouse(QPoint point) {
    const std::size_t position = PositionAt(point);
    const Picked first = !pickedLine_.Empty() ? pickedLine_ : pickedWord_;
    if (first.Empty()) {
        MoveCaret(position, true, false);
        return;
    }
    if (position >= first.start && position <= first.end) {
        anchor_ = first.start;
        MoveCaret(first.end, true, false);
        return;
    }
    const std::size_t line = list_.LineOf(position);
    const std::size_t start = list_.LineStart(line);
    if (!pickedLine_.Empty()) {
        anchor_ = position < first.end ? first.end : first.start;
        MoveCaret(position < first.end ? start : LineEndWithBreak(line), true, false);
        return;
    }
    // By words: to the nearer end of the word under the mouse, and only
    // when the mouse is over a word.
    const std::unique_ptr<QTextLayout> layout = LayoutOf(line);
    const std::optional<int> wordStart = WordBounds::StartOfWord(*layout, static_cast<int>(position - start));
    if (!wordStart) return;
    const std::optional<int> wordEnd = WordBounds::EndOfWord(layout->text(), *wordStart);
    if (!wordEnd || *wordEnd == *wordStart) return;
    const qreal x = point.x() - LineOrigin(line).x();
    const qreal startX = layout->lineAt(0).cursorToX(*wordStart);
    const qreal endX = layout->lineAt(0).cursorToX(*wordEnd);
    if (x < startX || x > endX) return;
    anchor_ = position < first.end ? first.end : first.start;
    MoveCaret(start + static_cast<std::size_t>(x - startX < endX - x ? *wordStart : *wordEnd), true, false);
}

void ListBox::mouseMoveEvent(QMouseEvent* event) {
    if (!selecting_ || !(event->buttons() & Qt::LeftButton)) return;
    dragPoint_ = event->position().toPoint();
    MoveCaret(PositionAt(dragPoint_), true, false);
    // Held beyond the edge, the selection goes on growing as the box
    // scrolls, as long as the button is down.
    if (viewport()->rect().contains(dragPoint_)) {
        dragScroll_.stop();
    } else if (!dragScroll_.isActive()) {
        dragScroll_.start(50, this);
    }
}

void ListBox::DragScrollStep() {
    if (!selecting_) {
        dragScroll_.stop();
        return;
    }
    const QRect inside = viewport()->rect();
    if (dragPoint_.y() < inside.top()) verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    if (dragPoint_.y() > inside.bottom()) verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    if (dragPoint_.x() < inside.left()) horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    if (dragPoint_.x() > inside.right()) horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    MoveCaret(PositionAt(dragPoint_), true);
}

void ListBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && selecting_) {
        selecting_ = false;
        dragScroll_.stop();
        SetSelectionClipboard();
    }
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const std::size_t position = PositionAt(event->position().toPoint());
    const std::size_t line = list_.LineOf(position);
    const std::size_t start = list_.LineStart(line);
    MoveCaret(position, false, false);
    pickedWord_ = {};
    if (list_.LineEnd(line) > start) {
        // The word at the click; at a word's end, the word before it.
        const std::unique_ptr<QTextLayout> layout = LayoutOf(line);
        const auto column = static_cast<int>(position - start);
        const int wordStart = WordBounds::StartOfWord(*layout, column).value_or(column);
        const int wordEnd = WordBounds::EndOfWord(layout->text(), wordStart).value_or(wordStart);
        anchor_ = start + static_cast<std::size_t>(wordStart);
        MoveCaret(start + static_cast<std::size_t>(wordEnd), true, false);
        pickedWord_ = {anchor_, caret_};
    }
    selecting_ = false;
    doubleClickTime_ = event->timestamp();
    doubleClickPoint_ = event->position().toPoint();
    SetSelectionClipboard();
}

// Text dropped on the box goes in where it was dropped.
void ListBox::dragEnterEvent(QDragEnterEvent* event) {
    dragMoveEvent(event);
}

void ListBox::dragMoveEvent(QDragMoveEvent* event) {
    if (readOnly_ || !event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void ListBox::dropEvent(QDropEvent* event) {
    if (readOnly_ || !event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    MoveCaret(PositionAt(event->position().toPoint()), false);
    InsertFromMime(event->mimeData());
    event->acceptProposedAction();
}

// Context menu ---------------------------------------------------------------

void ListBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = ContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

QMenu* ListBox::ContextMenu() {
    // The toolkit's own texts, so the menu speaks the user's language like
    // the menus of the other boxes.
    auto* menu = new QMenu(this);
    const bool shortcuts = QGuiApplication::styleHints()->showShortcutsInContextMenus();
    const auto add = [&](const char* name, const char* text, QKeySequence::StandardKey key, bool enabled,
                         const std::function<void()>& command) {
        QString caption = QCoreApplication::translate("QWidgetTextControl", text);
        if (shortcuts && key != QKeySequence::UnknownKey) caption += u'\t' + QKeySequence(key).toString(QKeySequence::NativeText);
        QAction* action = menu->addAction(QIcon::fromTheme(QString::fromLatin1(name)), caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, command);
    };
    const bool selection = HasSelection();
    if (!readOnly_) {
        add("edit-undo", "&Undo", QKeySequence::Undo, history_.CanUndo(), [this] { undo(); });
        add("edit-redo", "&Redo", QKeySequence::Redo, history_.CanRedo(), [this] { redo(); });
        menu->addSeparator();
        add("edit-cut", "Cu&t", QKeySequence::Cut, selection, [this] { cut(); });
    }
    add("edit-copy", "&Copy", QKeySequence::Copy, selection, [this] { copy(); });
    if (!readOnly_) {
        const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
        add("edit-paste", "&Paste", QKeySequence::Paste, clipboard != nullptr && clipboard->hasText(),
            [this] { paste(); });
        add("edit-delete", "Delete", QKeySequence::UnknownKey, selection, [this] { DeleteSelection(); });
    }
    menu->addSeparator();
    add("select-all", "Select All", QKeySequence::SelectAll, !list_.Text().empty(), [this] { selectAll(); });
    return menu;
}

// Input methods --------------------------------------------------------------

void ListBox::inputMethodEvent(QInputMethodEvent* event) {
    if (readOnly_) {
        event->ignore();
        return;
    }
    if (!event->commitString().isEmpty() || event->replacementLength() > 0) {
        if (event->replacementLength() > 0) {
            // Replaces text around the caret, within its line.
            const std::size_t line = list_.LineOf(caret_);
            const auto start = static_cast<long long>(list_.LineStart(line));
            const auto end = static_cast<long long>(list_.LineEnd(line));
            const long long from = std::clamp(static_cast<long long>(caret_) + event->replacementStart(), start, end);
            anchor_ = static_cast<std::size_t>(from);
            caret_ = static_cast<std::size_t>(std::min(from + event->replacementLength(), end));
        }
        ReplaceSelection(View(event->commitString()), EditHistory::Kind::Typing);
    }
    preedit_ = event->preeditString();
    preeditCaret_ = static_cast<int>(preedit_.size());
    for (const QInputMethodEvent::Attribute& attribute : event->attributes()) {
        if (attribute.type == QInputMethodEvent::Cursor) preeditCaret_ = attribute.start;
    }
    EnsureCaretVisible();
    viewport()->update();
    event->accept();
}

QVariant ListBox::inputMethodQuery(Qt::InputMethodQuery query) const {
    const std::size_t line = list_.LineOf(caret_);
    const std::size_t start = list_.LineStart(line);
    const auto column = static_cast<int>(caret_ - start);
    const auto lineText = [&] { return LineText(line); };
    switch (query) {
        case Qt::ImEnabled: return !readOnly_;
        case Qt::ImHints: return static_cast<int>(Qt::ImhMultiLine);
        case Qt::ImCursorRectangle: return CaretRect().translated(viewport()->pos());
        case Qt::ImFont: return font();
        case Qt::ImCursorPosition: return column;
        case Qt::ImAnchorPosition:
            return list_.LineOf(anchor_) == line ? static_cast<int>(anchor_ - start) : column;
        case Qt::ImSurroundingText: return lineText();
        case Qt::ImTextBeforeCursor: return lineText().left(column);
        case Qt::ImTextAfterCursor: return lineText().mid(column);
        case Qt::ImCurrentSelection: return QString::fromStdU16String(SelectedText());
        case Qt::ImAbsolutePosition: return static_cast<qlonglong>(caret_);
        default: return QAbstractScrollArea::inputMethodQuery(query);
    }
}

}  // namespace velkrant
