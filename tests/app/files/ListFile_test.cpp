#include "ListFile.h"

#include "FileBytes.h"
#include "ListFileFailures.h"
#include "NumberedError.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace velkrant {
namespace {

using test::FailureCase;
using test::FileContent;
using test::PrintTo;
using test::ReadFailureTest;
using test::SetFileContent;
using test::WorkFolder;
using test::WriteFailureTest;

QByteArray Bytes(const char* text, int size = -1) { return QByteArray(text, size); }

struct ReadCase {
    const char* name;
    QByteArray content;
    std::u16string text;
};

class ReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadTest, GivesTheLinesJoinedByCrLf) {
    WorkFolder folder;
    const QString path = folder.Path(QStringLiteral("in.lst"));
    SetFileContent(path, GetParam().content);
    EXPECT_EQ(ListFile::Read(path), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadTest,
    testing::Values(ReadCase{"EmptyFile", Bytes(""), u""},
                    ReadCase{"FinalCrLf", Bytes("a\r\nb\r\n"), u"a\r\nb"},
                    ReadCase{"NoFinalCrLf", Bytes("a\r\nb"), u"a\r\nb"},
                    ReadCase{"EmptyLastLineSurvives", Bytes("a\r\nb\r\n\r\n"), u"a\r\nb\r\n"},
                    ReadCase{"LfOnlyIsOneLine", Bytes("a\nb\n"), u"a\nb\n"},
                    ReadCase{"CrAloneEndsALine", Bytes("a\rb\r"), u"a\r\nb"},
                    ReadCase{"OnlyALineEnd", Bytes("\r\n"), u""},
                    ReadCase{"CrThenCrLf", Bytes("\r\r\n"), u"\r\n"},
                    ReadCase{"LfAfterCrLfStartsTheNextLine", Bytes("a\r\n\nb"), u"a\r\n\nb"},
                    ReadCase{"GbkChinese", Bytes("\xD1\xB8\xC0\xD7\r\nhttp://a/\xCE\xC4.txt\r\n"),
                             u"迅雷\r\nhttp://a/文.txt"},
                    ReadCase{"Utf8Chinese", Bytes("http://a/\xE4\xBE\x8B\xE5\xAD\x90.rar\r\n"), u"http://a/例子.rar"},
                    ReadCase{"Utf8Latin", Bytes("http://a/caf\xC3\xA9.txt\r\n"), u"http://a/café.txt"},
                    ReadCase{"Utf8ByteOrderMarkDropped", Bytes("\xEF\xBB\xBFhttp://a/\r\nb"), u"http://a/\r\nb"},
                    ReadCase{"Utf8ByteOrderMarkAlone", Bytes("\xEF\xBB\xBF"), u""},
                    // One GBK line makes the whole file GBK; its UTF-8 line
                    // is then read byte pair by byte pair, as GBK.
                    ReadCase{"MixedFileIsReadInTheCodePage", Bytes("\xD1\xB8\xC0\xD7\r\ncaf\xC3\xA9\r\n"),
                             u"迅雷\r\ncaf茅"},
                    ReadCase{"ZeroByteKept", Bytes("a\0b\r\n", 5), std::u16string(u"a\0b", 3)}),
    test::RowName);

struct WriteCase {
    const char* name;
    std::u16string text;
    QByteArray content;
};

class WriteTest : public testing::TestWithParam<WriteCase> {};

TEST_P(WriteTest, SavesTheTextAndOneCrLfInTheCodePage) {
    WorkFolder folder;
    const QString path = folder.Path(QStringLiteral("out.lst"));
    ListFile::Write(path, QString::fromStdU16String(GetParam().text));
    EXPECT_EQ(FileContent(path), GetParam().content);
    EXPECT_EQ(folder.Entries(), QStringList{QStringLiteral("out.lst")}) << "no temporary file may stay behind";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteTest,
    testing::Values(WriteCase{"Empty", u"", Bytes("\r\n")},
                    WriteCase{"Lines", u"a\r\nb", Bytes("a\r\nb\r\n")},
                    WriteCase{"ChineseAsGbk", u"迅雷", Bytes("\xD1\xB8\xC0\xD7\r\n")},
                    WriteCase{"OutsideTheCodePageBecomesQuestionMark", u"x한y", Bytes("x?y\r\n")}),
    test::RowName);

QString Missing(WorkFolder& f) { return f.Path(QStringLiteral("missing.lst")); }
QString Folder(WorkFolder& f) {
    QDir().mkdir(f.Path(QStringLiteral("folder.lst")));
    return f.Path(QStringLiteral("folder.lst"));
}
QString UnderAFile(WorkFolder& f) {
    SetFileContent(f.Path(QStringLiteral("plain")), Bytes("x"));
    return f.Path(QStringLiteral("plain/in.lst"));
}
QString InMissingFolder(WorkFolder& f) { return f.Path(QStringLiteral("nowhere/in.lst")); }
QString OneByteOverTheReadLimit(WorkFolder& f) {
    QFile file(f.Path(QStringLiteral("huge.lst")));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(FileBytes::ReadLimit + 1));  // sparse, takes no disk
    return file.fileName();
}

TEST_P(ReadFailureTest, RaisesAStableCode) {
    WorkFolder folder;
    const QString path = GetParam().prepare(folder);
    const std::optional<NumberedError> error = test::ErrorRaisedBy([&] { ListFile::Read(path); });
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Number(), GetParam().code);
    EXPECT_EQ(error->Description().rfind(GetParam().description, 0), 0u)
        << QString::fromStdU16String(error->Description()).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadFailureTest,
    testing::Values(FailureCase{"MissingFile", Missing, 53, u"File not found"},
                    FailureCase{"FolderInstead", Folder, 75, u"Path/File access error"},
                    FailureCase{"PathUnderAFile", UnderAFile, 76, u"Path not found"},
                    FailureCase{"MissingFolder", InMissingFolder, 76, u"Path not found"},
                    // Reads 256 MiB before it gives up; a file of exactly the
                    // limit is not tried, its text would take over a gigabyte.
                    FailureCase{"OneByteOverTheLimit", OneByteOverTheReadLimit, 7, u"Out of memory"}),
    test::RowName);

TEST_P(WriteFailureTest, RaisesAStableCodeAndLeavesNothingBehind) {
    WorkFolder folder;
    const QString path = GetParam().prepare(folder);
    const QStringList before = folder.Entries();
    const std::optional<NumberedError> error = test::ErrorRaisedBy([&] { ListFile::Write(path, QStringLiteral("a")); });
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Number(), GetParam().code);
    EXPECT_EQ(error->Description().rfind(GetParam().description, 0), 0u)
        << QString::fromStdU16String(error->Description()).toStdString();
    EXPECT_EQ(folder.Entries(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteFailureTest,
    testing::Values(FailureCase{"FolderInstead", Folder, 75, u"Path/File access error"},
                    FailureCase{"PathUnderAFile", UnderAFile, 76, u"Path not found"},
                    FailureCase{"MissingFolder", InMissingFolder, 76, u"Path not found"}),
    test::RowName);

}  // namespace
}  // namespace velkrant
