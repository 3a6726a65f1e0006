#include "BatchFiles.h"

#include "ErrorLog.h"
#include "FileBytes.h"
#include "FailingSave.h"
#include "FileTestSupport.h"
#include "ScriptedFileDialog.h"

#include <QWidget>

#include "QtPrinters.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace velkrant {
namespace {

using FileDialogRun::Answer;
using test::AnswerNext;
using test::FileContent;
using test::Seen;
using test::SetFileContent;
using test::PrintTo;

const Message Saved{u"已保存!", u"提示", MessageIcon::Information};
const Message ReadFailed{u"读取文件错误!", u"错误", MessageIcon::Critical};
const Message WriteFailed{u"写入文件错误!", u"错误", MessageIcon::Critical};

class BatchFilesTest : public testing::Test {
protected:
    QString Path(const char* name) const { return folder_.Path(QString::fromUtf8(name)); }
    // The log in the work folder, or in one of its subfolders.
    QString LogPath(const QString& subfolder = {}) const {
        return folder_.Path(subfolder.isEmpty() ? ErrorLog::FileName() : subfolder + u'/' + ErrorLog::FileName());
    }
    bool LogExists() const { return QFile::exists(LogPath()); }
    // The code field of the log's one line.
    int LoggedCode(const QString& subfolder = {}) const {
        const QList<QByteArray> fields = FileContent(LogPath(subfolder)).split('\t');
        return fields.size() == 4 ? fields[2].toInt() : -1;
    }
    const std::vector<Message>& Messages() const { return recorder_.messages; }

    test::WorkFolder folder_;
    test::MessageRecorder recorder_;
    test::DialogHooks hooks_;
};

TEST_F(BatchFilesTest, ImportAsksForAListAndGivesItsLines) {
    SetFileContent(Path("in.lst"), "a\r\nb\r\n");
    Seen seen;
    AnswerNext(Answer{Path("in.lst"), 1}, &seen);
    EXPECT_EQ(BatchFiles::Import(nullptr), u"a\r\nb");
    EXPECT_EQ(seen.title, QStringLiteral("导入"));
    EXPECT_EQ(seen.acceptMode, QFileDialog::AcceptOpen);
    EXPECT_EQ(seen.fileMode, QFileDialog::ExistingFile);
    EXPECT_EQ(seen.nameFilters,
              QStringList({QStringLiteral("URL列表文件(*.lst) (*.[lL][sS][tT])"),
                           QStringLiteral("文本文件(*.txt) (*.[tT][xX][tT])"), QStringLiteral("所有文件(*.*) (*)")}));
    EXPECT_EQ(seen.selectedNameFilter, QStringLiteral("URL列表文件(*.lst)"));
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(LogExists());
}

TEST_F(BatchFilesTest, CancelledImportGivesNothingAndSaysNothing) {
    AnswerNext(std::nullopt);
    EXPECT_EQ(BatchFiles::Import(nullptr), std::nullopt);
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(LogExists());
}

// The dialog leaves the program in the chosen file's folder, so the log
// lands there. The chosen file is gone by the time it is read.
TEST_F(BatchFilesTest, FailedImportReportsLogsInTheChosenFolderAndGivesNoText) {
    ASSERT_TRUE(QDir(Path("")).mkdir(QStringLiteral("lists")));
    AnswerNext(Answer{Path("lists/gone.lst"), 1});
    EXPECT_EQ(BatchFiles::Import(nullptr), std::nullopt);
    EXPECT_EQ(Messages(), std::vector<Message>{ReadFailed});
    EXPECT_EQ(LoggedCode(QStringLiteral("lists")), ErrFileNotFound);
    EXPECT_FALSE(LogExists()) << "not where the program started";
}

struct ExportCase {
    const char* name;
    const char16_t* text;
    QByteArray content;
};

class ExportTest : public BatchFilesTest, public testing::WithParamInterface<ExportCase> {};

TEST_P(ExportTest, ReplacesTheTargetWithTheOutputAndSaysSo) {
    SetFileContent(Path("out.lst"), QByteArray(3000, 'o'));
    Seen seen;
    AnswerNext(Answer{Path("out.lst"), 1}, &seen);
    BatchFiles::Export(nullptr, QString::fromUtf16(GetParam().text));
    EXPECT_EQ(FileContent(Path("out.lst")), GetParam().content);
    EXPECT_EQ(Messages(), std::vector<Message>{Saved});
    EXPECT_EQ(seen.title, QStringLiteral("保存"));
    EXPECT_EQ(seen.acceptMode, QFileDialog::AcceptSave);
    EXPECT_TRUE(seen.confirmsOverwrite);
    EXPECT_EQ(seen.defaultSuffix, QStringLiteral("lst"));
    EXPECT_EQ(seen.nameFilters.size(), 3);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExportTest,
                         testing::Values(ExportCase{"EmptyBoxGivesALoneCrLf", u"", "\r\n"},
                                         ExportCase{"Lines", u"http://a/1\r\n// 普通协议,不需要解密!",
                                                    "http://a/1\r\n// \xC6\xD5\xCD\xA8\xD0\xAD\xD2\xE9,"
                                                    "\xB2\xBB\xD0\xE8\xD2\xAA\xBD\xE2\xC3\xDC!\r\n"}),
                         test::RowName);

TEST_F(BatchFilesTest, CancelledExportWritesNothingAndSaysNothing) {
    AnswerNext(std::nullopt);
    BatchFiles::Export(nullptr, QStringLiteral("text"));
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(folder_.Entries(), QStringList());
}

TEST_F(BatchFilesTest, FailedExportKeepsTheOldFileReportsAndLogs) {
    const QByteArray old("http://old/1\r\n");
    SetFileContent(Path("keep.lst"), old);
    AnswerNext(Answer{Path("keep.lst"), 1});
    {
        const test::FailingSave failing(Path("keep.lst"));
        BatchFiles::Export(nullptr, QString(4096, u'x'));
    }
    EXPECT_EQ(FileContent(Path("keep.lst")), old);
    EXPECT_EQ(folder_.Entries(), (QStringList{QStringLiteral("keep.lst"), ErrorLog::FileName()}));
    EXPECT_EQ(Messages(), std::vector<Message>{WriteFailed});
    EXPECT_EQ(LoggedCode(), ErrDeviceIo);
}

TEST_F(BatchFilesTest, ASecondFailureReplacesTheLogLineOfTheFirst) {
    AnswerNext(Answer{Path("gone.lst"), 1});
    BatchFiles::Import(nullptr);
    ASSERT_EQ(LoggedCode(), ErrFileNotFound);
    AnswerNext(Answer{Path("nowhere/out.lst"), 1});
    BatchFiles::Export(nullptr, QStringLiteral("a"));
    EXPECT_EQ(LoggedCode(), ErrPathNotFound);
    EXPECT_EQ(FileContent(LogPath()).count("\r\n"), 1);
    EXPECT_EQ(Messages(), (std::vector<Message>{ReadFailed, WriteFailed}));
}

TEST_F(BatchFilesTest, DialogsBelongToTheGivenOwnerOrTheMainWindow) {
    QWidget mainWindow;
    QWidget batchWindow;
    hooks_.SetMainWindow(&mainWindow);
    Seen seen;
    AnswerNext(std::nullopt, &seen);
    BatchFiles::Import(nullptr);
    EXPECT_EQ(seen.parent, &mainWindow);
    AnswerNext(std::nullopt, &seen);
    BatchFiles::Export(&batchWindow, QString());
    EXPECT_EQ(seen.parent, &batchWindow);
}

}  // namespace
}  // namespace velkrant
