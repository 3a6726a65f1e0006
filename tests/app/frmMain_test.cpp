#include "GuiFixture.h"

#include "ListBox.h"
#include "MessageBox.h"
#include "frmBatch.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <string>
#include <vector>

namespace velkrant {
namespace {

using test::PrintTo;
using test::AnswerNextModalBox;
using test::Find;
using test::GuiFixture;
using test::GuiTest;

const Message kOrdinary{u"普通协议,不需要解密!", u"提示", MessageIcon::Information};
const Message kCannotJudge{u"错误的地址或无法自动判断!", u"提示", MessageIcon::Information};
const Message kAbout{u"Velkrant\r\nVersion 2.3.38\r\n\r\n作者: Velkrant 开发组\r\n邮箱: velkrant@example.org\r\n\r\n"
                     u"Copyright (C) 2026 Velkrant developers",
                     u"关于", MessageIcon::Information};

QString Q(const char16_t* text) {
    return QString::fromUtf16(text);
}

TEST_F(GuiTest, StartsWithModeZeroEmptyBoxesAndCaretInInput) {
    frmMain& w = StartMainWindow();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Velkrant V2.3"));
    EXPECT_TRUE(w.optOption[0]->isChecked());
    EXPECT_EQ(w.Mode(), ModeAuto);
    EXPECT_TRUE(w.txtInput->text().isEmpty());
    EXPECT_TRUE(w.txtOutput->text().isEmpty());
    EXPECT_FALSE(w.chkBatch->isChecked());
    EXPECT_FALSE(w.Batch().isVisible());
    EXPECT_EQ(QApplication::focusWidget(), w.txtInput);
    EXPECT_EQ(w.size(), QSize(461, 171));
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
}

struct GeometryCase {
    const char* name;
    const char* container;
    QRect pixels;
};

class GeometryTest : public GuiFixture<testing::TestWithParam<GeometryCase>> {};

TEST_P(GeometryTest, ControlSitsWhereDesigned) {
    frmMain w;
    const GeometryCase& c = GetParam();
    const QWidget* control = Find(w, c.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->parentWidget()->objectName().toStdString(), c.container);
    EXPECT_EQ(control->geometry(), c.pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Designed, GeometryTest,
    testing::Values(GeometryCase{"fraAddress", "frmMain", {8, 4, 445, 69}},
                    GeometryCase{"picAddress", "fraAddress", {4, 12, 437, 53}},
                    GeometryCase{"txtInput", "picAddress", {44, 4, 333, 18}},
                    GeometryCase{"cmdCopy", "picAddress", {380, 28, 49, 17}},
                    GeometryCase{"optOption2", "picCode", {92, 40, 93, 17}},
                    GeometryCase{"lblAuto", "fraDecode", {28, 36, 57, 37}},
                    GeometryCase{"cmdCode", "frmMain", {340, 84, 109, 25}},
                    GeometryCase{"chkBatch", "frmMain", {352, 116, 89, 13}},
                    GeometryCase{"txtBatchOut", "client", {4, 156, 421, 117}},
                    GeometryCase{"cmdClearOut", "client", {428, 236, 29, 33}}),
    test::RowName);

TEST_F(GuiTest, TabVisitsControlsInDesignedOrderWithOneStopForTheOptions) {
    frmMain& w = StartMainWindow();
    QTest::mouseClick(w.optOption[3], Qt::LeftButton);
    w.txtInput->setFocus();
    std::vector<std::string> visited;
    for (int i = 0; i < 9; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget()->objectName().toStdString());
    }
    const std::vector<std::string> expected{"txtOutput", "cmdCode", "optOption3", "cmdAbout", "cmdExit",
                                            "cmdPaste",  "cmdCopy", "chkBatch",   "txtInput"};
    EXPECT_EQ(visited, expected);
}

struct ArrowCase {
    const char* name;
    int from;
    Qt::Key key;
    int to;
};

class ArrowTest : public GuiFixture<testing::TestWithParam<ArrowCase>> {};

TEST_P(ArrowTest, ArrowsStepThroughTheOptionsInIndexOrderAndWrap) {
    frmMain& w = StartMainWindow();
    QTest::mouseClick(w.optOption[GetParam().from], Qt::LeftButton);
    QTest::keyClick(w.optOption[GetParam().from], GetParam().key);
    EXPECT_EQ(w.Mode(), GetParam().to);
    EXPECT_TRUE(w.optOption[GetParam().to]->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), w.optOption[GetParam().to]);
}

INSTANTIATE_TEST_SUITE_P(Keys, ArrowTest,
                         testing::Values(ArrowCase{"DownFromAuto", 0, Qt::Key_Down, 1},
                                         ArrowCase{"RightFromThunderDecode", 1, Qt::Key_Right, 2},
                                         ArrowCase{"DownFromLastWraps", 6, Qt::Key_Down, 0},
                                         ArrowCase{"UpFromFirstWraps", 0, Qt::Key_Up, 6},
                                         ArrowCase{"LeftFromThunderEncode", 4, Qt::Key_Left, 3}),
                         test::RowName);

TEST_F(GuiTest, FocusEnteringABoxSelectsItsWholeText) {
    frmMain& w = StartMainWindow();
    w.txtInput->setText(QStringLiteral("http://a/b"));
    w.SetOutputText(u"thunder://QUFodHRwOi8vYS9iWlo=");
    QTest::keyClick(w.txtInput, Qt::Key_Tab);
    EXPECT_EQ(w.txtOutput->selectedText(), w.txtOutput->text());
    QTest::mouseClick(w.txtInput, Qt::LeftButton, {}, QPoint(5, 5));
    QCoreApplication::processEvents();
    EXPECT_EQ(w.txtInput->selectedText(), QStringLiteral("http://a/b"));
    // Focus put back by the program (after a batch run) leaves the caret
    // where the user had it.
    w.txtInput->setCursorPosition(3);
    w.cmdCode->setFocus(Qt::OtherFocusReason);
    w.txtInput->setFocus(Qt::OtherFocusReason);
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.txtInput->hasSelectedText());
    EXPECT_EQ(w.txtInput->cursorPosition(), 3);
    // A click into the box of an inactive window: the focus comes back with
    // the window, then the press arrives; the whole text stays selected.
    w.cmdCode->setFocus(Qt::OtherFocusReason);
    w.txtInput->setFocus(Qt::ActiveWindowFocusReason);
    QTest::mouseClick(w.txtInput, Qt::LeftButton, {}, QPoint(5, 5));
    QCoreApplication::processEvents();
    EXPECT_EQ(w.txtInput->selectedText(), QStringLiteral("http://a/b"));
    QTest::keyClicks(w.txtOutput, QStringLiteral("typed"));
    EXPECT_EQ(w.txtOutput->text(), QStringLiteral("thunder://QUFodHRwOi8vYS9iWlo=")) << "the output box is read-only";
}

struct SingleRunCase {
    const char* name;
    int mode;
    const char16_t* input;
    const char16_t* output;  // the box held "previous" before the click
    std::vector<Message> messages;
};

class SingleRunTest : public GuiFixture<testing::TestWithParam<SingleRunCase>> {};

TEST_P(SingleRunTest, ConvertButtonWritesOutputBox) {
    const SingleRunCase& c = GetParam();
    frmMain& w = StartMainWindow();
    w.SetOutputText(u"previous");
    QString outputWhileBoxShown;
    onMessage = [&](const Message&) { outputWhileBoxShown = w.txtOutput->text(); };
    QTest::mouseClick(w.optOption[c.mode], Qt::LeftButton);
    w.txtInput->setText(Q(c.input));
    QTest::mouseClick(w.cmdCode, Qt::LeftButton);
    EXPECT_EQ(w.txtOutput->text(), Q(c.output));
    EXPECT_EQ(messages, c.messages);
    if (!c.messages.empty()) {
        EXPECT_EQ(outputWhileBoxShown, QStringLiteral("previous")) << "the box comes before the output is emptied";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SingleRunTest,
    testing::Values(SingleRunCase{"AutoThunder", 0, u"thunder://QUFodHRwOi8vYS9iWlo=", u"http://a/b", {}},
                    SingleRunCase{"AutoOrdinary", 0, u"HTTP://a/b", u"", {kOrdinary}},
                    SingleRunCase{"AutoNoSlashes", 0, u"", u"", {kCannotJudge}},
                    SingleRunCase{"DecodeFailureKeepsOutput", 1, u"thunder://QUFa", u"previous", {}},
                    SingleRunCase{"QqdlDecode", 3, u"qqdl://aHR0cDovL2EvYg==", u"http://a/b", {}},
                    SingleRunCase{"ThunderEncodeEmpty", 4, u"", u"thunder://QUFaWg==", {}},
                    SingleRunCase{"QqdlEncodeKeepsSpaces", 6, u" a ", u"qqdl://IGEg", {}}),
    test::RowName);

TEST_F(GuiTest, LongLinkSurvivesPasteAndConversionWhole) {
    frmMain& w = StartMainWindow();
    const QString address = QStringLiteral("http://a/") + QString(40000, QLatin1Char('x'));
    QApplication::clipboard()->setText(address);
    QTest::mouseClick(w.optOption[6], Qt::LeftButton);
    QTest::mouseClick(w.cmdPaste, Qt::LeftButton);
    QTest::mouseClick(w.cmdCode, Qt::LeftButton);
    QApplication::clipboard()->clear();
    QTest::mouseClick(w.cmdCopy, Qt::LeftButton);
    w.txtInput->setText(QApplication::clipboard()->text());
    QTest::mouseClick(w.optOption[3], Qt::LeftButton);
    QTest::mouseClick(w.cmdCode, Qt::LeftButton);
    EXPECT_EQ(w.txtOutput->text(), address);
}

struct DropCase {
    const char* name;
    QWidget& (*target)(frmMain&);  // where it is dropped
    const char* format;         // of the dropped data
    const char16_t* dropped;
    bool batchTicked;
    const char16_t* input;
    const char16_t* output;  // the box held "previous"
    int mode;                // option 4 was chosen before the drop
    std::vector<Message> messages;
};

class DropTest : public GuiFixture<testing::TestWithParam<DropCase>> {};

TEST_P(DropTest, TextOnTheInputReplacesItALinkOnTheWindowIsConverted) {
    const DropCase& c = GetParam();
    frmMain& w = StartMainWindow();
    w.txtInput->setText(QStringLiteral("old text"));
    w.SetOutputText(u"previous");
    QTest::mouseClick(w.optOption[4], Qt::LeftButton);
    if (c.batchTicked) QTest::mouseClick(w.chkBatch, Qt::LeftButton);
    test::Drop(c.target(w), c.format, Q(c.dropped).toUtf8());
    EXPECT_EQ(w.txtInput->text(), Q(c.input));
    EXPECT_EQ(w.txtOutput->text(), Q(c.output));
    EXPECT_EQ(w.Mode(), c.mode);
    EXPECT_EQ(messages, c.messages);
    EXPECT_EQ(w.Batch().txtBatchOut->Text(), u"") << "never a batch run";
}

QWidget& Input(frmMain& w) { return *w.txtInput; }
QWidget& Output(frmMain& w) { return *w.txtOutput; }
QWidget& Window(frmMain& w) { return w; }

const DropCase kDropCases[] = {
    {"TextOnInput", Input, "text/plain",
     u"thunder://QUFodHRwOi8vYS9iWlo=", false, u"thunder://QUFodHRwOi8vYS9iWlo=", u"previous", 4, {}},
    {"LinkOnOutputBox", Output, "text/plain",
     u"thunder://QUFodHRwOi8vYS9iWlo=", false, u"thunder://QUFodHRwOi8vYS9iWlo=", u"http://a/b", 0, {}},
    {"OrdinaryAddressOnWindowGetsTheNotice", Window, "text/plain", u"http://a/b", false, u"http://a/b", u"", 0,
     {kOrdinary}},
    // Taken as written, not as a URL, whose host part would be lowercased.
    {"UrlListOnly", Window, "text/uri-list", u"# from a browser\r\nthunder://QUFodHRwOi8vYS9iWlo=\r\n", false,
     u"thunder://QUFodHRwOi8vYS9iWlo=", u"http://a/b", 0, {}},
    {"BatchTickedStillOneLink", Window, "text/plain", u"thunder://QUFodHRwOi8vYS9iWlo=", true,
     u"thunder://QUFodHRwOi8vYS9iWlo=", u"http://a/b", 0, {}},
};

INSTANTIATE_TEST_SUITE_P(Drops, DropTest, testing::ValuesIn(kDropCases), test::RowName);

struct ClipboardCase {
    const char* name;
    QPushButton* frmMain::*button;
    const char16_t* clipboard;  // nullptr: no text on the clipboard
    const char16_t* expectedInput;
    const char16_t* expectedClipboard;
};

class ClipboardTest : public GuiFixture<testing::TestWithParam<ClipboardCase>> {};

TEST_P(ClipboardTest, PasteReplacesInputCopyTakesWholeOutputBothFocusConvert) {
    const ClipboardCase& c = GetParam();
    frmMain& w = StartMainWindow();
    w.txtInput->setText(QStringLiteral("old text"));
    w.txtInput->setCursorPosition(3);
    w.SetOutputText(u"http://例子.cn/a");
    w.txtOutput->setSelection(2, 3);
    if (c.clipboard != nullptr) QApplication::clipboard()->setText(Q(c.clipboard));
    QTest::mouseClick(w.*c.button, Qt::LeftButton);
    EXPECT_EQ(w.txtInput->text(), Q(c.expectedInput));
    EXPECT_EQ(QApplication::clipboard()->text(), Q(c.expectedClipboard));
    EXPECT_EQ(QApplication::focusWidget(), w.cmdCode);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ClipboardTest,
    testing::Values(ClipboardCase{"PasteUntrimmed", &frmMain::cmdPaste, u" thunder://QUFa ", u" thunder://QUFa ",
                                  u" thunder://QUFa "},
                    ClipboardCase{"PasteWithoutText", &frmMain::cmdPaste, nullptr, u"", u""},
                    ClipboardCase{"CopyWithPartSelected", &frmMain::cmdCopy, nullptr, u"old text", u"http://例子.cn/a"}),
    test::RowName);

struct KeyCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    std::vector<Message> messages;
    bool mainOpen;
    bool batchOpen;
};

class KeyboardTest : public GuiFixture<testing::TestWithParam<KeyCase>> {};

TEST_P(KeyboardTest, OnlyAltLettersPressButtons) {
    const KeyCase& c = GetParam();
    frmMain& w = StartMainWindow();
    w.txtInput->setText(QStringLiteral("http://a/b"));
    QTest::keyClick(w.txtInput, c.key, c.modifiers);
    // A mnemonic presses its button the way a click would, a moment later:
    // a key that should act gets a ceiling no busy machine reaches, one
    // that should not gets a second to show it does nothing.
    const bool acts = !c.messages.empty() || !c.mainOpen || c.batchOpen;
    (void)QTest::qWaitFor([&] { return !messages.empty() || !w.isVisible() || w.Batch().isVisible(); },
                          acts ? 60000 : 1000);
    EXPECT_EQ(messages, c.messages);
    EXPECT_EQ(w.isVisible(), c.mainOpen);
    EXPECT_EQ(w.Batch().isVisible(), c.batchOpen);
    EXPECT_TRUE(w.txtOutput->text().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyboardTest,
    testing::Values(KeyCase{"EnterDoesNotConvert", Qt::Key_Return, {}, {}, true, false},
                    KeyCase{"EscDoesNotClose", Qt::Key_Escape, {}, {}, true, false},
                    KeyCase{"AltC", Qt::Key_C, Qt::AltModifier, {kOrdinary}, true, false},
                    KeyCase{"AltA", Qt::Key_A, Qt::AltModifier, {kAbout}, true, false},
                    KeyCase{"AltB", Qt::Key_B, Qt::AltModifier, {}, true, true},
                    KeyCase{"AltE", Qt::Key_E, Qt::AltModifier, {}, false, false}),
    test::RowName);

TEST_F(GuiTest, EnterPressesTheFocusedButtonOnly) {
    frmMain& w = StartMainWindow();
    w.txtInput->setText(QStringLiteral("http://a/b"));
    QTest::keyClick(w.txtInput, Qt::Key_Return);
    EXPECT_TRUE(messages.empty());
    w.cmdCode->setFocus();
    QTest::keyClick(w.cmdCode, Qt::Key_Return);
    EXPECT_EQ(messages, std::vector<Message>{kOrdinary});
}

struct MarkCase {
    const char* name;
    const char* control;
    const char* family;  // empty: the window's own font
};

class AcceleratorMarkTest : public GuiFixture<testing::TestWithParam<MarkCase>> {};

// The underline that marks an accelerator must fall inside the control's
// designed height, also where a CJK font (taller, with its underline lower)
// is the desktop's font: drawn with and without the "&", the control must
// look different.
TEST_P(AcceleratorMarkTest, UnderlineIsDrawnInsideTheDesignedHeight) {
    frmMain w;
    auto* control = qobject_cast<QAbstractButton*>(Find(w, GetParam().control));
    ASSERT_NE(control, nullptr);
    test::UseFontFamily(*control, GetParam().family);
    const QString caption = control->text();
    ASSERT_TRUE(caption.contains(QLatin1Char('&')));
    const QImage marked = control->grab().toImage();
    control->setText(QString(caption).remove(QLatin1Char('&')));
    const QImage plain = control->grab().toImage();
    EXPECT_TRUE(marked != plain) << caption.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Captions, AcceleratorMarkTest,
                         testing::Values(MarkCase{"cmdCode", "cmdCode", ""}, MarkCase{"cmdAbout", "cmdAbout", ""},
                                         MarkCase{"cmdExit", "cmdExit", ""}, MarkCase{"chkBatch", "chkBatch", ""},
                                         MarkCase{"chkBatchInCjkFont", "chkBatch", "Noto Sans CJK SC"}),
                         test::RowName);

TEST_F(GuiTest, AboutBoxIsARealModalBoxWithSevenLines) {
    const test::ScopedNotifier realBoxes(ShowMessageBox);
    frmMain& w = StartMainWindow();
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    AnswerNextModalBox([&](QMessageBox& box) {
        text = box.text();
        title = box.windowTitle();
        icon = box.icon();
        buttons = box.standardButtons();
        QTest::keyClick(&box, Qt::Key_Return);
    });
    QTest::mouseClick(w.cmdAbout, Qt::LeftButton);
    EXPECT_EQ(text.split(QLatin1Char('\n')).size(), 7);
    EXPECT_EQ(text.split(QLatin1Char('\n')).value(1), QStringLiteral("Version 2.3.38"));
    EXPECT_FALSE(text.contains(QLatin1Char('\r')));
    EXPECT_EQ(title, QStringLiteral("关于"));
    EXPECT_EQ(icon, QMessageBox::Information);
    EXPECT_EQ(buttons, QMessageBox::Ok);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace velkrant
