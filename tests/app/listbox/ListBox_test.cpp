#include "ListBox.h"

#include "GuiFixture.h"
#include "SelectAllOnFocus.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QShortcut>
#include <QTest>
#include <QWheelEvent>

#include <memory>
#include <string>
#include <vector>

namespace velkrant {
namespace {

using test::PrintTo;

struct TextCase {
    const char* name;
    std::u16string set;
    std::u16string read;
};

std::u16string ManyLines(int count, const std::u16string& lineEnd) {
    std::u16string text;
    for (int i = 0; i < count; ++i) {
        if (i > 0) text += lineEnd;
        text += u"http://a/" + QString::number(i).toStdU16String() + u"\u00A0x";
    }
    return text;
}

class ListBoxTextTest : public testing::TestWithParam<TextCase> {};

// What a box gives the conversion, the export and the copy button is what
// was put into it, with every kind of line break read back as CR LF.
TEST_P(ListBoxTextTest, ReadsBackWhatWasSetWithCrLfLineBreaks) {
    ListBox box;
    box.SetText(GetParam().set);
    EXPECT_EQ(box.Text(), GetParam().read);
    EXPECT_EQ(box.LineCount(), static_cast<int>(std::count(GetParam().read.begin(), GetParam().read.end(), u'\r')) + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ListBoxTextTest,
    testing::Values(TextCase{"Empty", u"", u""}, TextCase{"OneLine", u"http://a/b", u"http://a/b"},
                    TextCase{"EmptyLinesAtBothEnds", u"\r\n\r\na\r\n\r\n", u"\r\n\r\na\r\n\r\n"},
                    TextCase{"LoneCrLoneLfAndParagraphSeparator", u"a\rb\nc\r\n\nd\u2029e", u"a\r\nb\r\nc\r\n\r\nd\r\ne"},
                    TextCase{"CrBeforeCrLf", u"a\r\r\nb", u"a\r\n\r\nb"},
                    TextCase{"NonBreakingAndIdeographicSpacesKept", u"\u00A0a\u3000\r\n\u00A0", u"\u00A0a\u3000\r\n\u00A0"},
                    TextCase{"SurrogatePairs", u"\U0002A6A5\r\n\U0001F600", u"\U0002A6A5\r\n\U0001F600"},
                    TextCase{"ThousandsOfLoneLineFeeds", ManyLines(5000, u"\n"), ManyLines(5000, u"\r\n")}),
    test::RowName);

// One keystroke, or typed text.
struct Stroke {
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    QKeySequence::StandardKey command = QKeySequence::UnknownKey;  // pressed as the platform binds it
    const char16_t* text = nullptr;

    void Press(QWidget& box) const {
        if (text != nullptr) {
            // A key for each character, as a keyboard types them.
            for (const char32_t character : QString::fromUtf16(text).toUcs4()) {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                                QString::fromUcs4(&character, 1));
                QApplication::sendEvent(&box, &press);
            }
        } else if (command != QKeySequence::UnknownKey) {
            const QKeyCombination combination = QKeySequence(command)[0];
            QTest::keyClick(&box, combination.key(), combination.keyboardModifiers());
        } else {
            QTest::keyClick(&box, key, modifiers);
        }
    }
};

Stroke Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return {key, modifiers};
}

Stroke Command(QKeySequence::StandardKey command) {
    return {Qt::Key_unknown, Qt::NoModifier, command};
}

Stroke Type(const char16_t* text) {
    return {Qt::Key_unknown, Qt::NoModifier, QKeySequence::UnknownKey, text};
}

struct EditCase {
    const char* name;
    std::u16string start;
    std::vector<Stroke> strokes;
    std::u16string expected;
    std::u16string clipboard = u"";  // put on the clipboard first
};

class ListBoxEditTest : public test::GuiFixture<testing::TestWithParam<EditCase>> {};

TEST_P(ListBoxEditTest, KeysEditTheText) {
    const EditCase& c = GetParam();
    ListBox box;
    box.resize(200, 100);
    box.SetText(c.start);
    if (!c.clipboard.empty()) QApplication::clipboard()->setText(QString::fromStdU16String(c.clipboard));
    for (const Stroke& stroke : c.strokes) stroke.Press(box);
    EXPECT_EQ(box.Text(), c.expected);
}

const Stroke kEnd = Key(Qt::Key_End);
const Stroke kDown = Key(Qt::Key_Down);

INSTANTIATE_TEST_SUITE_P(
    Keys, ListBoxEditTest,
    testing::Values(
        EditCase{"TypingInsertsAtTheCaret", u"bc", {Type(u"a链")}, u"a链bc"},
        EditCase{"EnterSplitsTheLine", u"ab", {Key(Qt::Key_Right), Key(Qt::Key_Return)}, u"a\r\nb"},
        EditCase{"BackspaceAtLineStartJoinsLines", u"a\r\nb", {kDown, Key(Qt::Key_Home), Key(Qt::Key_Backspace)}, u"ab"},
        EditCase{"DeleteAtLineEndJoinsLines", u"a\r\nb", {kEnd, Key(Qt::Key_Delete)}, u"ab"},
        EditCase{"RightStepsOverTheWholeLineBreak", u"a\r\nb", {kEnd, Key(Qt::Key_Right), Type(u"x")}, u"a\r\nxb"},
        EditCase{"SurrogatePairDeletedWhole", u"\U0001F600x", {Key(Qt::Key_Delete)}, u"x"},
        EditCase{"DownKeepsItsColumnPastAShortLine", u"abc\r\nd\r\nefg", {kEnd, kDown, kDown, Type(u"X")},
                 u"abc\r\nd\r\nefgX"},
        EditCase{"TypingReplacesTheSelection", u"abc\r\nd", {Key(Qt::Key_Right), Key(Qt::Key_Down, Qt::ShiftModifier), Type(u"x")},
                 u"ax"},
        EditCase{"TypedRunUndoneInOneStep", u"a", {kEnd, Type(u"bcd"), Command(QKeySequence::Undo)}, u"a"},
        EditCase{"EnterEndsTheTypedRun", u"", {Type(u"ab"), Key(Qt::Key_Return), Type(u"c"), Command(QKeySequence::Undo),
                  Command(QKeySequence::Undo)}, u"ab"},
        EditCase{"BackspacesUndoneInOneStep", u"abc", {kEnd, Key(Qt::Key_Backspace), Key(Qt::Key_Backspace),
                  Command(QKeySequence::Undo)}, u"abc"},
        EditCase{"RedoAfterUndo", u"a", {kEnd, Type(u"b"), Command(QKeySequence::Undo), Command(QKeySequence::Redo)}, u"ab"},
        EditCase{"SelectAllThenDelete", u"a\r\nb", {Command(QKeySequence::SelectAll), Key(Qt::Key_Delete)}, u""},
        EditCase{"CutThenPasteAtTheEnd", u"ab\r\nc", {Key(Qt::Key_End, Qt::ShiftModifier), Command(QKeySequence::Cut),
                  Key(Qt::Key_End, Qt::ControlModifier), Command(QKeySequence::Paste)}, u"\r\ncab"},
        EditCase{"PastedLineBreaksBecomeLines", u"", {Command(QKeySequence::Paste)}, u"x\r\ny\r\nz", u"x\ny\rz"},
        EditCase{"UndoOfPasteAfterSetRestoresTheSetText", u"keep", {Command(QKeySequence::Paste), Command(QKeySequence::Undo),
                  Command(QKeySequence::Undo)}, u"keep", u"x"}),
    test::RowName);

TEST(ListBoxReadOnlyTest, KeysScrollAndCopyButNeverEdit) {
    ListBox box;
    box.resize(200, 60);
    box.setReadOnly(true);
    box.SetText(ManyLines(50, u"\r\n"));
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    for (const Stroke& stroke : {Key(Qt::Key_X), Key(Qt::Key_Delete), Key(Qt::Key_Return), Command(QKeySequence::Paste),
                                 Key(Qt::Key_Down), Key(Qt::Key_PageDown)}) {
        stroke.Press(box);
    }
    EXPECT_EQ(box.Text(), ManyLines(50, u"\r\n"));
    EXPECT_GT(box.verticalScrollBar()->value(), 1) << "Down and Page Down scroll the box";
    QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(box.SelectedText(), ManyLines(50, u"\r\n"));
}

struct ReadOnlyScrollCase {
    const char* name;
    Stroke stroke;
    enum { Start, End, PageOn, PageBack } to;
};

class ListBoxReadOnlyScrollTest : public testing::TestWithParam<ReadOnlyScrollCase> {};

// The keys that walk a long result from the keyboard, from the middle of it.
TEST_P(ListBoxReadOnlyScrollTest, KeysScrollToTheEndsAndByPages) {
    ListBox box;
    box.resize(200, 100);
    box.setReadOnly(true);
    box.SetText(ManyLines(500, u"\r\n"));
    QScrollBar& bar = *box.verticalScrollBar();
    bar.setValue(250);
    GetParam().stroke.Press(box);
    const int expected[] = {0, bar.maximum(), 250 + bar.pageStep(), 250 - bar.pageStep()};
    EXPECT_EQ(bar.value(), expected[GetParam().to]);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ListBoxReadOnlyScrollTest,
    testing::Values(ReadOnlyScrollCase{"Home", Key(Qt::Key_Home), ReadOnlyScrollCase::Start},
                    ReadOnlyScrollCase{"End", Key(Qt::Key_End), ReadOnlyScrollCase::End},
                    ReadOnlyScrollCase{"CtrlHome", Key(Qt::Key_Home, Qt::ControlModifier), ReadOnlyScrollCase::Start},
                    ReadOnlyScrollCase{"CtrlEnd", Key(Qt::Key_End, Qt::ControlModifier), ReadOnlyScrollCase::End},
                    ReadOnlyScrollCase{"Space", Key(Qt::Key_Space), ReadOnlyScrollCase::PageOn},
                    ReadOnlyScrollCase{"ShiftSpace", Key(Qt::Key_Space, Qt::ShiftModifier), ReadOnlyScrollCase::PageBack}),
    test::RowName);

// What another program gets when it pastes: the platform's line breaks.
QString Pasted(const char16_t* withLf) {
    QString text = QString::fromUtf16(withLf);
#ifdef Q_OS_WIN
    text.replace(u'\n', QStringLiteral("\r\n"));
#endif
    return text;
}

struct CopyCase {
    const char* name;
    std::u16string start;
    std::vector<Stroke> strokes;
    const char16_t* clipboard;  // lines joined by LF
    std::u16string left;
};

class ListBoxCopyTest : public test::GuiFixture<testing::TestWithParam<CopyCase>> {};

TEST_P(ListBoxCopyTest, CopyAndCutPutTheSelectionOnTheClipboard) {
    const CopyCase& c = GetParam();
    ListBox box;
    box.SetText(c.start);
    for (const Stroke& stroke : c.strokes) stroke.Press(box);
    EXPECT_EQ(QApplication::clipboard()->text(), Pasted(c.clipboard));
    EXPECT_EQ(box.Text(), c.left);
}

INSTANTIATE_TEST_SUITE_P(
    Selections, ListBoxCopyTest,
    testing::Values(CopyCase{"WholeList", u"a\r\n\r\n\u4E2D\U0001F600\r\nb\r\n",
                             {Command(QKeySequence::SelectAll), Command(QKeySequence::Copy)},
                             u"a\n\n\u4E2D\U0001F600\nb\n", u"a\r\n\r\n\u4E2D\U0001F600\r\nb\r\n"},
                    CopyCase{"NothingSelectedLeavesTheClipboard", u"a", {Command(QKeySequence::Copy)}, u"", u"a"},
                    CopyCase{"CutAcrossALineBreak", u"ab\r\ncd",
                             {kEnd, Key(Qt::Key_Right, Qt::ShiftModifier), Command(QKeySequence::Cut)},
                             u"\n", u"abcd"}),
    test::RowName);

TEST(ListBoxSelectAllOnFocusTest, AClickIntoTheBoxSelectsItsWholeText) {
    QWidget window;
    auto* other = new QLineEdit(&window);
    auto* box = new ListBox(&window);
    box->setGeometry(0, 40, 200, 100);
    box->setReadOnly(true);
    box->SetText(u"a\r\nb");
    SelectAllOnFocus::Install(box);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), box);
    EXPECT_EQ(box->SelectedText(), u"a\r\nb");
    // ... and offers it for a middle click elsewhere.
    if (QApplication::clipboard()->supportsSelection()) {
        EXPECT_EQ(QApplication::clipboard()->text(QClipboard::Selection), Pasted(u"a\nb"));
    }
    window.close();
}

TEST(ListBoxScrollTest, CaretStaysInViewOnALongList) {
    ListBox box;
    box.resize(200, 100);
    box.SetText(ManyLines(100'000, u"\n"));
    ASSERT_EQ(box.LineCount(), 100'000);
    QTest::keyClick(&box, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(box.verticalScrollBar()->value(), box.verticalScrollBar()->maximum());
    QTest::keyClicks(&box, QStringLiteral("!"));
    EXPECT_EQ(box.Text().substr(box.Text().size() - 3), u"\u00A0x!");
    QTest::keyClick(&box, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(box.verticalScrollBar()->value(), 0);
}

// A mouse event at `point` in the box's text area, `time` milliseconds in.
void SendMouse(ListBox& box, QEvent::Type type, QPoint point, quint64 time) {
    QMouseEvent event(type, point, box.viewport()->mapToGlobal(point), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    event.setTimestamp(time);
    QApplication::sendEvent(box.viewport(), &event);
}

TEST(ListBoxMouseTest, ClicksPlaceTheCaretSelectAWordAndThenTheLine) {
    ListBox box;
    box.resize(300, 100);
    box.SetText(u"first line\r\nhttp example");
    const QFontMetrics metrics(box.font());
    // Far right of the second line: its end.
    QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, QPoint(290, 4 + metrics.height() * 3 / 2));
    EXPECT_EQ(box.CaretPosition(), box.Text().size());
    const QPoint inFirst(4 + metrics.horizontalAdvance(QStringLiteral("fi")), 4 + metrics.height() / 2);
    SendMouse(box, QEvent::MouseButtonPress, inFirst, 1000);
    SendMouse(box, QEvent::MouseButtonRelease, inFirst, 1010);
    SendMouse(box, QEvent::MouseButtonDblClick, inFirst, 1100);
    SendMouse(box, QEvent::MouseButtonRelease, inFirst, 1110);
    EXPECT_EQ(box.SelectedText(), u"first");
    SendMouse(box, QEvent::MouseButtonPress, inFirst, 1200);
    SendMouse(box, QEvent::MouseButtonRelease, inFirst, 1210);
    EXPECT_EQ(box.SelectedText(), u"first line\r\n") << "a triple click takes the line break too";
}

struct ShortcutCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool windowGetsIt;
};

class ListBoxShortcutTest : public test::GuiFixture<testing::TestWithParam<ShortcutCase>> {};

// A window's shortcut fires from inside the box unless the box itself
// uses the key: a mnemonic like Alt+B must still work while typing.
TEST_P(ListBoxShortcutTest, KeysTheBoxUsesAreKeptFromTheWindow) {
    const ShortcutCase& c = GetParam();
    QWidget window;
    auto* box = new ListBox(&window);
    box->SetText(u"abc");
    int fired = 0;
    auto* shortcut = new QShortcut(QKeySequence(c.key | c.modifiers), &window);
    QObject::connect(shortcut, &QShortcut::activated, [&] { ++fired; });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    box->setFocus();
    QTest::keyClick(box, c.key, c.modifiers);
    EXPECT_EQ(fired, c.windowGetsIt ? 1 : 0);
    window.close();
}

INSTANTIATE_TEST_SUITE_P(Keys, ListBoxShortcutTest,
                         testing::Values(ShortcutCase{"AltLetter", Qt::Key_B, Qt::AltModifier, true},
                                         ShortcutCase{"PlainLetter", Qt::Key_B, Qt::NoModifier, false},
                                         ShortcutCase{"SelectAll", Qt::Key_A, Qt::ControlModifier, false},
                                         ShortcutCase{"Escape", Qt::Key_Escape, Qt::NoModifier, true}),
                         test::RowName);

struct MenuCase {
    const char* name;
    bool readOnly;
    std::vector<std::pair<QString, bool>> actions;  // object name, enabled
};

class ListBoxMenuTest : public test::GuiFixture<testing::TestWithParam<MenuCase>> {};

TEST_P(ListBoxMenuTest, ContextMenuOffersWhatTheBoxAllows) {
    ListBox box;
    box.resize(200, 100);
    box.SetText(u"a\r\nb");
    box.setReadOnly(GetParam().readOnly);
    Command(QKeySequence::SelectAll).Press(box);
    Type(u"A").Press(box);  // typed over the selection where allowed
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), box.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(box.viewport(), &event);
    auto* menu = box.findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    std::vector<std::pair<QString, bool>> actions;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator()) actions.emplace_back(action->objectName(), action->isEnabled());
    }
    EXPECT_EQ(actions, GetParam().actions);
    menu->close();
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, ListBoxMenuTest,
    testing::Values(MenuCase{"Editable", false,
                             {{"edit-undo", true}, {"edit-redo", false}, {"edit-cut", false}, {"edit-copy", false},
                              {"edit-paste", false}, {"edit-delete", false}, {"select-all", true}}},
                    MenuCase{"ReadOnly", true, {{"edit-copy", true}, {"select-all", true}}}),
    test::RowName);

// What a screen reader gets: an editable multi-line text it can read in
// ranges and whose caret and selection it can move, each line break one
// character to it.
TEST(ListBoxAccessibilityTest, ScreenReadersReadAndSelectTheText) {
    ListBox box;
    box.SetText(u"ab\r\ncd");
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&box);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::EditableText);
    EXPECT_TRUE(accessible->state().multiLine);
    QAccessibleTextInterface* text = accessible->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->characterCount(), 5);
    EXPECT_EQ(text->text(1, 4), QStringLiteral("b\nc"));
    text->setSelection(0, 1, 4);
    EXPECT_EQ(box.SelectedText(), u"b\r\nc");
    text->setCursorPosition(3);
    EXPECT_EQ(box.CaretPosition(), 4u);
    EXPECT_EQ(text->cursorPosition(), 3);
    box.setReadOnly(true);
    EXPECT_TRUE(accessible->state().readOnly);
}

struct ZoomCase {
    const char* name;
    bool readOnly;
    qreal growth;
};

class ListBoxZoomTest : public testing::TestWithParam<ZoomCase> {};

TEST_P(ListBoxZoomTest, CtrlWheelZoomsOnlyABoxTheUserCannotEdit) {
    ListBox box;
    box.setReadOnly(GetParam().readOnly);
    const qreal before = box.font().pointSizeF();
    QWheelEvent wheel(QPointF(5, 5), box.mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 240), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(box.viewport(), &wheel);
    EXPECT_EQ(box.font().pointSizeF() - before, GetParam().growth);
}

INSTANTIATE_TEST_SUITE_P(Boxes, ListBoxZoomTest,
                         testing::Values(ZoomCase{"ReadOnly", true, 2}, ZoomCase{"Editable", false, 0}),
                         test::RowName);

TEST(ListBoxInputMethodTest, ComposedTextShowsUntilCommitted) {
    ListBox box;
    box.SetText(u"ab");
    QTest::keyClick(&box, Qt::Key_Right);
    QInputMethodEvent compose(QStringLiteral("zhong"), {});
    QApplication::sendEvent(&box, &compose);
    EXPECT_EQ(box.Text(), u"ab") << "text being composed is not yet the box's";
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("中"));
    QApplication::sendEvent(&box, &commit);
    EXPECT_EQ(box.Text(), u"a中b");
    EXPECT_EQ(static_cast<QWidget&>(box).inputMethodQuery(Qt::ImSurroundingText).toString(), QStringLiteral("a中b"));
    EXPECT_EQ(static_cast<QWidget&>(box).inputMethodQuery(Qt::ImCursorPosition).toInt(), 2);
}

}  // namespace
}  // namespace velkrant
