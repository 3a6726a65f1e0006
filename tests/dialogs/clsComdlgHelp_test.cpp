#include "clsComdlg.h"

#include "FileTestSupport.h"
#include "QtPrinters.h"
#include "ScriptedDialogs.h"
#include "ScriptedFileDialog.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QUrl>

#include <gtest/gtest.h>

namespace velkrant {
namespace {

using test::PrintTo;

struct HelpCase {
    const char* name;
    QString file;  // relative to the current folder, which holds "guide.html"
    std::int16_t command;
    std::int32_t context;
    QVariant key;
    QString opened;  // "%1/" stands for the current folder's address; empty: nothing opens
};

class HelpTest : public testing::TestWithParam<HelpCase> {
protected:
    test::DialogHooks hooks_;
};

// The desktop's handler is replaced by a recorder, the way the toolkit
// lets a program take over opening addresses.
TEST_P(HelpTest, OpensTheFileAtTheTopic) {
    const HelpCase& c = GetParam();
    test::TemporaryFolder dir;
    QFile guide(dir.filePath(QStringLiteral("guide.html")));
    ASSERT_TRUE(guide.open(QIODevice::WriteOnly));
    QDir::setCurrent(dir.path());
    clsComdlg d;
    d.SetHelpFile(c.file);
    d.SetHelpCommand(c.command);
    d.SetHelpContext(c.context);
    d.SetHelpKey(c.key);
    test::HelpRecorder desktop;
    d.ShowHelp();
    const QString folder = QUrl::fromLocalFile(dir.path()).toString();
    const std::vector<QUrl> expected =
        c.opened.isEmpty() ? std::vector<QUrl>{} : std::vector<QUrl>{QUrl(QString(c.opened).replace(QStringLiteral("%1"), folder))};
    EXPECT_EQ(desktop.opened, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HelpTest,
    testing::Values(
        HelpCase{"ContextTopic", QStringLiteral("guide.html"), 1, 42, QString(), QStringLiteral("%1/guide.html#42")},
        HelpCase{"KeyTopic", QStringLiteral("guide.html"), 0x101, 0, QStringLiteral("安装"),
                 QStringLiteral("%1/guide.html#安装")},
        HelpCase{"AnyValueIsAKey", QStringLiteral("guide.html"), 0x101, 0, 12, QStringLiteral("%1/guide.html#12")},
        HelpCase{"NoTopic", QStringLiteral("./guide.html"), 3, 42, QString(), QStringLiteral("%1/guide.html")},
        HelpCase{"AnAddress", QStringLiteral("https://example.org/help"), 1, 7, QString(),
                 QStringLiteral("https://example.org/help#7")},
        HelpCase{"QuitOpensNothing", QStringLiteral("guide.html"), 2, 0, QString(), QString()},
        HelpCase{"MissingFileIsIgnored", QStringLiteral("missing.html"), 1, 42, QString(), QString()},
        HelpCase{"NoFileOpensNothing", QString(), 1, 42, QString(), QString()}),
    test::RowName);

}  // namespace
}  // namespace velkrant
