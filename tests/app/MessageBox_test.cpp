#include "MessageBox.h"

#include "GuiTestSupport.h"

#include <QMessageBox>
#include <QTest>

#include <string>

namespace velkrant {
namespace {

using testing_support::PrintTo;
using testing_support::AnswerNextModalBox;

struct BoxCase {
    const char* name;
    Message message;
    QString shownText;
    QMessageBox::Icon icon;
    Qt::Key answer;
};

class MessageBoxTest : public testing::TestWithParam<BoxCase> {};

TEST_P(MessageBoxTest, ShowsModalBoxWithOkOnlyUntilAnswered) {
    const BoxCase& c = GetParam();
    bool answered = false;
    AnswerNextModalBox([&](QMessageBox& box) {
        EXPECT_EQ(box.text(), c.shownText);
        EXPECT_EQ(box.windowTitle().toStdU16String(), c.message.title);
        EXPECT_EQ(box.icon(), c.icon);
        EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
        EXPECT_TRUE(box.isModal());
        EXPECT_EQ(box.textFormat(), Qt::PlainText);
        answered = true;
        QTest::keyClick(&box, c.answer);
    });
    ShowMessageBox(c.message);
    EXPECT_TRUE(answered);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, MessageBoxTest,
    testing::Values(BoxCase{"NoticeAnsweredWithEnter", {u"批量处理已完成!", u"提示", MessageIcon::Information},
                            QStringLiteral("批量处理已完成!"), QMessageBox::Information, Qt::Key_Return},
                    BoxCase{"WarningAnsweredWithEsc", {u"请输入有效的地址!", u"警告", MessageIcon::Critical},
                            QStringLiteral("请输入有效的地址!"), QMessageBox::Critical, Qt::Key_Escape},
                    BoxCase{"LinesBreakAtCrLfAndMarkupStaysText", {u"<b>a</b>\r\n\r\nb", u"关于", MessageIcon::Information},
                            QStringLiteral("<b>a</b>\n\nb"), QMessageBox::Information, Qt::Key_Return}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MessageBoxHookTest, HookRecordsInsteadOfShowingAndRestores) {
    std::vector<Message> seen;
    const MessageNotifier previous = SetMessageBoxHook([&](const Message& m) { seen.push_back(m); });
    const Message message{u"未知协议!", u"提示", MessageIcon::Information};
    ShowMessageBox(message);
    SetMessageBoxHook(previous);
    EXPECT_EQ(seen, std::vector<Message>{message});
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace velkrant
