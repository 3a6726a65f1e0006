#include "clsComdlg.h"

#include "FileTestSupport.h"
#include "NumberedError.h"
#include "QtPrinters.h"
#include "ScriptedFileDialog.h"
#include "TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace velkrant {
namespace {

using FileDialogRun::Answer;
using test::AnswerNext;
using test::PrintTo;
using test::Seen;

QString Q(const char16_t* text) { return QString::fromUtf16(text); }

class ClsComdlgTest : public testing::Test {
protected:
    test::DialogHooks hooks_;
};

struct FilterCase {
    const char* name;
    const char16_t* filter;
    const char16_t* stored;  // bars turned into NULs, spelled '#' here
    QStringList nameFilters;
};

class FilterTest : public ClsComdlgTest, public testing::WithParamInterface<FilterCase> {};

TEST_P(FilterTest, IsStoredWithNulsAndOffersTheTypesInOrder) {
    clsComdlg d;
    d.SetFilter(Q(GetParam().filter));
    EXPECT_EQ(d.Filter(), Q(GetParam().stored).replace(u'#', QChar(0)));
    Seen seen;
    AnswerNext(std::nullopt, &seen);
    d.ShowOpen();
    EXPECT_EQ(seen.nameFilters, GetParam().nameFilters);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilterTest,
    testing::Values(
        FilterCase{"ListTypes", u"URL列表文件(*.lst)|*.lst|所有文件(*.*)|*.*", u"URL列表文件(*.lst)#*.lst#所有文件(*.*)#*.*",
                   {Q(u"URL列表文件(*.lst) (*.[lL][sS][tT])"), Q(u"所有文件(*.*) (*)")}},
        FilterCase{"SeveralPatterns", u"L|*.lst;*.TXT", u"L#*.lst;*.TXT", {Q(u"L (*.[lL][sS][tT] *.[tT][xX][tT])")}},
        FilterCase{"EmptyItemEndsTheList", u"A|*.a||B|*.b", u"A#*.a##B#*.b", {Q(u"A (*.[aA])")}},
        FilterCase{"LoneDescriptionDropped", u"A|*.a|B", u"A#*.a#B", {Q(u"A (*.[aA])")}},
        FilterCase{"BracketsKept", u"Logs|log[0-9].txt", u"Logs#log[0-9].txt", {Q(u"Logs (log[0-9].txt)")}}),
    test::RowName);

TEST_F(ClsComdlgTest, OpensOnTheFirstTypeAndReportsTheOneChosen) {
    QTemporaryDir dir;
    clsComdlg d;
    d.SetFilter(QStringLiteral("A|*.a|B|*.b|C|*.c"));
    d.SetFilterIndex(3);
    d.SetInitDir(dir.path());
    Seen seen;
    AnswerNext(Answer{QStringLiteral("/tmp/x.b"), 2}, &seen);
    d.ShowOpen();
    EXPECT_EQ(seen.selectedNameFilter, QStringLiteral("A"));
    EXPECT_EQ(seen.directory, QDir(dir.path()).absolutePath());
    EXPECT_EQ(d.FilterIndex(), 2);
}

struct FlagsCase {
    const char* name;
    bool save;
    std::uint32_t flags;
    QFileDialog::FileMode fileMode;
    bool confirmsOverwrite;
    bool resolvesLinks;
};

class FlagsTest : public ClsComdlgTest, public testing::WithParamInterface<FlagsCase> {};

TEST_P(FlagsTest, MapOntoTheDialog) {
    const FlagsCase& c = GetParam();
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
    testing::Values(FlagsCase{"OpenMustExist", false, Ofn::FileMustExist, QFileDialog::ExistingFile, false, true},
                    FlagsCase{"OpenAnyName", false, 0, QFileDialog::AnyFile, false, true},
                    FlagsCase{"SaveWithPrompt", true, Ofn::OverwritePrompt, QFileDialog::AnyFile, true, true},
                    FlagsCase{"SaveWithoutPrompt", true, Ofn::FileMustExist, QFileDialog::AnyFile, false, true},
                    FlagsCase{"KeepLinks", false, Ofn::NoDereferenceLinks, QFileDialog::AnyFile, false, false}),
    test::RowName);

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
                    ResultCase{"NoExtension", u"/tmp/v1.2/readme", u"/tmp/v1.2/readme", u"readme", 10, 16},
                    ResultCase{"TrailingDot", u"/tmp/a.", u"/tmp/a.", u"a.", 5, 0},
                    ResultCase{"BlanksTrimmedInFilenameOnly", u"/tmp/ a.lst  ", u"/tmp/ a.lst", u" a.lst  ", 5, 8},
                    // One byte in the offsets, yet the name keeps the real
                    // character, so the file can still be opened.
                    ResultCase{"OutsideTheCodePage", u"/tmp/한.lst", u"/tmp/한.lst", u"한.lst", 5, 7}),
    test::RowName);

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
    d.SetFilterIndex(7);
    AnswerNext(c.answer);
    const QString folder = QDir::currentPath();
    const std::optional<NumberedError> error = test::ErrorRaisedBy([&] { d.ShowOpen(); });
    EXPECT_EQ(error ? error->Number() : 0, c.error);
    EXPECT_EQ(error ? error->Source() : u"", c.error == 0 ? u"" : u"Velkrant.clsComdlg");
    EXPECT_EQ(QDir::currentPath(), folder);
    EXPECT_EQ(d.Filename(), QStringLiteral("kept"));
    EXPECT_TRUE(d.FileTitle().isEmpty());
    EXPECT_EQ(d.FilterIndex(), 7);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CancelTest,
    testing::Values(CancelCase{"Quietly", false, 260, std::nullopt, 0},
                    CancelCase{"WithCancelError", true, 260, std::nullopt, 32755},
                    // A path longer than the buffer cannot be returned; these
                    // are one byte too long.
                    CancelCase{"PathTooLong", false, 14, Answer{QStringLiteral("/tmp/abcdef.lst"), 1}, 0},
                    CancelCase{"ChinesePathTooLongInBytes", true, 14, Answer{Q(u"/tmp/文件名.lst"), 1}, 32755}),
    test::RowName);

struct FolderCase {
    const char* name;
    std::uint32_t flags;
    bool movesIn;
};

class CurrentFolderTest : public ClsComdlgTest, public testing::WithParamInterface<FolderCase> {};

TEST_P(CurrentFolderTest, FollowsTheChosenFileUnlessTheFlagSaysNot) {
    test::TemporaryFolder dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("lists")));
    const QString folder = QDir::currentPath();
    clsComdlg d;
    d.SetFlags(GetParam().flags);
    AnswerNext(Answer{dir.filePath(QStringLiteral("lists/a.lst")), 1});
    d.ShowSave();
    EXPECT_EQ(QDir::currentPath(), GetParam().movesIn ? dir.filePath(QStringLiteral("lists")) : folder);
}

INSTANTIATE_TEST_SUITE_P(Cases, CurrentFolderTest,
                         testing::Values(FolderCase{"ExportFlags", 0x208006, true},
                                         FolderCase{"ImportFlags", 0x49004, true},
                                         FolderCase{"NoChangeDir", 0x208006 | Ofn::NoChangeDir, false}),
                         test::RowName);

struct SizeCase {
    const char* name;
    std::int16_t maxFileSize;
    int error;
};

class MaxFileSizeTest : public ClsComdlgTest, public testing::WithParamInterface<SizeCase> {};

TEST_P(MaxFileSizeTest, IsCheckedBeforeTheDialogShows) {
    clsComdlg d;
    d.SetMaxFileSize(GetParam().maxFileSize);
    Seen seen;
    if (GetParam().error == 0) AnswerNext(Answer{QStringLiteral("/tmp/a.lst"), 1}, &seen);
    EXPECT_ERROR_NUMBER(d.ShowSave(), GetParam().error);
    EXPECT_EQ(seen.shown, GetParam().error == 0 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, MaxFileSizeTest,
                         testing::Values(SizeCase{"Largest16BitOverflows", 32767, 6},
                                         SizeCase{"OneLessWorks", 32766, 0},
                                         SizeCase{"ZeroWorks", 0, 0},
                                         SizeCase{"NegativeIsInvalid", -1, 5}),
                         test::RowName);

TEST_F(ClsComdlgTest, ZeroOwnerBecomesTheMainWindowAndStays) {
    QWidget mainWindow;
    hooks_.SetMainWindow(&mainWindow);
    clsComdlg d;
    Seen seen;
    for (int i = 0; i < 2; ++i) {
        AnswerNext(std::nullopt, &seen);
        d.ShowOpen();
        EXPECT_NE(d.OwnerHwnd(), 0);
        EXPECT_EQ(d.OwnerHwnd(), clsComdlg::HandleOf(&mainWindow));
        EXPECT_EQ(seen.parent, &mainWindow);
    }
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

// The real modal dialog, answered by a timer acting as the user.
TEST_F(ClsComdlgTest, RealDialogReturnsTheFileAndTypeTheUserPicked) {
    test::TemporaryFolder dir;
    const QString path = dir.filePath(QStringLiteral("links.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    clsComdlg d;
    d.SetFilter(QStringLiteral("Lists|*.lst|Texts|*.txt"));
    d.SetInitDir(dir.path());
    d.SetFlags(Ofn::FileMustExist);
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            user.stop();
            dialog->selectNameFilter(dialog->nameFilters().at(1));
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept();
        }
    });
    user.start(0);
    d.ShowOpen();
    EXPECT_EQ(d.Filename(), QDir::toNativeSeparators(path)) << "in the system's own spelling";
    EXPECT_EQ(d.FileTitle(), QStringLiteral("links.txt"));
    EXPECT_EQ(d.FilterIndex(), 2);
}

}  // namespace
}  // namespace velkrant
