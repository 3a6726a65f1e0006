#include "ListBox.h"

#include "Clipboard.h"
#include "ListBoxAccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <utility>

namespace velkrant {

ListBox::ListBox(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAcceptDrops(true);
    // Lines never wrap, so the scroll bars are always there.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lineHeight_ = QFontMetricsF(font()).height();
    UpdateScrollBars();
    static std::once_flag accessible;
    std::call_once(accessible, [] { QAccessible::installFactory(ListBoxAccessible::Factory); });
}

ListBox::~ListBox() = default;

void ListBox::SetText(std::u16string text) {
    const std::u16string removed = QAccessible::isActive() ? std::u16string(Text()) : std::u16string();
    list_.Assign(std::move(text));
    ListBoxAccessible::TextChanged(*this, 0, removed, Text());
    history_.Clear();
    preedit_.clear();
    caret_ = anchor_ = 0;
    ListBoxAccessible::CaretMoved(*this);
    goalX_ = -1;
    MeasureLongestLine();
    UpdateScrollBars();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

void ListBox::Append(std::u16string_view text) {
    const std::size_t end = list_.Text().size();
    const std::size_t newEnd = Change(end, end, text, EditHistory::Kind::Other);
    // A caret at the very end stays at the end; anything else stays put,
    // and so does the view.
    if (caret_ == end) caret_ = newEnd;
    if (anchor_ == end) anchor_ = newEnd;
    AfterChange(false);
}

std::u16string ListBox::SelectedText() const {
    return std::u16string(SelectedView());
}

std::u16string_view ListBox::SelectedView() const {
    return list_.Text().substr(SelectionStart(), SelectionEnd() - SelectionStart());
}

std::u16string ListBox::TextBetween(std::size_t from, std::size_t to) const {
    return std::u16string(list_.Text().substr(from, to - from));
}

QString ListBox::LineText(std::size_t line) const {
    return ToQString(list_.Line(line));
}

QString ListBox::ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string_view ListBox::View(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

void ListBox::setReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    setAttribute(Qt::WA_InputMethodEnabled, !readOnly);
    RestartBlink();
}

void ListBox::setUndoRedoEnabled(bool enabled) {
    undoEnabled_ = enabled;
    if (!enabled) history_.Clear();
}

void ListBox::clear() {
    SetText({});
}

void ListBox::selectAll() {
    anchor_ = 0;
    caret_ = list_.Text().size();
    goalX_ = -1;
    ListBoxAccessible::CaretMoved(*this);
    viewport()->update();
}

void ListBox::Select(std::size_t anchor, std::size_t caret) {
    const auto offLineBreak = [this](std::size_t position) {
        position = std::min(position, Text().size());
        return position > 0 && position < Text().size() && Text()[position] == u'\n' ? position - 1 : position;
    };
    anchor_ = offLineBreak(anchor);
    MoveCaret(offLineBreak(caret), true);
}

void ListBox::undo() {
    if (!readOnly_) history_.Undo([this](velkrant::Edit& edit) { Exchange(edit); });
}

void ListBox::redo() {
    if (!readOnly_) history_.Redo([this](velkrant::Edit& edit) { Exchange(edit); });
}

// An undo or redo step: the text the step kept goes back into the box, and
// the text it replaces goes into the step.
void ListBox::Exchange(velkrant::Edit& edit) {
    std::u16string taken = TextBetween(edit.at, edit.at + edit.length);
    const std::size_t end = list_.Replace(edit.at, edit.at + edit.length, edit.away);
    ListBoxAccessible::TextChanged(*this, edit.at, taken, Text().substr(edit.at, end - edit.at));
    edit.away = std::move(taken);
    edit.length = end - edit.at;
    caret_ = anchor_ = end;
    AfterChange(true);
}

void ListBox::cut() {
    if (readOnly_ || !HasSelection()) return;
    copy();
    DeleteSelection();
}

void ListBox::copy() const {
    if (HasSelection()) Clipboard::SetText(ToQString(SelectedView()));
}

void ListBox::paste() {
    if (readOnly_) return;
    InsertFromMime(QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard));
}

void ListBox::InsertFromMime(const QMimeData* mime) {
    if (mime == nullptr || !mime->hasText()) return;
    ReplaceSelection(View(mime->text()), EditHistory::Kind::Other);
}

void ListBox::SetSelectionClipboard() const {
    if (HasSelection() && QGuiApplication::clipboard()->supportsSelection()) {
        Clipboard::SetText(ToQString(SelectedView()), QClipboard::Selection);
    }
}

void ListBox::DeleteSelection() {
    if (HasSelection()) ApplyEdit(SelectionStart(), SelectionEnd(), {}, EditHistory::Kind::Other);
}

void ListBox::Replace(std::size_t from, std::size_t to, std::u16string_view text) {
    if (!readOnly_) ApplyEdit(from, to, text, EditHistory::Kind::Other);
}

void ListBox::ReplaceSelection(std::u16string_view text, EditHistory::Kind kind) {
    ApplyEdit(SelectionStart(), SelectionEnd(), text, kind);
}

void ListBox::ApplyEdit(std::size_t from, std::size_t to, std::u16string_view text, EditHistory::Kind kind) {
    caret_ = anchor_ = Change(from, to, text, kind);
    AfterChange(true);
}

std::size_t ListBox::Change(std::size_t from, std::size_t to, std::u16string_view text, EditHistory::Kind kind) {
    // The text replaced is kept for undo, and for assistive technology
    // when it listens.
    std::u16string removed = undoEnabled_ || QAccessible::isActive() ? TextBetween(from, to) : std::u16string();
    const std::size_t end = list_.Replace(from, to, text);
    ListBoxAccessible::TextChanged(*this, from, removed, Text().substr(from, end - from));
    if (undoEnabled_) {
        history_.Record({from, std::move(removed), end - from}, kind);
        // A new line ends a run of typing.
        if (text.find_first_of(u"\r\n\u2029") != std::u16string_view::npos) history_.Seal();
    }
    return end;
}

void ListBox::AfterChange(bool showCaret) {
    ListBoxAccessible::CaretMoved(*this);
    goalX_ = -1;
    pickedWord_ = pickedLine_ = {};
    MeasureLongestLine();
    UpdateScrollBars();
    if (showCaret) EnsureCaretVisible();
    RestartBlink();
    viewport()->update();
}

void ListBox::MoveCaret(std::size_t position, bool select, bool scrollIntoView) {
    caret_ = position;
    if (!select) anchor_ = position;
    ListBoxAccessible::CaretMoved(*this);
    if (scrollIntoView) EnsureCaretVisible();
    RestartBlink();
    viewport()->update();
}

// Layout ---------------------------------------------------------------------

std::unique_ptr<QTextLayout> ListBox::LayoutOf(std::size_t line) const {
    auto layout = std::make_unique<QTextLayout>(LineText(line), font());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout->setTextOption(option);
    if (!preedit_.isEmpty() && line == list_.LineOf(caret_)) {
        const int column = static_cast<int>(caret_ - list_.LineStart(line));
        layout->setPreeditArea(column, preedit_);
        QTextLayout::FormatRange underline;
        underline.start = column;
        underline.length = static_cast<int>(preedit_.size());
        underline.format.setFontUnderline(true);
        layout->setFormats({underline});
    }
    layout->beginLayout();
    layout->createLine();
    layout->endLayout();
    return layout;
}

void ListBox::MeasureLongestLine() {
    // Measured by its units: the links of a list are alike, and laying out
    // every line of a million to find the widest would take seconds. Lines
    // that turn out wider once shown widen the range then.
    textWidth_ = LayoutOf(list_.LongestLine())->lineAt(0).naturalTextWidth();
}

int ListBox::VisibleLines() const {
    return std::max(1, static_cast<int>((viewport()->height() - 2 * kMargin - 1) / lineHeight_));
}

QPointF ListBox::LineOrigin(std::size_t line) const {
    // The margin above the text shows only at the top of the list; scrolled
    // down, the first line in view starts right at the top.
    const int first = verticalScrollBar()->value();
    const qreal top = first == 0 ? kMargin : 0;
    return {kMargin - horizontalScrollBar()->value(), top + (static_cast<qreal>(line) - first) * lineHeight_};
}

std::size_t ListBox::PositionAt(QPoint viewportPoint) const {
    const qreal row = std::floor((viewportPoint.y() - LineOrigin(verticalScrollBar()->value()).y()) / lineHeight_);
    const auto line = static_cast<std::size_t>(
        std::clamp(verticalScrollBar()->value() + row, 0.0, static_cast<qreal>(list_.LineCount() - 1)));
    const std::unique_ptr<QTextLayout> layout = LayoutOf(line);
    const qreal x = viewportPoint.x() - LineOrigin(line).x();
    return list_.LineStart(line) + static_cast<std::size_t>(layout->lineAt(0).xToCursor(x));
}

qreal ListBox::CaretX() const {
    const std::size_t line = list_.LineOf(caret_);
    const int column = static_cast<int>(caret_ - list_.LineStart(line)) + (preedit_.isEmpty() ? 0 : preeditCaret_);
    return LayoutOf(line)->lineAt(0).cursorToX(column);
}

QRect ListBox::CharacterRect(std::size_t position) const {
    const std::size_t line = list_.LineOf(position);
    const auto column = static_cast<int>(position - list_.LineStart(line));
    const std::unique_ptr<QTextLayout> layout = LayoutOf(line);
    const QTextLine textLine = layout->lineAt(0);
    const qreal left = textLine.cursorToX(column);
    const qreal right = position < list_.LineEnd(line) ? textLine.cursorToX(layout->nextCursorPosition(column))
                                                       : left + QFontMetricsF(font()).horizontalAdvance(u' ');
    const QPointF origin = LineOrigin(line) + viewport()->pos();
    return QRectF(origin.x() + left, origin.y(), right - left, lineHeight_).toAlignedRect();
}

std::size_t ListBox::PositionAtPoint(QPoint point) const {
    return PositionAt(point - viewport()->pos());
}

QRectF ListBox::CaretRect() const {
    const QPointF origin = LineOrigin(list_.LineOf(caret_));
    return {origin.x() + CaretX(), origin.y(), 1, lineHeight_};
}

void ListBox::EnsureCaretVisible() {
    const auto line = static_cast<int>(list_.LineOf(caret_));
    QScrollBar* vertical = verticalScrollBar();
    // Down only once the caret's line no longer fits in whole: a line that
    // still fits, though into the bottom margin, stays where it is. Then
    // the view scrolls just far enough to show the line at its bottom, or,
    // for the last line, to the end with the margin below it.
    const qreal height = viewport()->height();
    if (line < vertical->value()) {
        vertical->setValue(line);
    } else if (LineOrigin(line).y() + lineHeight_ > height) {
        const bool last = line + 1 == LineCount();
        vertical->setValue(last ? vertical->maximum() : std::max(1, line + 1 - static_cast<int>(height / lineHeight_)));
    }
    QScrollBar* horizontal = horizontalScrollBar();
    const qreal x = kMargin + CaretX();
    const qreal width = viewport()->width();
    if (x - kMargin < horizontal->value()) {
        horizontal->setValue(static_cast<int>(x - kMargin));
    } else if (x + kMargin > horizontal->value() + width) {
        horizontal->setValue(static_cast<int>(std::ceil(x + kMargin - width)));
    }
}

void ListBox::UpdateScrollBars() {
    QScrollBar* vertical = verticalScrollBar();
    const int lines = VisibleLines();
    vertical->setRange(0, std::max(0, LineCount() - lines));
    vertical->setPageStep(lines);
    vertical->setSingleStep(1);
    QScrollBar* horizontal = horizontalScrollBar();
    const int width = viewport()->width();
    horizontal->setRange(0, std::max(0, static_cast<int>(std::ceil(textWidth_ + 2 * kMargin + 1)) - width));
    horizontal->setPageStep(width);
    horizontal->setSingleStep(20);
}

void ListBox::RestartBlink() {
    const int flash = QApplication::cursorFlashTime();
    caretShown_ = hasFocus() && !readOnly_;
    blink_.stop();
    if (caretShown_ && flash > 0) blink_.start(flash / 2, this);
}

// Painting -------------------------------------------------------------------

void ListBox::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QPalette::ColorGroup group = !isEnabled()          ? QPalette::Disabled
                                       : isActiveWindow()    ? QPalette::Active
                                                             : QPalette::Inactive;
    const QPalette colors = palette();
    painter.setPen(colors.color(group, QPalette::Text));

    QTextLayout::FormatRange selected;
    selected.format.setBackground(colors.brush(group, QPalette::Highlight));
    selected.format.setForeground(colors.brush(group, QPalette::HighlightedText));
    // A selected line break shows as a space's width of selection.
    const QFontMetricsF metrics(font());
    const qreal breakWidth = metrics.horizontalAdvance(u' ');
    const qreal ascent = metrics.ascent();

    const auto first = static_cast<std::size_t>(verticalScrollBar()->value());
    const std::size_t last = std::min(list_.LineCount(), first + static_cast<std::size_t>(VisibleLines()) + 2);
    const std::size_t caretLine = list_.LineOf(caret_);
    qreal widest = textWidth_;
    for (std::size_t line = first; line < last; ++line) {
        const std::unique_ptr<QTextLayout> layout = LayoutOf(line);
        // Lines stand at the font's own pitch, baselines where the font puts
        // them, even where a fallback font for some character would make
        // its line taller.
        const QPointF origin = LineOrigin(line) + QPointF(0, ascent - layout->lineAt(0).ascent());
        const std::size_t start = list_.LineStart(line);
        const std::size_t end = list_.LineEnd(line);
        QList<QTextLayout::FormatRange> selections;
        if (HasSelection() && SelectionStart() <= end && SelectionEnd() > start) {
            selected.start = static_cast<int>(std::max(SelectionStart(), start) - start);
            selected.length = static_cast<int>(std::min(SelectionEnd(), end) - start) - selected.start;
            selections.append(selected);
            if (SelectionEnd() > end) {
                const qreal x = origin.x() + layout->lineAt(0).naturalTextWidth();
                painter.fillRect(QRectF(x, LineOrigin(line).y(), breakWidth, lineHeight_), selected.format.background());
            }
        }
        layout->draw(&painter, origin, selections);
        if (line == caretLine && caretShown_) {
            const int column = static_cast<int>(caret_ - start) + (preedit_.isEmpty() ? 0 : preeditCaret_);
            layout->drawCursor(&painter, origin, column, 1);
        }
        widest = std::max(widest, layout->lineAt(0).naturalTextWidth());
    }
    if (widest > textWidth_) {
        textWidth_ = widest;
        QMetaObject::invokeMethod(this, [this] { UpdateScrollBars(); }, Qt::QueuedConnection);
    }
}

void ListBox::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void ListBox::scrollContentsBy(int, int) {
    viewport()->update();
}

void ListBox::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    RestartBlink();
    viewport()->update();
}

void ListBox::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    RestartBlink();
    viewport()->update();
}

void ListBox::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        lineHeight_ = QFontMetricsF(font()).height();
        MeasureLongestLine();
        UpdateScrollBars();
    }
    viewport()->update();
}

void ListBox::wheelEvent(QWheelEvent* event) {
    // Ctrl with the wheel zooms a box the user cannot edit, as in the
    // toolkit's own text boxes.
    if (readOnly_ && (event->modifiers() & Qt::ControlModifier)) {
        QFont zoomed = font();
        const qreal size = zoomed.pointSizeF() + event->angleDelta().y() / 120.0;
        if (zoomed.pointSizeF() > 0 && size >= 1) {
            zoomed.setPointSizeF(size);
            setFont(zoomed);
        }
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void ListBox::timerEvent(QTimerEvent* event) {
    if (event->timerId() == blink_.timerId()) {
        caretShown_ = !caretShown_;
        viewport()->update(CaretRect().toAlignedRect().adjusted(-1, 0, 1, 0));
    } else if (event->timerId() == dragScroll_.timerId()) {
        DragScrollStep();
    } else {
        QAbstractScrollArea::timerEvent(event);
    }
}

}  // namespace velkrant
