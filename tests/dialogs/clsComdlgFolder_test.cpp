#include "clsComdlg.h"

#include "CodePageText.h"

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
    testing::Values(StartCase{"UsersHome", 40, 0, QDir::homePath(), true, false},
                    StartCase{"UnknownFolderMeansTheRoot", 12345, 0, QDir::rootPath(), true, false},
                    StartCase{"NewStyleMayCreateFolders", 0, Bif::NewDialogStyle, QDir::rootPath(), true, true},
                    StartCase{"NoNewFolderButton", 0, Bif::NewDialogStyle | Bif::NoNewFolderButton,
                              QDir::rootPath(), true, false},
                    StartCase{"FilesListedToo", 0, Bif::BrowseIncludeFiles, QDir::rootPath(), false, false}),
    test::RowName);

struct ResultCase {
    const char* name;
    int slack;  // MaxFileSize less the folder's length in code-page bytes
    bool cancelError;
    int error;
    bool chosen;  // FolderPath holds the choice; otherwise it is empty
};

// Stands for a negative MaxFileSize.
constexpr int NegativeSize = -1000;

class FolderResultTest : public FolderTest, public testing::WithParamInterface<ResultCase> {};

TEST_P(FolderResultTest, IsTheChosenFolderWhenItFitsTheBuffer) {
    const ResultCase& c = GetParam();
    QTemporaryDir dir;
    // Two characters of two bytes each in the code page.
    const QString folder = QDir::toNativeSeparators(dir.filePath(QStringLiteral("列表")));
    ASSERT_TRUE(QDir().mkpath(folder));
    const int maxFileSize = c.slack == NegativeSize ? -1 : static_cast<int>(CodePageLength(folder)) + c.slack;
    clsComdlg d;
    d.SetMaxFileSize(static_cast<std::int16_t>(maxFileSize));
    d.SetCancelError(c.cancelError);
    d.SetFolderPath(QStringLiteral("kept"));
    // Only a valid size shows the dialog; the hooks fail the test if it
    // never showed.
    if (maxFileSize >= 0) {
        clsComdlg::AnswerNextFolderDialog([&](QFileDialog& dialog) {
            dialog.setDirectory(folder);
            return true;
        });
    }
    QString returned;
    EXPECT_ERROR_NUMBER(returned = d.ShowBrowseForFolder(), c.error);
    const QString expected = c.error != 0 ? QStringLiteral("kept") : c.chosen ? folder : QString();
    EXPECT_EQ(d.FolderPath(), expected);
    EXPECT_EQ(returned, c.error != 0 ? QString() : expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FolderResultTest,
    testing::Values(ResultCase{"FillsTheBuffer", 0, false, 0, true},
                    ResultCase{"OneByteTooLong", -1, false, 0, false},
                    ResultCase{"OneByteTooLongWithCancelError", -1, true, 32755, false},
                    ResultCase{"NegativeSizeIsInvalid", NegativeSize, false, 5, false}),
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
