// The list box against the toolkit's own plain text box: the same random
// keys and clicks go to both, and after every step the text, the caret and
// the selection must agree, unless a kept difference, named below, explains
// it. A divergence is shrunk to a shortest sequence that still shows it.
//
// VELKRANT_DIFF_STEPS sets the number of steps (default 1500) and
// VELKRANT_DIFF_SEED the seed.

#include "ListBox.h"
#include "TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace velkrant {
namespace {

using test::PrintTo;

struct Action {
    enum Kind { Key, Type, Click, ShiftClick, DoubleClick, TripleClick } kind = Key;
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers;
    QString text;      // typed
    int permille = 0;  // a click's target, as a share of the text's length

    std::string Describe() const {
        static const char* const kKinds[] = {"key", "type", "click", "shift+click", "double-click", "triple-click"};
        std::ostringstream out;
        out << kKinds[kind] << ' ';
        if (kind == Key) {
            out << QKeySequence(key | modifiers).toString().toStdString();
        } else if (kind == Type) {
            for (const QChar unit : text) out << "U+" << std::hex << static_cast<int>(unit.unicode()) << std::dec << ' ';
        } else {
            out << "at " << permille << " per mille";
        }
        return out.str();
    }
    bool Is(QKeySequence::StandardKey command) const {
        return kind == Key && QKeySequence(key | modifiers).matches(QKeySequence(command)[0]) == QKeySequence::ExactMatch;
    }
    bool IsKey(Qt::Key k) const { return kind == Key && key == k; }
};

// What a user sees of a box, in the stock box's positions: a line break
// counts one.
struct State {
    QString text;  // lines joined by LF
    int caret = 0;
    int anchor = 0;
    bool operator==(const State&) const = default;
    std::string Describe() const {
        QString shown = text;
        shown.replace(u'\n', QStringLiteral("\u23CE"));
        std::string described = "\"";
        described += shown.toStdString();
        return described + "\" caret " + std::to_string(caret) + " anchor " + std::to_string(anchor);
    }
};

int StockPosition(std::u16string_view text, std::size_t offset) {
    return static_cast<int>(offset - static_cast<std::size_t>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), u'\r')));
}

std::size_t ListPosition(std::u16string_view text, int position) {
    std::size_t offset = 0;
    for (int left = position; left > 0 && offset < text.size(); --left) offset += text[offset] == u'\r' ? 2 : 1;
    return offset;
}

class Pair {
public:
    Pair() {
        for (QWidget* box : {static_cast<QWidget*>(&list_), static_cast<QWidget*>(&stock_)}) {
            box->setFont(QApplication::font());
            box->resize(320, 90);
            box->show();
        }
        stock_.setLineWrapMode(QPlainTextEdit::NoWrap);
        // The list box always shows both bars: the same room for the text.
        stock_.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        stock_.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        (void)QTest::qWaitForWindowExposed(&stock_);
        (void)QTest::qWaitForWindowExposed(&list_);
    }
    ~Pair() {
        list_.close();
        stock_.close();
    }

    State ListState() const {
        const std::u16string_view text = list_.Text();
        QString joined = ListBox::ToQString(text);
        joined.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        const auto caret = list_.CaretPosition();
        const auto anchor = caret == list_.SelectionStart() ? list_.SelectionEnd() : list_.SelectionStart();
        return {joined, StockPosition(text, caret), StockPosition(text, anchor)};
    }
    State StockState() const {
        QString text = stock_.document()->toRawText();
        text.replace(QChar::ParagraphSeparator, u'\n');
        return {text, stock_.textCursor().position(), stock_.textCursor().anchor()};
    }

    // The list box's text put into both, with its caret and selection;
    // both start a new undo history.
    void Resync() {
        const State stock = ListState();
        stock_.setPlainText(stock.text);
        QTextCursor cursor = stock_.textCursor();
        cursor.setPosition(stock.anchor);
        cursor.setPosition(stock.caret, QTextCursor::KeepAnchor);
        stock_.setTextCursor(cursor);
        list_.SetText(stock.text.toStdU16String());
        list_.Select(ListPosition(list_.Text(), stock.anchor), ListPosition(list_.Text(), stock.caret));
    }

    void Apply(const Action& action) {
        if (action.kind == Action::Key || action.kind == Action::Type) {
            QString copied;
            for (QWidget* box : {static_cast<QWidget*>(&list_), static_cast<QWidget*>(&stock_)}) {
                // Both paste what the list box would have copied.
                if (box == &stock_ && !copied.isNull()) QApplication::clipboard()->setText(copied);
                if (action.kind == Action::Type) {
                    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, action.text);
                    QApplication::sendEvent(box, &press);
                } else {
                    QTest::keyClick(box, action.key, action.modifiers);
                }
                if (box == &list_) copied = QApplication::clipboard()->text();
            }
            return;
        }
        // A user clicks only on what is in view: a target scrolled out of
        // either box is not clicked at all.
        const QPoint listPoint = ListPoint(action.permille);
        const QPoint stockPoint = StockPoint(action.permille);
        if (!list_.viewport()->rect().contains(listPoint) || !stock_.viewport()->rect().contains(stockPoint)) return;
        Click(list_.viewport(), listPoint, action);
        Click(stock_.viewport(), stockPoint, action);
    }

private:
    int Target(int permille) const {
        return static_cast<int>(static_cast<long long>(stock_.document()->characterCount() - 1) * permille / 1000);
    }
    QPoint ListPoint(int permille) const {
        const QRect at = list_.CharacterRect(ListPosition(list_.Text(), Target(permille)));
        return QPoint(at.left() + 1, at.center().y()) - list_.viewport()->pos();
    }
    QPoint StockPoint(int permille) const {
        QTextCursor cursor(stock_.document());
        cursor.setPosition(Target(permille));
        const QRect at = stock_.cursorRect(cursor);
        return {at.left() + 1, at.center().y()};
    }

    void Click(QWidget* viewport, QPoint point, const Action& action) {
        // The stock box tells a triple click by a timer that runs for the
        // double-click interval: a click after a double click waits until
        // that timer has run out and been handled.
        auto& sinceDouble = viewport == list_.viewport() ? listDouble_ : stockDouble_;
        if (sinceDouble.isValid()) {
            const qint64 left = QApplication::doubleClickInterval() + 50 - sinceDouble.elapsed();
            QTest::qWait(static_cast<int>(std::max<qint64>(left, 1)));
            sinceDouble.invalidate();
        }
        const Qt::KeyboardModifiers modifiers = action.kind == Action::ShiftClick ? Qt::ShiftModifier : Qt::NoModifier;
        const auto send = [&](QEvent::Type type) {
            QMouseEvent event(type, point, viewport->mapToGlobal(point), Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, modifiers);
            event.setTimestamp(static_cast<quint64>(clock_.elapsed()));
            QApplication::sendEvent(viewport, &event);
        };
        send(QEvent::MouseButtonPress);
        send(QEvent::MouseButtonRelease);
        if (action.kind == Action::DoubleClick || action.kind == Action::TripleClick) {
            send(QEvent::MouseButtonDblClick);
            send(QEvent::MouseButtonRelease);
            sinceDouble.start();
        }
        if (action.kind == Action::TripleClick) {
            send(QEvent::MouseButtonPress);
            send(QEvent::MouseButtonRelease);
        }
    }

    ListBox list_;
    QPlainTextEdit stock_;
    QElapsedTimer clock_ = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    QElapsedTimer listDouble_;
    QElapsedTimer stockDouble_;
};

// Differences kept on purpose. Where one explains a divergence, both
// boxes take the list box's state and go on from there.
struct Mask {
    const char* name;
    const char* reason;
    // Whether it explains a divergence after `action`, given the actions
    // since the boxes last agreed and the list box's text now.
    std::function<bool(const Action& action, const std::vector<Action>& sinceResync, const QString& text)> covers;
};

bool Pasted(const std::vector<Action>& actions) {
    return std::any_of(actions.begin(), actions.end(), [](const Action& a) { return a.Is(QKeySequence::Paste); });
}

const std::vector<Mask> kMasks = {
    {"ShiftReturnStartsALine",
     "a list has lines only; the stock box's line separator inside a paragraph would reach the conversion as a "
     "line break anyway",
     [](const Action& action, const std::vector<Action>&, const QString&) {
         return action.IsKey(Qt::Key_Return) && action.modifiers == Qt::ShiftModifier;
     }},
    {"UniformLinePitch",
     "every line stands at the font's own pitch, so that a million lines page evenly; the stock box makes a line "
     "taller where a fallback font draws some character, and a page then holds fewer lines",
     [](const Action& action, const std::vector<Action>&, const QString& text) {
         const bool page = action.IsKey(Qt::Key_PageUp) || action.IsKey(Qt::Key_PageDown);
         return page && std::any_of(text.begin(), text.end(), [](QChar unit) { return unit.unicode() > 0x7F; });
     }},
    {"PasteIsItsOwnUndoStep",
     "a pasted list is undone on its own, never together with the typing before or after it",
     [](const Action& action, const std::vector<Action>& sinceResync, const QString&) {
         return (action.Is(QKeySequence::Undo) || action.Is(QKeySequence::Redo)) && Pasted(sinceResync);
     }},
    {"TypingAfterUndoIsAStepOfItsOwn",
     "after an undo, what is typed next is undone on its own; the stock box may merge it with the typing before "
     "the undone step, so that one undo takes away two separate runs of typing",
     [](const Action& action, const std::vector<Action>& sinceResync, const QString&) {
         const auto undoOrRedo = [](const Action& a) { return a.Is(QKeySequence::Undo) || a.Is(QKeySequence::Redo); };
         return undoOrRedo(action) && std::count_if(sinceResync.begin(), sinceResync.end(), undoOrRedo) > 1;
     }},
    {"ShiftClickAfterAnEditExtendsByCharacters",
     "once the text has changed, the word or line a double or triple click picked is gone; a Shift+click then "
     "extends by characters instead of by the stale word",
     [](const Action& action, const std::vector<Action>& sinceResync, const QString&) {
         if (action.kind != Action::ShiftClick) return false;
         const auto multiClick = std::find_if(sinceResync.rbegin(), sinceResync.rend(), [](const Action& a) {
             return a.kind == Action::DoubleClick || a.kind == Action::TripleClick;
         });
         return std::any_of(sinceResync.rbegin(), multiClick, [](const Action& a) { return a.kind <= Action::Type; });
     }},
};

const Mask* MaskFor(const Action& action, const std::vector<Action>& sinceResync, const QString& text) {
    for (const Mask& mask : kMasks) {
        if (mask.covers(action, sinceResync, text)) return &mask;
    }
    return nullptr;
}

struct Divergence {
    std::size_t step;
    State list;
    State stock;
};

// Plays `actions` on a fresh pair of boxes; the first unexplained
// divergence, if any.
std::optional<Divergence> Play(const std::vector<Action>& actions) {
    QApplication::clipboard()->clear();
    Pair pair;
    std::vector<Action> sinceResync;
    for (std::size_t step = 0; step < actions.size(); ++step) {
        pair.Apply(actions[step]);
        sinceResync.push_back(actions[step]);
        const State list = pair.ListState();
        const State stock = pair.StockState();
        if (list == stock) continue;
        if (MaskFor(actions[step], sinceResync, list.text) == nullptr) return Divergence{step, list, stock};
        pair.Resync();
        sinceResync.clear();
    }
    return std::nullopt;
}

// The shortest sequence found that still diverges: drops runs of actions,
// halving the run, while the divergence stays.
std::vector<Action> Shrink(std::vector<Action> actions) {
    for (std::size_t run = actions.size() / 2; run >= 1; run /= 2) {
        for (std::size_t from = 0; from + run <= actions.size();) {
            std::vector<Action> shorter = actions;
            shorter.erase(shorter.begin() + static_cast<std::ptrdiff_t>(from),
                          shorter.begin() + static_cast<std::ptrdiff_t>(from + run));
            if (std::optional<Divergence> divergence = Play(shorter)) {
                shorter.resize(divergence->step + 1);
                actions = std::move(shorter);
            } else {
                from += run;
            }
        }
    }
    return actions;
}

class Generator {
public:
    explicit Generator(std::uint32_t seed) : random_(seed) {}

    Action Next() {
        const int roll = Pick(100);
        if (roll < 30) return Typed();
        if (roll < 36) return Mouse();
        return Pressed();
    }

private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
    template <class T, std::size_t N>
    const T& OneOf(const T (&choices)[N]) {
        return choices[Pick(static_cast<int>(N))];
    }

    Action Typed() {
        // Letters and digits, spaces and the punctuation of links, Han
        // characters, a letter outside the first plane, a combining mark.
        static const char16_t* const kTexts[] = {u"a", u"b", u"z", u"1", u"9", u" ", u".", u"/", u":", u"-",
                                                 u"中", u"文", u"链", u"𝐀", u"\U0001D41B", u"\u0301", u"\u0308"};
        return {Action::Type, Qt::Key_unknown, {}, QString::fromUtf16(OneOf(kTexts))};
    }

    Action Mouse() {
        static const Action::Kind kKinds[] = {Action::Click, Action::Click, Action::ShiftClick, Action::DoubleClick,
                                              Action::DoubleClick, Action::TripleClick};
        return {OneOf(kKinds), Qt::Key_unknown, {}, {}, Pick(1001)};
    }

    Action Pressed() {
        struct Choice {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            bool shiftToo;  // also pressed with Shift added
        };
        static const Choice kKeys[] = {
            {Qt::Key_Return, {}, true},       {Qt::Key_Return, {}, false},
            {Qt::Key_Return, {}, false},      {Qt::Key_Backspace, {}, false},
            {Qt::Key_Delete, {}, false},      {Qt::Key_Backspace, Qt::ControlModifier, false},
            {Qt::Key_Delete, Qt::ControlModifier, false},
            {Qt::Key_Left, {}, true},         {Qt::Key_Right, {}, true},
            {Qt::Key_Up, {}, true},           {Qt::Key_Down, {}, true},
            {Qt::Key_Left, Qt::ControlModifier, true}, {Qt::Key_Right, Qt::ControlModifier, true},
            {Qt::Key_Home, {}, true},         {Qt::Key_End, {}, true},
            {Qt::Key_Home, Qt::ControlModifier, true}, {Qt::Key_End, Qt::ControlModifier, true},
            {Qt::Key_PageUp, {}, true},       {Qt::Key_PageDown, {}, true},
            {Qt::Key_A, Qt::ControlModifier, false}, {Qt::Key_C, Qt::ControlModifier, false},
            {Qt::Key_X, Qt::ControlModifier, false}, {Qt::Key_V, Qt::ControlModifier, false},
            {Qt::Key_V, Qt::ControlModifier, false}, {Qt::Key_Z, Qt::ControlModifier, false},
            {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, false}, {Qt::Key_Y, Qt::ControlModifier, false},
        };
        const Choice& choice = OneOf(kKeys);
        const bool shift = choice.shiftToo && Pick(2) == 0;
        return {Action::Key, choice.key, choice.modifiers | (shift ? Qt::ShiftModifier : Qt::NoModifier), {}, 0};
    }

    std::mt19937 random_;
};

Action Typed(const char16_t* text) {
    return {Action::Type, Qt::Key_unknown, {}, QString::fromUtf16(text), 0};
}

Action Pressed(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return {Action::Key, key, modifiers, {}, 0};
}

Action Clicked(Action::Kind kind, int permille) {
    return {kind, Qt::Key_unknown, {}, {}, permille};
}

struct SequenceCase {
    const char* name;
    std::vector<Action> actions;
};

class ListBoxSequenceTest : public testing::TestWithParam<SequenceCase> {};

// Short sequences where the two boxes once parted, kept so that they stay
// together whatever the seed of the random run.
TEST_P(ListBoxSequenceTest, ActsAsTheStockTextBox) {
    const std::optional<Divergence> divergence = Play(GetParam().actions);
    ASSERT_FALSE(divergence) << "step " << divergence->step << "\nlist box:  " << divergence->list.Describe()
                             << "\nstock box: " << divergence->stock.Describe();
}

const std::vector<Action> kTwoLines = {Typed(u"xyzxyz"), Pressed(Qt::Key_Return), Typed(u"abcdef"),
                                       Pressed(Qt::Key_Home, Qt::ControlModifier), Pressed(Qt::Key_Down),
                                       Pressed(Qt::Key_A, Qt::ControlModifier)};

std::vector<Action> Then(std::vector<Action> actions, const Action& last) {
    actions.push_back(last);
    return actions;
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, ListBoxSequenceTest,
    testing::Values(
        SequenceCase{"BackspaceTakesTheCombiningMarkAlone",
                     {Typed(u"d"), Typed(u"\u0301"), Pressed(Qt::Key_End), Pressed(Qt::Key_Backspace)}},
        SequenceCase{"BackspaceTakesASurrogatePairWhole", {Typed(u"\U0001D41B"), Pressed(Qt::Key_Backspace)}},
        SequenceCase{"UpAfterSelectAllAimsFromTheEnd", Then(kTwoLines, Pressed(Qt::Key_Up))},
        SequenceCase{"ShiftPageUpAfterSelectAllAimsFromTheEnd",
                     Then(kTwoLines, Pressed(Qt::Key_PageUp, Qt::ShiftModifier))},
        SequenceCase{"LeftCollapsesASelection",
                     {Typed(u"abc"), Pressed(Qt::Key_Left, Qt::ShiftModifier), Pressed(Qt::Key_Left, Qt::ShiftModifier),
                      Pressed(Qt::Key_Left)}},
        SequenceCase{"RightCollapsesASelection",
                     {Typed(u"abc"), Pressed(Qt::Key_Home, Qt::ShiftModifier), Pressed(Qt::Key_Right)}},
        SequenceCase{"ShiftDownOnTheLastLineSelectsToItsEnd",
                     {Typed(u"abc"), Pressed(Qt::Key_Home), Pressed(Qt::Key_Down, Qt::ShiftModifier)}},
        SequenceCase{"DownOnTheLastLineStays", {Typed(u"ab\u0301"), Pressed(Qt::Key_Left), Pressed(Qt::Key_Down)}},
        SequenceCase{"DoubleClickAtAWordsEndSelectsIt", {Typed(u"ab cd"), Clicked(Action::DoubleClick, 400)}},
        SequenceCase{"DoubleClickTakesHanAndDigitsTogether", {Typed(u"\u4E2D1"), Clicked(Action::DoubleClick, 0)}},
        SequenceCase{"ShiftClickAfterDoubleClickExtendsByWords",
                     {Typed(u"ab cd ef"), Clicked(Action::DoubleClick, 875), Clicked(Action::ShiftClick, 125)}},
        SequenceCase{"ShiftPageUpFromALastLineThatFits",
                     {Typed(u"b"), Pressed(Qt::Key_Return), Pressed(Qt::Key_Return), Pressed(Qt::Key_Return),
                      Pressed(Qt::Key_Return), Pressed(Qt::Key_PageUp, Qt::ShiftModifier)}},
        SequenceCase{"TripleClickTakesTheLineBreak",
                     {Typed(u"ab"), Pressed(Qt::Key_Return), Typed(u"cd"), Clicked(Action::TripleClick, 200)}}),
    test::RowName);

int FromEnvironment(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

TEST(ListBoxDifferentialTest, KeysAndClicksActAsInTheStockTextBox) {
    const int steps = FromEnvironment("VELKRANT_DIFF_STEPS", 1500);
    const auto seed = static_cast<std::uint32_t>(FromEnvironment("VELKRANT_DIFF_SEED", 19));
    // Runs of a few dozen steps from an empty box, so that a divergence
    // shrinks quickly and the texts stay small enough to watch.
    constexpr int kRun = 60;
    Generator generator(seed);
    for (int done = 0; done < steps; done += kRun) {
        std::vector<Action> actions;
        for (int i = 0; i < std::min(kRun, steps - done); ++i) actions.push_back(generator.Next());
        const std::optional<Divergence> divergence = Play(actions);
        if (!divergence) continue;
        actions.resize(divergence->step + 1);
        std::vector<Action> shortest = Shrink(actions);
        std::optional<Divergence> shown = Play(shortest);
        if (!shown) {
            // Shrinking went astray (a divergence that depends on timing):
            // the whole run as it failed.
            shortest = actions;
            shown = divergence;
        }
        std::ostringstream report;
        report << "seed " << seed << ", run from step " << done << "; shortest sequence:\n";
        for (const Action& action : shortest) report << "  " << action.Describe() << '\n';
        report << "list box:  " << shown->list.Describe() << "\nstock box: " << shown->stock.Describe();
        FAIL() << report.str();
    }
}

}  // namespace
}  // namespace velkrant
