#include "GuiFixture.h"

#include "ToolkitTranslation.h"
#include "modManifest.h"

#include <QAbstractButton>
#include <QMessageBox>

#include <QScreen>

#include <cmath>
#include <string>

namespace velkrant::modManifest {
namespace {

using test::PrintTo;
using test::GuiTest;

struct PlacementCase {
    const char* name;
    QSizeF screen;  // twips
    QSizeF window;  // twips, frame included
    double left;
    double top;
};

class PlacementTest : public testing::TestWithParam<PlacementCase> {};

TEST_P(PlacementTest, CentresAcrossAndPutsCentreAtGoldenSection) {
    const PlacementCase& c = GetParam();
    const QPointF position = MainWindowPosition(c.screen, c.window);
    EXPECT_DOUBLE_EQ(position.x(), c.left);
    EXPECT_NEAR(position.y(), c.top, 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, PlacementTest,
    testing::Values(PlacementCase{"Screen1024x768", {15360, 11520}, {7005, 3045}, 4177.5, 2877.75},
                    PlacementCase{"Screen1920x1080", {28800, 16200}, {7005, 3045}, 10897.5, 4665.35},
                    // Nothing is clamped: a window larger than the screen
                    // starts off its edges.
                    PlacementCase{"WindowLargerThanScreen", {3000, 1500}, {7005, 3045}, -2002.5, -949.55}),
    test::RowName);

TEST_F(GuiTest, StartUpPlacesShownWindowByItsOuterSize) {
    frmMain& w = StartMainWindow();
    const QRect screen = w.screen()->geometry();
    const QRect frame = w.frameGeometry();
    EXPECT_LE(std::abs(2 * (frame.left() - screen.left()) + frame.width() - screen.width()), 2);
    const double centre = frame.top() - screen.top() + frame.height() / 2.0;
    EXPECT_NEAR(centre, screen.height() * 0.381966, 1.0);
}

struct TranslationCase {
    const char* name;
    QLocale locale;
    bool loaded;
    const char16_t* okText;
};

class TranslationTest : public testing::TestWithParam<TranslationCase> {};

// What the user sees: the OK button of a message box, in their language
// while the translation lives and in English again once it is gone.
TEST_P(TranslationTest, MessageBoxButtonSpeaksTheUsersLanguage) {
    const auto okText = [] {
        QMessageBox box(QMessageBox::Information, QStringLiteral("t"), QStringLiteral("x"), QMessageBox::Ok);
        return box.button(QMessageBox::Ok)->text().remove(u'&');
    };
    {
        const ToolkitTranslation translation(GetParam().locale);
        EXPECT_EQ(translation.Loaded(), GetParam().loaded);
        EXPECT_EQ(okText(), QString::fromUtf16(GetParam().okText));
    }
    EXPECT_EQ(okText(), QStringLiteral("OK"));
}

INSTANTIATE_TEST_SUITE_P(
    Locales, TranslationTest,
    testing::Values(TranslationCase{"SimplifiedChinese", QLocale(QLocale::Chinese, QLocale::China), true, u"确定"},
                    TranslationCase{"English", QLocale(QLocale::English, QLocale::UnitedStates), false, u"OK"}),
    test::RowName);

}  // namespace
}  // namespace velkrant::modManifest
