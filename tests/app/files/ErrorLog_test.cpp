#include "ErrorLog.h"

#include "FileTestSupport.h"

#include <QFileInfo>
#include <QRegularExpression>

#include "QtPrinters.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace velkrant {
namespace {

using test::FileContent;
using test::SetFileContent;
using test::WorkFolder;
using test::PrintTo;

struct LineCase {
    const char* name;
    QDateTime when;
    int code;
    const char16_t* description;
    ErrorLog::Separators separators;
    const char16_t* line;
};

class LineTest : public testing::TestWithParam<LineCase> {};

TEST_P(LineTest, HoldsDateTimeCodeAndDescriptionInOrder) {
    const LineCase& c = GetParam();
    EXPECT_EQ(ErrorLog::Line(c.when, c.code, QString::fromUtf16(c.description), c.separators),
              QString::fromUtf16(c.line));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineTest,
    testing::Values(
        LineCase{"PaddedDateAndTime", QDateTime({2024, 3, 5}, {7, 8, 9}), 53, u"File not found", {},
                 u"2024/03/05\t07:08:09\t53\tFile not found"},
        LineCase{"DescriptionKeepsItsSpacesAndChinese", QDateTime({2024, 10, 20}, {12, 0, 1}), 57,
                 u"Device I/O error (设备 满)", {}, u"2024/10/20\t12:00:01\t57\tDevice I/O error (设备 满)"},
        LineCase{"LocaleSeparators", QDateTime({987, 12, 31}, {23, 59, 0}), 7, u"Out of memory", {u'.', u'.'},
                 u"0987.12.31\t23.59.00\t7\tOut of memory"}),
    test::RowName);

struct SeparatorCase {
    const char* name;
    QLocale locale;
    QChar date;
    QChar time;
};

class SeparatorTest : public testing::TestWithParam<SeparatorCase> {};

TEST_P(SeparatorTest, AreThoseOfTheLocale) {
    const ErrorLog::Separators separators = ErrorLog::SeparatorsOf(GetParam().locale);
    EXPECT_EQ(separators.date, GetParam().date);
    EXPECT_EQ(separators.time, GetParam().time);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, SeparatorTest,
    testing::Values(SeparatorCase{"C", QLocale::c(), u'/', u':'},
                    SeparatorCase{"Chinese", QLocale(QLocale::Chinese, QLocale::China), u'/', u':'},
                    SeparatorCase{"German", QLocale(QLocale::German, QLocale::Germany), u'.', u':'},
                    SeparatorCase{"Finnish", QLocale(QLocale::Finnish, QLocale::Finland), u'.', u'.'}),
    test::RowName);

TEST(ErrorLogTest, IsNamedAfterTheExecutableInTheCurrentDirectory) {
    EXPECT_EQ(ErrorLog::FileName(), QStringLiteral("velkrant_files_tests.log"));
    EXPECT_TRUE(QFileInfo(ErrorLog::FileName()).isRelative());
}

TEST(ErrorLogTest, WritesOneDatedLineInTheCodePage) {
    WorkFolder folder;
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    ErrorLog::Write(57, QStringLiteral("读取失败"));
    const QDateTime after = QDateTime::currentDateTime().addSecs(1);

    const QByteArray content = FileContent(folder.Path(ErrorLog::FileName()));
    // Whatever separators the machine's locale uses, the fields are digits.
    static const QRegularExpression form(QStringLiteral(
        "^(\\d{4})\\D(\\d{2})\\D(\\d{2})\t(\\d{2})\\D(\\d{2})\\D(\\d{2})\t57\t\xB6\xC1\xC8\xA1\xCA\xA7\xB0\xDC\r\n$"));
    const QRegularExpressionMatch match = form.match(QString::fromLatin1(content));
    ASSERT_TRUE(match.hasMatch()) << content.toStdString();
    const auto field = [&](int i) { return match.captured(i).toInt(); };
    const QDateTime logged({field(1), field(2), field(3)}, {field(4), field(5), field(6)});
    EXPECT_GE(logged, before);
    EXPECT_LE(logged, after);
}

TEST(ErrorLogTest, ALogThatCannotBeWrittenIsSkippedQuietly) {
    WorkFolder folder;
    ASSERT_TRUE(QDir().mkdir(folder.Path(ErrorLog::FileName())));
    ErrorLog::Write(53, QStringLiteral("File not found"));
    EXPECT_TRUE(QFileInfo(folder.Path(ErrorLog::FileName())).isDir());
}

TEST(ErrorLogTest, NeverOverwritesTheListFileItConcerns) {
    WorkFolder folder;
    const QByteArray list("http://a/1\r\n");
    for (const QString& name : {ErrorLog::FileName(), folder.Path(ErrorLog::FileName())}) {
        SetFileContent(folder.Path(ErrorLog::FileName()), list);
        ErrorLog::Write(57, QStringLiteral("Device I/O error"), name);
        EXPECT_EQ(FileContent(folder.Path(ErrorLog::FileName())), list) << name.toStdString();
    }
    ErrorLog::Write(57, QStringLiteral("Device I/O error"), folder.Path(QStringLiteral("other.lst")));
    EXPECT_NE(FileContent(folder.Path(ErrorLog::FileName())), list);
}

}  // namespace
}  // namespace velkrant
