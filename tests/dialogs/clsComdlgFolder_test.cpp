#include "clsComdlg.h"

#include "ModalAnswer.h"
#include "QtPrinters.h"
#include "ScriptedFileDialog.h"
#include "TestSupport.h"

#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace velkrant {
namespace {

using test::PrintTo;

class FolderTest : public testing::Test {
protected:
    test::DialogHooks hooks_;
};

struct StartCase {
    const char* name;
    std::int32_t specialFolder;
    std::uint32_t flags;
    QString directory;
    bool foldersOnly;
    bool mayCreate;
};

class FolderStartTest : public FolderTest, public testing::WithParamInterface<StartCase> {};

TEST_P(FolderStartTest, FollowsTheProperties) {
    const StartCase& c = GetParam();
    clsComdlg d;
    d.SetDialogTitle(QStringLiteral("选择保存列表的文件夹"));
    d.SetBrowseSpecialFolder(c.specialFolder);
    d.SetFlags(c.flags);
    clsComdlg::AnswerNextFolderDialog([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("选择保存列表的文件夹"));
        EXPECT_EQ(dialog.fileMode(), QFileDialog::Directory);
        EXPECT_EQ(dialog.directory().absolutePath(), c.directory);
        EXPECT_EQ(dialog.testOption(QFileDialog::ShowDirsOnly), c.foldersOnly);
        EXPECT_EQ(!dialog.testOption(QFileDialog::ReadOnly), c.mayCreate);
        return false;
    });
    d.ShowBrowseForFolder();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FolderStartTest,
    testing::Values(StartCase{"RootByDefault", 0, 0, QDir::rootPath(), true, false},
                    StartCase{"UsersHome", 40, 0, QDir::homePath(), true, false},
                    StartCase{"UnknownFolderMeansTheRoot", 12345, 0, QDir::rootPath(), true, false},
                    StartCase{"NewStyleMayCreateFolders", 0, Bif::NewDialogStyle, QDir::rootPath(), true, true},
                    StartCase{"NoNewFolderButton", 0, Bif::NewDialogStyle | Bif::NoNewFolderButton,
                              QDir::rootPath(), true, false},
                    StartCase{"FilesListedToo", 0, Bif::BrowseIncludeFiles, QDir::rootPath(), false, false}),
    test::RowName);

struct ResultCase {
    const char* name;
    std::int16_t maxFileSize;
    bool cancelError;
    int error;
    bool chosen;  // FolderPath holds the choice; otherwise it is empty
};

class FolderResultTest : public FolderTest, public testing::WithParamInterface<ResultCase> {};

TEST_P(FolderResultTest, IsTheChosenFolderWhenItFitsTheBuffer) {
    const ResultCase& c = GetParam();
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("列表"));
    ASSERT_TRUE(QDir().mkpath(folder));
    clsComdlg d;
    d.SetMaxFileSize(c.maxFileSize);
    d.SetCancelError(c.cancelError);
    d.SetFolderPath(QStringLiteral("kept"));
    int shown = 0;
    if (c.maxFileSize >= 0) {
        clsComdlg::AnswerNextFolderDialog([&](QFileDialog& dialog) {
            ++shown;
            dialog.setDirectory(folder);
            return true;
        });
    }
    QString returned;
    EXPECT_ERROR_NUMBER(returned = d.ShowBrowseForFolder(), c.error);
    const QString expected = c.error != 0 ? QStringLiteral("kept") : c.chosen ? QDir::toNativeSeparators(folder) : QString();
    EXPECT_EQ(d.FolderPath(), expected);
    EXPECT_EQ(returned, c.error != 0 ? QString() : expected);
    EXPECT_EQ(shown, c.maxFileSize >= 0 ? 1 : 0);
}

// The folder's name takes four bytes in the code page.
INSTANTIATE_TEST_SUITE_P(
    Cases, FolderResultTest,
    testing::Values(ResultCase{"Fits", 260, false, 0, true},
                    ResultCase{"LongerThanTheBuffer", 8, false, 0, false},
                    ResultCase{"LongerWithCancelError", 8, true, ErrCancelSelected, false},
                    ResultCase{"NegativeSizeIsInvalid", -1, false, ErrInvalidCall, false}),
    test::RowName);

// The real dialog, answered by a timer acting as the user.
TEST_F(FolderTest, RealDialogReturnsTheFolderTheUserPicked) {
    QTemporaryDir dir;
    clsComdlg d;
    test::AnswerNextModal<QFileDialog>([&](QFileDialog& dialog) {
        dialog.setDirectory(dir.path());
        static_cast<QDialog&>(dialog).accept();
    });
    EXPECT_EQ(d.ShowBrowseForFolder(), QDir::toNativeSeparators(dir.path()));
    EXPECT_EQ(d.FolderPath(), QDir::toNativeSeparators(dir.path()));
}

}  // namespace
}  // namespace velkrant
