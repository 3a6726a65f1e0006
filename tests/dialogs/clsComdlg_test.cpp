#include "clsComdlg.h"

#include "ScriptedFileDialog.h"

#include "Messages.h"
#include "NumberedError.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include "CaseName.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace velkrant {
namespace {

using FileDialogRun::Answer;
using test::AnswerNext;
using test::Seen;
using test::PrintTo;

QString Q(const char16_t* text) { return QString::fromUtf16(text); }

int ErrorNumberOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const NumberedError& e) {
        return e.Number();
    }
    return 0;
}

class ClsComdlgTest : public testing::Test {
protected:
    void TearDown() override {
        EXPECT_FALSE(FileDialogRun::HasPendingScript()) << "a scripted dialog was never shown";
        clsComdlg::AnswerNextFileDialog({});
        clsComdlg::SetMainWindow(nullptr);
    }
};

TEST_F(ClsComdlgTest, StartsWithTheDocumentedValues) {
    const clsComdlg d;
    EXPECT_EQ(d.OwnerHwnd(), 0);
    EXPECT_EQ(d.Color(), 0u);
    EXPECT_FALSE(d.CancelError());
    EXPECT_EQ(d.Flags(), 0u);
    EXPECT_EQ(d.Copies(), 1);
    EXPECT_EQ(d.FilterIndex(), 0);
    EXPECT_EQ(d.MaxFileSize(), 260);
    EXPECT_EQ(d.FontSize(), 8.0f);
    EXPECT_EQ(d.Orientation(), 1);
    EXPECT_EQ(d.Action(), 0);
    for (const QString& text : {d.DefaultExt(), d.Filename(), d.Filter(), d.InitDir(), d.DialogTitle(), d.FileTitle(),
                                d.FontName(), d.HelpFile(), d.HelpKey(), d.PrinterName(), d.FolderPath()}) {
        EXPECT_TRUE(text.isEmpty());
    }
}

TEST_F(ClsComdlgTest, HelpKeyKeepsAnyValueAsText) {
    clsComdlg d;
    d.SetHelpKey(42);
    EXPECT_EQ(d.HelpKey(), QStringLiteral("42"));
    d.SetHelpKey(QStringLiteral("索引"));
    EXPECT_EQ(d.HelpKey(), QStringLiteral("索引"));
}

struct FilterCase {
    const char* name;
    const char16_t* filter;
    const char16_t* stored;  // bars turned into NULs, spelled with '#' here
    std::vector<QString> nameFilters;
};

class FilterTest : public ClsComdlgTest, public testing::WithParamInterface<FilterCase> {};

TEST_P(FilterTest, IsStoredWithNulsAndOffersTheTypesInOrder) {
    clsComdlg d;
    d.SetFilter(Q(GetParam().filter));
    EXPECT_EQ(d.Filter(), Q(GetParam().stored).replace(u'#', QChar(0)));

    Seen seen;
    AnswerNext(std::nullopt, &seen);
    d.ShowOpen();
    ASSERT_EQ(seen.shown, 1);
    EXPECT_EQ(seen.nameFilters, QStringList(GetParam().nameFilters.begin(), GetParam().nameFilters.end()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilterTest,
    testing::Values(
        FilterCase{"ListFileTypes",
                   u"URL列表文件(*.lst)|*.lst|文本文件(*.txt)|*.txt|所有文件(*.*)|*.*",
                   u"URL列表文件(*.lst)#*.lst#文本文件(*.txt)#*.txt#所有文件(*.*)#*.*",
                   {Q(u"URL列表文件(*.lst) (*.[lL][sS][tT])"), Q(u"文本文件(*.txt) (*.[tT][xX][tT])"),
                    Q(u"所有文件(*.*) (*)")}},
        FilterCase{"SeveralPatternsInOneType", u"Links|*.lst;*.TXT", u"Links#*.lst;*.TXT",
                   {Q(u"Links (*.[lL][sS][tT] *.[tT][xX][tT])")}},
        FilterCase{"EmptyItemEndsTheList", u"A|*.a||B|*.b", u"A#*.a##B#*.b", {Q(u"A (*.[aA])")}},
        FilterCase{"TrailingBarIsHarmless", u"A|*.a|", u"A#*.a#", {Q(u"A (*.[aA])")}},
        FilterCase{"DescriptionWithoutPatternDropped", u"A|*.a|B", u"A#*.a#B", {Q(u"A (*.[aA])")}},
        FilterCase{"BracketPatternKeptAsWritten", u"Logs|log[0-9].txt", u"Logs#log[0-9].txt",
                   {Q(u"Logs (log[0-9].txt)")}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClsComdlgTest, OpensOnTheFirstTypeWhateverFilterIndexSays) {
    clsComdlg d;
    d.SetFilter(QStringLiteral("A|*.a|B|*.b|C|*.c"));
    d.SetFilterIndex(3);
    Seen seen;
    AnswerNext(Answer{QStringLiteral("/tmp/x.b"), 2}, &seen);
    d.ShowOpen();
    EXPECT_EQ(seen.selectedNameFilter, QStringLiteral("A"));
    EXPECT_EQ(d.FilterIndex(), 2);
}

struct ConfigCase {
    const char* name;
    bool save;
    std::uint32_t flags;
    QFileDialog::FileMode fileMode;
    bool confirmsOverwrite;
    bool resolvesLinks;
};

class FlagsTest : public ClsComdlgTest, public testing::WithParamInterface<ConfigCase> {};

TEST_P(FlagsTest, MapOntoTheDialog) {
    const ConfigCase& c = GetParam();
    clsComdlg d;
    d.SetFlags(c.flags);
    Seen seen;
    AnswerNext(std::nullopt, &seen);
    c.save ? d.ShowSave() : d.ShowOpen();
    EXPECT_EQ(seen.acceptMode, c.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    EXPECT_EQ(seen.fileMode, c.fileMode);
    EXPECT_EQ(seen.confirmsOverwrite, c.confirmsOverwrite);
    EXPECT_EQ(seen.resolvesLinks, c.resolvesLinks);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FlagsTest,
    testing::Values(ConfigCase{"ImportFlagsNeedAnExistingFile", false, 0x49004, QFileDialog::ExistingFile, false, true},
                    ConfigCase{"OpenWithoutMustExistTakesAnyName", false, 0, QFileDialog::AnyFile, false, true},
                    ConfigCase{"ExportFlagsAskBeforeOverwriting", true, 0x208006, QFileDialog::AnyFile, true, true},
                    ConfigCase{"SaveWithoutPromptDoesNotAsk", true, Ofn::FileMustExist, QFileDialog::AnyFile, false, true},
                    ConfigCase{"NoDereferenceLinks", false, Ofn::NoDereferenceLinks, QFileDialog::AnyFile, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClsComdlgTest, TitleFolderAndDefaultExtensionReachTheDialog) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    clsComdlg d;
    d.SetDialogTitle(QStringLiteral("保存"));
    d.SetInitDir(dir.path());
    d.SetDefaultExt(QStringLiteral(".lst"));
    Seen seen;
    AnswerNext(std::nullopt, &seen);
    d.ShowSave();
    EXPECT_EQ(seen.title, QStringLiteral("保存"));
    EXPECT_EQ(seen.directory, QDir(dir.path()).absolutePath());
    EXPECT_EQ(seen.defaultSuffix, QStringLiteral("lst"));
}

struct ResultCase {
    const char* name;
    const char16_t* path;
    const char16_t* filename;
    const char16_t* fileTitle;
    std::int16_t fileOffset;
    std::int16_t extensionOffset;
};

class ResultTest : public ClsComdlgTest, public testing::WithParamInterface<ResultCase> {};

TEST_P(ResultTest, FillsNameTitleAndCodePageOffsets) {
    const ResultCase& c = GetParam();
    clsComdlg d;
    AnswerNext(Answer{Q(c.path), 1});
    d.ShowSave();
    EXPECT_EQ(d.Filename(), Q(c.filename));
    EXPECT_EQ(d.FileTitle(), Q(c.fileTitle));
    EXPECT_EQ(d.FileOffset(), c.fileOffset);
    EXPECT_EQ(d.ExtensionOffset(), c.extensionOffset);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResultTest,
    testing::Values(ResultCase{"Plain", u"/tmp/dir/a.lst", u"/tmp/dir/a.lst", u"a.lst", 9, 11},
                    // Each Chinese character is two bytes in the code page.
                    ResultCase{"ChinesePath", u"/tmp/目录/文件.lst", u"/tmp/目录/文件.lst", u"文件.lst", 10, 15},
                    ResultCase{"NoExtensionPointsAtTheEnd", u"/tmp/readme", u"/tmp/readme", u"readme", 5, 11},
                    ResultCase{"TrailingDotHasNoExtension", u"/tmp/a.", u"/tmp/a.", u"a.", 5, 0},
                    ResultCase{"LastDotCounts", u"/tmp/a.b.lst", u"/tmp/a.b.lst", u"a.b.lst", 5, 9},
                    ResultCase{"DotInFolderIsNoExtension", u"/tmp/v1.2/list", u"/tmp/v1.2/list", u"list", 10, 14},
                    ResultCase{"BlanksTrimmedInFilenameOnly", u"/tmp/ a.lst  ", u"/tmp/ a.lst", u" a.lst  ", 5, 8},
                    // A character outside the code page counts one byte, yet
                    // the name keeps it, so the file can still be opened.
                    ResultCase{"CharacterOutsideCodePage", u"/tmp/한.lst", u"/tmp/한.lst", u"한.lst", 5, 7}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClsComdlgTest, ReportsTheTypeSelectedWhenTheDialogClosed) {
    clsComdlg d;
    d.SetFilter(QStringLiteral("A|*.a|B|*.b|C|*.c"));
    AnswerNext(Answer{QStringLiteral("/tmp/x.c"), 3});
    d.ShowOpen();
    EXPECT_EQ(d.FilterIndex(), 3);
}

struct CancelCase {
    const char* name;
    bool cancelError;
    std::int16_t maxFileSize;
    std::optional<Answer> answer;
    int error;
};

class CancelTest : public ClsComdlgTest, public testing::WithParamInterface<CancelCase> {};

TEST_P(CancelTest, ChangesNothing) {
    const CancelCase& c = GetParam();
    clsComdlg d;
    d.SetCancelError(c.cancelError);
    d.SetMaxFileSize(c.maxFileSize);
    d.SetFilename(QStringLiteral("kept"));
    d.SetFileTitle(QStringLiteral("title"));
    d.SetFilterIndex(7);
    d.SetFileOffset(11);
    d.SetExtensionOffset(12);
    AnswerNext(c.answer);
    EXPECT_EQ(ErrorNumberOf([&] { d.ShowOpen(); }), c.error);
    EXPECT_EQ(d.Filename(), QStringLiteral("kept"));
    EXPECT_EQ(d.FileTitle(), QStringLiteral("title"));
    EXPECT_EQ(d.FilterIndex(), 7);
    EXPECT_EQ(d.FileOffset(), 11);
    EXPECT_EQ(d.ExtensionOffset(), 12);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CancelTest,
    testing::Values(CancelCase{"Quietly", false, 260, std::nullopt, 0},
                    CancelCase{"WithCancelError", true, 260, std::nullopt, ErrCancelSelected},
                    // A path longer than the buffer cannot be returned.
                    CancelCase{"PathLongerThanBuffer", false, 10, Answer{QStringLiteral("/tmp/abcdef.lst"), 1}, 0},
                    CancelCase{"PathLongerThanBufferWithCancelError", true, 10,
                               Answer{QStringLiteral("/tmp/abcdef.lst"), 1}, ErrCancelSelected},
                    CancelCase{"ChinesePathLongerInBytes", false, 12, Answer{Q(u"/tmp/文件名.lst"), 1}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClsComdlgTest, CancelErrorCarriesItsText) {
    clsComdlg d;
    d.SetCancelError(true);
    AnswerNext(std::nullopt);
    try {
        d.ShowSave();
        FAIL() << "no error raised";
    } catch (const NumberedError& e) {
        EXPECT_EQ(e.Number(), ErrCancelSelected);
        EXPECT_EQ(e.Description(), u"Cancel was selected.");
    }
}

struct SizeCase {
    const char* name;
    std::int16_t maxFileSize;
    int error;
    bool shown;
};

class MaxFileSizeTest : public ClsComdlgTest, public testing::WithParamInterface<SizeCase> {};

TEST_P(MaxFileSizeTest, IsCheckedBeforeTheDialogShows) {
    const SizeCase& c = GetParam();
    clsComdlg d;
    d.SetMaxFileSize(c.maxFileSize);
    Seen seen;
    if (c.shown) {
        AnswerNext(Answer{QStringLiteral("/tmp/a.lst"), 1}, &seen);
    }
    EXPECT_EQ(ErrorNumberOf([&] { d.ShowSave(); }), c.error);
    EXPECT_EQ(seen.shown, c.shown ? 1 : 0);
    EXPECT_EQ(d.Filename(), c.shown ? QStringLiteral("/tmp/a.lst") : QString());
}

INSTANTIATE_TEST_SUITE_P(Cases, MaxFileSizeTest,
                         testing::Values(SizeCase{"Largest16BitOverflows", 32767, ErrOverflow, false},
                                         SizeCase{"OneLessWorks", 32766, 0, true},
                                         SizeCase{"NegativeIsInvalid", -1, ErrInvalidCall, false},
                                         SizeCase{"ExactFit", 10, 0, true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ActionCase {
    const char* name;
    std::int16_t value;
    int error;
    std::int16_t stored;
    int shown;
    QFileDialog::AcceptMode mode;
};

class ActionTest : public ClsComdlgTest, public testing::WithParamInterface<ActionCase> {};

TEST_P(ActionTest, ShowsTheNamedDialogOrRefuses) {
    const ActionCase& c = GetParam();
    clsComdlg d;
    Seen seen;
    if (c.shown > 0) {
        AnswerNext(Answer{QStringLiteral("/tmp/a.lst"), 1}, &seen);
    }
    EXPECT_EQ(ErrorNumberOf([&] { d.SetAction(c.value); }), c.error);
    EXPECT_EQ(d.Action(), c.stored);
    EXPECT_EQ(seen.shown, c.shown);
    if (c.shown > 0) {
        EXPECT_EQ(seen.acceptMode, c.mode);
        EXPECT_EQ(d.Filename(), QStringLiteral("/tmp/a.lst"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ActionTest,
    testing::Values(ActionCase{"ZeroShowsNothing", 0, 0, 0, 0, QFileDialog::AcceptOpen},
                    ActionCase{"OneOpens", 1, 0, 1, 1, QFileDialog::AcceptOpen},
                    ActionCase{"TwoSaves", 2, 0, 2, 1, QFileDialog::AcceptSave},
                    ActionCase{"ColourIsNotBuilt", 3, ErrNotSupported, 3, 0, QFileDialog::AcceptOpen},
                    ActionCase{"HelpIsNotBuilt", 6, ErrNotSupported, 6, 0, QFileDialog::AcceptOpen},
                    ActionCase{"SevenIsInvalid", 7, ErrInvalidProperty, 0, 0, QFileDialog::AcceptOpen},
                    ActionCase{"NegativeIsInvalid", -1, ErrInvalidProperty, 0, 0, QFileDialog::AcceptOpen}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClsComdlgTest, InvalidActionKeepsTheLastValidValue) {
    clsComdlg d;
    AnswerNext(std::nullopt);
    d.SetAction(1);
    EXPECT_EQ(ErrorNumberOf([&] { d.SetAction(7); }), ErrInvalidProperty);
    EXPECT_EQ(d.Action(), 1);
}

TEST_F(ClsComdlgTest, ZeroOwnerBecomesTheMainWindowAndStays) {
    QWidget mainWindow;
    clsComdlg::SetMainWindow(&mainWindow);
    clsComdlg d;
    Seen seen;
    AnswerNext(std::nullopt, &seen);
    d.ShowOpen();
    EXPECT_NE(d.OwnerHwnd(), 0);
    EXPECT_EQ(d.OwnerHwnd(), clsComdlg::HandleOf(&mainWindow));
    EXPECT_EQ(seen.parent, &mainWindow);

    const std::int32_t first = d.OwnerHwnd();
    AnswerNext(std::nullopt, &seen);
    d.ShowSave();
    EXPECT_EQ(d.OwnerHwnd(), first);
    EXPECT_EQ(seen.parent, &mainWindow);
}

TEST_F(ClsComdlgTest, OwnerSetByTheCallerOwnsTheDialog) {
    QWidget mainWindow;
    QWidget other;
    clsComdlg::SetMainWindow(&mainWindow);
    clsComdlg d;
    d.SetOwnerHwnd(clsComdlg::HandleOf(&other));
    Seen seen;
    AnswerNext(std::nullopt, &seen);
    d.ShowOpen();
    EXPECT_EQ(d.OwnerHwnd(), clsComdlg::HandleOf(&other));
    EXPECT_EQ(seen.parent, &other);
}

TEST_F(ClsComdlgTest, WithoutAMainWindowTheOwnerStaysZero) {
    clsComdlg d;
    Seen seen;
    AnswerNext(std::nullopt, &seen);
    d.ShowOpen();
    EXPECT_EQ(d.OwnerHwnd(), 0);
    EXPECT_EQ(seen.parent, nullptr);
}

TEST_F(ClsComdlgTest, DestroyedMainWindowIsForgotten) {
    auto mainWindow = std::make_unique<QWidget>();
    clsComdlg::SetMainWindow(mainWindow.get());
    mainWindow.reset();
    clsComdlg d;
    AnswerNext(std::nullopt);
    d.ShowOpen();
    EXPECT_EQ(d.OwnerHwnd(), 0);
}

TEST_F(ClsComdlgTest, AboutShowsAnInformationBox) {
    std::vector<Message> shown;
    const MessageNotifier previous = SetMessageNotifier([&](const Message& m) { shown.push_back(m); });
    clsComdlg().About();
    SetMessageNotifier(previous);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, TitleAbout);
    EXPECT_EQ(shown[0].icon, MessageIcon::Information);
    EXPECT_FALSE(shown[0].text.empty());
}

// The real modal dialog, answered by a timer acting as the user.
class RealDialogTest : public ClsComdlgTest {
protected:
    void AnswerWith(std::function<void(QFileDialog&)> user) {
        QObject::connect(&timer_, &QTimer::timeout, [this, user] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                timer_.stop();
                user(*dialog);
            }
        });
        timer_.start(0);
    }

    QTimer timer_;
};

TEST_F(RealDialogTest, ReturnsTheFileAndTypeTheUserPicked) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("links.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    clsComdlg d;
    d.SetFilter(QStringLiteral("Lists|*.lst|Texts|*.txt"));
    d.SetInitDir(dir.path());
    d.SetFlags(Ofn::FileMustExist);
    AnswerWith([&](QFileDialog& dialog) {
        dialog.selectNameFilter(dialog.nameFilters().at(1));
        dialog.selectFile(path);
        static_cast<QDialog&>(dialog).accept();
    });
    d.ShowOpen();
    EXPECT_EQ(d.Filename(), path);
    EXPECT_EQ(d.FileTitle(), QStringLiteral("links.txt"));
    EXPECT_EQ(d.FilterIndex(), 2);
}

TEST_F(RealDialogTest, CancelledByTheUserRaisesWhenAskedTo) {
    clsComdlg d;
    d.SetCancelError(true);
    d.SetFilename(QStringLiteral("kept"));
    AnswerWith([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(ErrorNumberOf([&] { d.ShowSave(); }), ErrCancelSelected);
    EXPECT_EQ(d.Filename(), QStringLiteral("kept"));
}

}  // namespace
}  // namespace velkrant
