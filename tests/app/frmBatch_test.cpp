#include "GuiFixture.h"

#include "ListBox.h"
#include "MessageBox.h"
#include "Twips.h"
#include "FileTestSupport.h"
#include "ScriptedFileDialog.h"
#include "frmBatch.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFontInfo>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUrl>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velkrant {
namespace {

using test::PrintTo;
using test::GuiFixture;
using test::GuiTest;
using test::RunFromEventLoop;
using test::WaitUntilActiveWindow;

const Message kFinished{u"批量处理已完成!", u"提示", MessageIcon::Information};
const Message kEnterValid{u"请输入有效的地址!", u"警告", MessageIcon::Critical};

std::u16string Text(const ListBox* box) {
    return std::u16string(box->Text());
}

void SetText(ListBox* box, const char16_t* text) {
    box->SetText(text);
}

// The batch window's outer height when fully open: the designed client
// area of 4185 twips inside a border of two pixels.
constexpr int kFullHeight = 283;

TEST_F(GuiTest, TickingSlidesBatchWindowOpenBeneathMainWindow) {
    frmMain& w = StartMainWindow();
    frmBatch& batch = w.Batch();
    EXPECT_EQ(w.BatchFullHeight(), Twips::FromPixels(batch.frameGeometry().height()));
    QTest::mouseClick(w.chkBatch, Qt::LeftButton);
    EXPECT_TRUE(batch.isVisible());
    EXPECT_EQ(batch.height(), kFullHeight);
    EXPECT_EQ(batch.client->height(), 279);
    EXPECT_EQ(batch.frameGeometry().width(), w.frameGeometry().width());
    EXPECT_EQ(batch.frameGeometry().topLeft(), w.frameGeometry().bottomLeft() + QPoint(0, 1));
    // Activation reaches the window system's queue last.
    EXPECT_TRUE(WaitUntilActiveWindow(batch));
    EXPECT_EQ(QApplication::focusWidget(), batch.txtBatchIn);
}

TEST_F(GuiTest, ClearingSlidesBatchWindowClosedAndEmptiesItsBoxes) {
    frmMain& w = StartMainWindow();
    frmBatch& batch = w.Batch();
    QTest::mouseClick(w.chkBatch, Qt::LeftButton);
    SetText(batch.txtBatchIn, u"http://a/b");
    SetText(batch.txtBatchOut, u"// 未知协议!");
    // The user may resize the window; the slides keep the height taken at
    // creation.
    batch.resize(300, 100);
    QTest::mouseClick(w.chkBatch, Qt::LeftButton);
    EXPECT_FALSE(batch.isVisible());
    EXPECT_EQ(batch.height(), 1);
    EXPECT_TRUE(Text(batch.txtBatchIn).empty());
    EXPECT_TRUE(Text(batch.txtBatchOut).empty());
    QTest::mouseClick(w.chkBatch, Qt::LeftButton);
    EXPECT_TRUE(batch.isVisible());
    EXPECT_EQ(batch.height(), kFullHeight);
}

struct NestedCase {
    const char* name;
    int clicksDuringSlide;
};

class NestedSlideTest : public GuiFixture<testing::TestWithParam<NestedCase>> {};

TEST_P(NestedSlideTest, AtRestBatchWindowIsVisibleExactlyWhenTicked) {
    frmMain& w = StartMainWindow();
    frmBatch& batch = w.Batch();
    SetText(batch.txtBatchIn, u"kept only while open");
    RunFromEventLoop([&] { w.chkBatch->click(); }, GetParam().clicksDuringSlide);
    QTest::mouseClick(w.chkBatch, Qt::LeftButton);
    const bool ticked = w.chkBatch->isChecked();
    EXPECT_EQ(ticked, GetParam().clicksDuringSlide % 2 == 0);
    EXPECT_EQ(batch.isVisible(), ticked);
    if (ticked) {
        EXPECT_EQ(batch.height(), kFullHeight);
        EXPECT_TRUE(WaitUntilActiveWindow(batch));
    } else {
        QTest::qWait(50);
        EXPECT_NE(QApplication::activeWindow(), &batch);
        EXPECT_TRUE(Text(batch.txtBatchIn).empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Clicks, NestedSlideTest,
                         testing::Values(NestedCase{"OneMoreClickCloses", 1}, NestedCase{"TwoMoreClicksReopen", 2},
                                         NestedCase{"ThreeMoreClicksClose", 3}),
                         test::RowName);

TEST_F(GuiTest, ClosingMainWindowDuringSlideClosesBothAndStopsTheSlide) {
    frmMain& w = StartMainWindow();
    RunFromEventLoop([&] { w.cmdExit->click(); });
    QTest::mouseClick(w.chkBatch, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.Batch().isVisible());
    EXPECT_LT(w.Batch().height(), kFullHeight) << "the slide went on after the window closed";
}

struct BatchRunCase {
    const char* name;
    int mode;
    const char16_t* input;
    const char16_t* expectedOutput;  // the output box held "previous"
    std::vector<Message> messages;
};

class BatchRunTest : public GuiFixture<testing::TestWithParam<BatchRunCase>> {};

TEST_P(BatchRunTest, ConvertsEveryLineIntoOutputBox) {
    const BatchRunCase& c = GetParam();
    frmMain& w = StartMainWindow();
    frmBatch& batch = w.Batch();
    QTest::mouseClick(w.optOption[c.mode], Qt::LeftButton);
    QTest::mouseClick(w.chkBatch, Qt::LeftButton);
    SetText(batch.txtBatchIn, c.input);
    SetText(batch.txtBatchOut, u"previous");
    bool enabledWhileBoxShown = false;
    onMessage = [&](const Message&) { enabledWhileBoxShown = w.isEnabled() && batch.isEnabled(); };
    batch.txtBatchIn->setFocus();
    w.activateWindow();
    QTest::mouseClick(w.cmdCode, Qt::LeftButton);
    EXPECT_EQ(Text(batch.txtBatchOut), c.expectedOutput);
    EXPECT_EQ(messages, c.messages);
    EXPECT_TRUE(enabledWhileBoxShown);
    EXPECT_EQ(w.focusWidget(), w.cmdCode) << "the focus is back where the run started";
    EXPECT_EQ(batch.focusWidget(), batch.txtBatchIn) << "the batch window's caret is back too";
}

INSTANTIATE_TEST_SUITE_P(
    Runs, BatchRunTest,
    testing::Values(BatchRunCase{"WorkedExample", 0, u"thunder://QUFodHRwOi8vYS9iWlo=\r\n\r\nhttp://a/b",
                                 u"http://a/b\r\n\r\n// 普通协议,不需要解密!", {kFinished}},
                    BatchRunCase{"TrailingLineBreakAddsNothing", 0, u"http://a/b\r\n", u"// 普通协议,不需要解密!\r\n",
                                 {kFinished}},
                    BatchRunCase{"FailedLineLeftOut", 1, u"thunder://QUFodHRwOi8vYS9iWlo=\r\nthunder://QUFa\r\nx",
                                 u"http://a/b\r\n", {kFinished}},
                    BatchRunCase{"LoneLineFeedsSplitLinesInTheBox", 4, u"a\nb", u"thunder://QUFhWlo=\r\nthunder://QUFiWlo=",
                                 {kFinished}},
                    BatchRunCase{"BlankInputRefused", 0, u"  \r\n\r\n  ", u"previous", {kEnterValid}}),
    test::RowName);

// Pasted elsewhere, lines end as the platform's programs expect.
#ifdef Q_OS_WIN
constexpr char16_t kCopiedLines[] = u"line 1\r\nline 2";
#else
constexpr char16_t kCopiedLines[] = u"line 1\nline 2";
#endif

struct ButtonCase {
    const char* name;
    std::vector<const char*> clicks;
    bool clipboardHasText;
    const char16_t* clipboard;
    const char16_t* expectedIn;
    const char16_t* expectedOut;
    const char16_t* expectedClipboard;
};

class BatchButtonTest : public GuiFixture<testing::TestWithParam<ButtonCase>> {};

TEST_P(BatchButtonTest, ButtonsWorkOnTheirBoxes) {
    const ButtonCase& c = GetParam();
    frmMain w;
    frmBatch& batch = w.Batch();
    SetText(batch.txtBatchIn, u"x");
    SetText(batch.txtBatchOut, u"line 1\r\nline 2");
    if (c.clipboardHasText) QApplication::clipboard()->setText(QString::fromUtf16(c.clipboard));
    for (const char* button : c.clicks) {
        test::Find<QPushButton>(batch, button)->click();
    }
    EXPECT_EQ(Text(batch.txtBatchIn), c.expectedIn);
    EXPECT_EQ(Text(batch.txtBatchOut), c.expectedOut);
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf16(c.expectedClipboard));
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, BatchButtonTest,
    testing::Values(
        ButtonCase{"PasteTwice", {"cmdPaste", "cmdPaste"}, true, u"a", u"xa\r\na\r\n", u"line 1\r\nline 2", u"a"},
        ButtonCase{"PasteWithoutClipboardText", {"cmdPaste"}, false, u"", u"x\r\n", u"line 1\r\nline 2", u""},
        ButtonCase{"ClearInThenPaste", {"cmdClearIn", "cmdPaste"}, true, u"a\r\nb", u"a\r\nb\r\n", u"line 1\r\nline 2",
                   u"a\r\nb"},
        ButtonCase{"CopyTakesWholeOutput", {"cmdCopy"}, false, u"", u"x", u"line 1\r\nline 2", kCopiedLines},
        ButtonCase{"ClearOut", {"cmdClearOut"}, false, u"", u"x", u"", u""}),
    test::RowName);

// The first and last rows of a button that hold a dark pixel of its
// caption (the bevel itself is lighter).
std::pair<int, int> CaptionInkRows(QWidget& button) {
    const QImage image = button.grab().toImage();
    int first = -1;
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 3; x < image.width() - 3; ++x) {
            if (qGray(image.pixel(x, y)) < 96) {
                if (first < 0) first = y;
                last = y;
                break;
            }
        }
    }
    return {first, last};
}

struct NarrowCaptionCase {
    const char* name;
    const char* button;
    const char* family;  // empty: the window's own font
};

class NarrowCaptionTest : public GuiFixture<testing::TestWithParam<NarrowCaptionCase>> {};

// Two lines, whole inside the bevel, also where a CJK font with its tall
// line spacing is the desktop's font.
TEST_P(NarrowCaptionTest, TwoCharacterCaptionWrapsOntoTwoWholeLines) {
    frmMain w;
    auto* button = test::Find<QPushButton>(w.Batch(), GetParam().button);
    ASSERT_NE(button, nullptr);
    test::UseFontFamily(*button, GetParam().family);
    const int em = QFontInfo(button->font()).pixelSize();
    const auto [first, last] = CaptionInkRows(*button);
    // The bevel is three pixels wide, and a caption that fits leaves a clear
    // row inside it above and below.
    EXPECT_GT(last - first + 1, em * 3 / 2) << "one line only";
    EXPECT_GT(first, 3) << "cut at the top";
    EXPECT_LT(last, button->height() - 4) << "cut at the bottom";
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, NarrowCaptionTest,
    testing::Values(NarrowCaptionCase{"Import", "cmdImport", ""}, NarrowCaptionCase{"Paste", "cmdPaste", ""},
                    NarrowCaptionCase{"ClearIn", "cmdClearIn", ""}, NarrowCaptionCase{"Export", "cmdExport", ""},
                    NarrowCaptionCase{"Copy", "cmdCopy", ""}, NarrowCaptionCase{"ClearOut", "cmdClearOut", ""},
                    NarrowCaptionCase{"ClearOutInCjkFont", "cmdClearOut", "Noto Sans CJK SC"}),
    test::RowName);

TEST_F(GuiTest, OutputBoxIsReadOnlyAndSelectsAllOnTab) {
    frmMain& w = StartMainWindow();
    frmBatch& batch = w.Batch();
    QTest::mouseClick(w.chkBatch, Qt::LeftButton);
    ASSERT_TRUE(WaitUntilActiveWindow(batch));
    SetText(batch.txtBatchOut, u"a\r\nb");
    QTest::keyClick(batch.txtBatchIn, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), batch.txtBatchOut);
    EXPECT_EQ(batch.txtBatchOut->SelectedText(), u"a\r\nb");
    QTest::keyClicks(batch.txtBatchOut, QStringLiteral("typed"));
    EXPECT_EQ(Text(batch.txtBatchOut), u"a\r\nb");
}


// Import, convert and export through the real windows, with the file
// dialogs answered by the hook: the user's list survives a failed import.
TEST_F(GuiTest, ImportConvertExportThroughTheWindows) {
    test::WorkFolder folder;
    test::DialogHooks dialogs;
    const QString list = folder.Path(QStringLiteral("links.lst"));
    const QString saved = folder.Path(QStringLiteral("out.lst"));
    test::SetFileContent(list, "thunder://QUFodHRwOi8vYS9iWlo=\r\n\r\nhttp://a/b\r\n");
    const auto answerWith = [](const QString& path) { test::AnswerNext(FileDialogRun::Answer{path, 1}); };

    frmMain& w = StartMainWindow();
    frmBatch& batch = w.Batch();
    QTest::mouseClick(w.chkBatch, Qt::LeftButton);
    SetText(batch.txtBatchIn, u"kept");

    ASSERT_TRUE(QDir().mkdir(folder.Path(QStringLiteral("folder.lst"))));
    answerWith(folder.Path(QStringLiteral("folder.lst")));  // a folder, not a file: reading fails
    QTest::mouseClick(batch.cmdImport, Qt::LeftButton);
    EXPECT_EQ(Text(batch.txtBatchIn), u"kept");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.back(), (Message{u"读取文件错误!", u"错误", MessageIcon::Critical}));

    answerWith(list);
    QTest::mouseClick(batch.cmdImport, Qt::LeftButton);
    EXPECT_EQ(Text(batch.txtBatchIn), u"thunder://QUFodHRwOi8vYS9iWlo=\r\n\r\nhttp://a/b");

    QTest::mouseClick(w.cmdCode, Qt::LeftButton);
    EXPECT_EQ(messages.back(), kFinished);

    answerWith(saved);
    QTest::mouseClick(batch.cmdExport, Qt::LeftButton);
    EXPECT_EQ(messages.back(), (Message{u"已保存!", u"提示", MessageIcon::Information}));
    EXPECT_EQ(test::FileContent(saved),
              QByteArray("http://a/b\r\n\r\n// ") + QByteArray("\xC6\xD5\xCD\xA8\xD0\xAD\xD2\xE9,"
                                                                   "\xB2\xBB\xD0\xE8\xD2\xAA\xBD\xE2\xC3\xDC!\r\n"));
    EXPECT_EQ(messages.size(), 3u);
}


struct BatchDropCase {
    const char* name;
    const char* format;
    std::vector<const char*> dropped;  // file names in the work folder, or the text
    const char16_t* box;               // afterwards; it held "kept"
    std::vector<Message> messages;
};

class BatchDropTest : public GuiFixture<testing::TestWithParam<BatchDropCase>> {};

TEST_P(BatchDropTest, ListFilesAreImportedInOrderTextGoesIn) {
    const BatchDropCase& c = GetParam();
    test::WorkFolder folder;
    test::SetFileContent(folder.Path(QStringLiteral("a.lst")), "a\r\nb\r\n");
    test::SetFileContent(folder.Path(QStringLiteral("c.txt")), "c");
    ASSERT_TRUE(QDir().mkdir(folder.Path(QStringLiteral("folder.lst"))));  // cannot be read as a list
    frmMain& w = StartMainWindow();
    frmBatch& batch = w.Batch();
    QTest::mouseClick(w.chkBatch, Qt::LeftButton);
    SetText(batch.txtBatchIn, u"kept");
    QByteArray bytes;
    for (const char* item : c.dropped) {
        const bool files = std::string_view(c.format) == "text/uri-list";
        bytes += files ? QUrl::fromLocalFile(folder.Path(QLatin1String(item))).toEncoded() + "\r\n" : QByteArray(item);
    }
    test::Drop(*batch.txtBatchIn->viewport(), c.format, bytes);
    EXPECT_EQ(Text(batch.txtBatchIn), c.box);
    EXPECT_EQ(messages, c.messages);
}

const Message kReadFailed{u"读取文件错误!", u"错误", MessageIcon::Critical};

INSTANTIATE_TEST_SUITE_P(
    Drops, BatchDropTest,
    testing::Values(BatchDropCase{"OneListFile", "text/uri-list", {"a.lst"}, u"a\r\nb", {}},
                    BatchDropCase{"SeveralInTheOrderGiven", "text/uri-list", {"c.txt", "a.lst"}, u"c\r\na\r\nb", {}},
                    BatchDropCase{"OneUnreadableKeepsTheBox", "text/uri-list", {"a.lst", "folder.lst"}, u"kept",
                                  {kReadFailed}},
                    BatchDropCase{"TextGoesInWhereDropped", "text/plain", {"x"}, u"keptx", {}}),
    test::RowName);

// After a file dialog no window is active for a moment; the box must still
// come up over the program, not wherever the desktop puts an orphan.
TEST_F(GuiTest, BoxAfterAFileDialogBelongsToTheMainWindow) {
    const test::ScopedNotifier realBoxes(ShowMessageBox);
    test::WorkFolder folder;
    test::DialogHooks dialogs;
    frmMain& w = StartMainWindow();
    QTest::mouseClick(w.chkBatch, Qt::LeftButton);
    const QString path = folder.Path(QStringLiteral("out.lst"));
    clsComdlg::AnswerNextFileDialog([&](QFileDialog& dialog) {
        // Shown and closed as a user does: the dialog takes the activation
        // along when it goes.
        dialog.show();
        EXPECT_TRUE(WaitUntilActiveWindow(dialog));
        dialog.hide();
        return std::optional<FileDialogRun::Answer>(FileDialogRun::Answer{path, 1});
    });
    const QWidget* owner = nullptr;
    QString title;
    test::AnswerNextModalBox([&](QMessageBox& box) {
        owner = box.parentWidget();
        title = box.windowTitle();
        QTest::keyClick(&box, Qt::Key_Return);
    });
    QTest::mouseClick(w.Batch().cmdExport, Qt::LeftButton);
    EXPECT_EQ(title, QStringLiteral("提示"));
    EXPECT_EQ(owner, &w);
}

}  // namespace
}  // namespace velkrant
