#include "clsComdlg.h"

#include "FontDialogRun.h"
#include "FontEffects.h"
#include "ModalAnswer.h"
#include "QtPrinters.h"
#include "ScriptedFileDialog.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

namespace velkrant {
namespace {

using test::PrintTo;

// A family with faces from thin to black, installed by the set-up.
const QString Family = QStringLiteral("Roboto");

struct RoundCase {
    const char* name;
    double pointSize;
    int dotsPerInch;
    float shown;
};

class ScreenPointSizeTest : public testing::TestWithParam<RoundCase> {};

TEST_P(ScreenPointSizeTest, GoesThroughWholePixelsAndRoundsHalvesToEven) {
    EXPECT_EQ(FontDialogRun::ScreenPointSize(GetParam().pointSize, GetParam().dotsPerInch), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScreenPointSizeTest,
                         testing::Values(RoundCase{"TenPointsAt96", 10, 96, 10},  // 13 px, 9.75 pt
                                         RoundCase{"ElevenPointsAt96", 11, 96, 11},  // 15 px, 11.25 pt
                                         RoundCase{"WholePixelsFirst", 10.6, 96, 10},  // 14 px, 10.5 pt
                                         RoundCase{"HalfDownToEven", 10.5, 96, 10},  // 14 px, 10.5 pt
                                         RoundCase{"HalfUpToEven", 13.5, 96, 14},  // 18 px, 13.5 pt
                                         RoundCase{"TenPointsAt120", 10, 120, 10}),  // 17 px, 10.2 pt
                         test::RowName);

struct ChoiceCase {
    const char* name;
    std::uint32_t flags = 0;
    std::int16_t min = 0;
    std::int16_t max = 0;
    // what the user chooses; size 0 keeps the size the dialog opened with
    int weight = QFont::Normal;
    bool italic = false;
    int size = 12;
    bool effects = false;  // underline and strike-out
    QFontDatabase::WritingSystem script = QFontDatabase::Any;
    int colorIndex = 0;
    // what the properties say
    bool bold = false;
    float fontSize = 12;
    std::int32_t charSet = 1;
    std::uint32_t color = 0;
};

class FontChoiceTest : public testing::TestWithParam<ChoiceCase> {
protected:
    test::DialogHooks hooks_;
};

TEST_P(FontChoiceTest, ComesBackThroughTheProperties) {
    const ChoiceCase& c = GetParam();
    ASSERT_EQ(QGuiApplication::primaryScreen()->logicalDotsPerInchY(), 96);
    clsComdlg d;
    d.SetFontName(Family);
    d.SetFlags(c.flags);
    d.SetMin(c.min);
    d.SetMax(c.max);
    d.SetColor(0x123456);
    d.SethDC(7);
    QString openedOn;
    int openedAt = 0;
    bool colorOffered = false;
    clsComdlg::AnswerNextFontDialog([&](QFontDialog& dialog) {
        openedOn = dialog.currentFont().family();
        openedAt = dialog.currentFont().pointSize();
        EXPECT_EQ(dialog.testOption(QFontDialog::ScalableFonts), (c.flags & Cf::ScalableOnly) != 0);
        EXPECT_FALSE(dialog.testOption(QFontDialog::MonospacedFonts));
        QFont font(Family, c.size > 0 ? c.size : dialog.currentFont().pointSize(), c.weight, c.italic);
        font.setUnderline(c.effects);
        font.setStrikeOut(c.effects);
        dialog.setCurrentFont(font);
        auto* colors = dialog.findChild<QComboBox*>(QLatin1String(FontEffects::ColorBoxName));
        colorOffered = colors != nullptr;
        if (colors != nullptr) colors->setCurrentIndex(c.colorIndex);
        for (auto* box : dialog.findChildren<QComboBox*>()) {
            if (box != colors) box->setCurrentIndex(c.script);
        }
        return true;
    });
    d.ShowFont();
    EXPECT_EQ(openedOn, Family);
    if ((c.flags & Cf::LimitSize) != 0) {
        EXPECT_TRUE(openedAt >= c.min && openedAt <= c.max) << openedAt;
    }
    EXPECT_EQ(colorOffered, (c.flags & Cf::Effects) != 0);
    EXPECT_EQ(d.FontName(), Family);
    EXPECT_EQ(d.FontBold(), c.bold);
    EXPECT_EQ(d.FontSize(), c.fontSize);
    EXPECT_EQ(d.FontUnderLine(), c.effects);
    EXPECT_EQ(d.FontStrikeThru(), c.effects);
    EXPECT_EQ(d.FontItalic(), c.italic);
    EXPECT_EQ(d.FontCharSet(), c.charSet);
    EXPECT_EQ(d.Color(), c.color);
    EXPECT_EQ(d.hDC(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FontChoiceTest,
    testing::Values(
        ChoiceCase{.name = "LightIsNotBold", .weight = QFont::Light},
        ChoiceCase{.name = "NormalIsNotBold"},
        ChoiceCase{.name = "MediumIsBold", .weight = QFont::Medium, .italic = true, .bold = true},
        ChoiceCase{.name = "ScriptGivesTheCharacterSet", .script = QFontDatabase::SimplifiedChinese, .charSet = 134},
        // Red is the tenth of the basic colours.
        ChoiceCase{.name = "EffectsAndColour", .flags = Cf::Effects, .effects = true, .colorIndex = 9,
                   .color = 0x0000FF},
        ChoiceCase{.name = "SizeAtTheLimit", .flags = Cf::LimitSize, .min = 8, .max = 20, .size = 20, .fontSize = 20},
        ChoiceCase{.name = "SizeOneBeyond", .flags = Cf::LimitSize, .min = 8, .max = 20, .size = 21, .fontSize = 20},
        ChoiceCase{.name = "OpensWithinTheLimits", .flags = Cf::LimitSize, .min = 14, .max = 20, .size = 0,
                   .fontSize = 14},
        ChoiceCase{.name = "ScalableFamiliesOnly", .flags = Cf::ScalableOnly},
        ChoiceCase{.name = "LimitsWithoutTheFlagBindNothing", .min = 14, .max = 20, .size = 72, .fontSize = 72}),
    test::RowName);

// The real dialog, answered by a timer acting as the user, who picks a
// bold face (700) of another family than the program's, and a colour from
// the added colour box.
TEST(FontDialogTest, RealDialogReturnsTheUsersFontAndColour) {
    test::DialogHooks hooks;
    clsComdlg d;
    d.SetFlags(Cf::Effects);
    test::AnswerNextModal<QFontDialog>([](QFontDialog& dialog) {
        dialog.setCurrentFont(QFont(Family, 16, QFont::Bold));
        dialog.findChild<QComboBox*>(QLatin1String(FontEffects::ColorBoxName))->setCurrentIndex(12);  // blue
        dialog.accept();
    });
    d.ShowFont();
    EXPECT_EQ(d.FontName(), Family);
    EXPECT_TRUE(d.FontBold());
    EXPECT_EQ(d.Color(), 0xFF0000u);
}

}  // namespace
}  // namespace velkrant
