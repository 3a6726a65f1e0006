// List files that are devices or pipes, which POSIX systems have in their
// folders and Windows has not.

#include "ListFile.h"

#include "ListFileFailures.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velkrant {
namespace {

using test::FailureCase;
using test::ReadFailureTest;
using test::WorkFolder;
using test::WriteFailureTest;

QString FifoWithoutPartner(WorkFolder& f) {
    const QString path = f.Path(QStringLiteral("pipe"));
    EXPECT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    return path;
}

INSTANTIATE_TEST_SUITE_P(PipesAndDevices, ReadFailureTest,
                         testing::Values(FailureCase{"ReadingFails",
                                                     [](WorkFolder&) { return QStringLiteral("/proc/self/mem"); }, 57,
                                                     u"Device I/O error"}),
                         test::RowName);

INSTANTIATE_TEST_SUITE_P(PipesAndDevices, WriteFailureTest,
                         // Waiting for a reader would hang the window.
                         testing::Values(FailureCase{"PipeWithoutReader", FifoWithoutPartner, 75,
                                                     u"Path/File access error"}),
                         test::RowName);

TEST(ListFileTest, WritesIntoAPipeInsteadOfReplacingIt) {
    WorkFolder folder;
    const QString path = FifoWithoutPartner(folder);
    const int reader = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ListFile::Write(path, QStringLiteral("a\r\nb"));
    char buffer[64] = {};
    const ssize_t got = ::read(reader, buffer, sizeof buffer);
    ::close(reader);
    EXPECT_EQ(QByteArray(buffer, static_cast<int>(std::max<ssize_t>(got, 0))), QByteArray("a\r\nb\r\n"));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST(ListFileTest, ReadsAPipeWithoutAWriterAsEmpty) {
    WorkFolder folder;
    EXPECT_EQ(ListFile::Read(FifoWithoutPartner(folder)), u"");
}

}  // namespace
}  // namespace velkrant
