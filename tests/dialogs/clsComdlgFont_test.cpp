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
                                         RoundCase{"HalfDownToEven", 10.5, 96, 10},  // 14 px, 10.5 pt
                                         RoundCase{"HalfUpToEven", 13.5, 96, 14},  // 18 px, 13.5 pt
                                         RoundCase{"TenPointsAt120", 10, 120, 10},  // 17 px, 10.2 pt
                                         RoundCase{"HalfAt144", 7.5, 144, 8}),  // 15 px, 7.5 pt
                         test::RowName);

struct ChoiceCase {
    const char* name;
    std::uint32_t flags;
    std::int16_t min;
    std::int16_t max;
    // what the user chooses; size 0 keeps the size the dialog opened with
    int weight;
    bool italic;
    int size;
    bool effects;  // underline and strike-out
    QFontDatabase::WritingSystem script;
    int colorIndex;
    // what the properties say
    bool bold;
    float fontSize;
    std::int32_t charSet;
    std::uint32_t color;
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
        ChoiceCase{"LightIsNotBold", 0, 0, 0, 300, false, 12, false, QFontDatabase::Any, 0, false, 12, 1, 0},
        ChoiceCase{"NormalIsNotBold", 0, 0, 0, 400, false, 12, false, QFontDatabase::Any, 0, false, 12, 1, 0},
        ChoiceCase{"MediumIsBold", 0, 0, 0, 500, true, 12, false, QFontDatabase::Any, 0, true, 12, 1, 0},
        ChoiceCase{"BoldIsBold", 0, 0, 0, 700, false, 12, false, QFontDatabase::Any, 0, true, 12, 1, 0},
        ChoiceCase{"ScriptGivesTheCharacterSet", 0, 0, 0, 400, false, 10, false, QFontDatabase::SimplifiedChinese,
                   0, false, 10, 134, 0},
        // Red is the tenth of the basic colours.
        ChoiceCase{"EffectsAndColour", Cf::Effects, 0, 0, 400, false, 10, true, QFontDatabase::Any, 9, false, 10, 1,
                   0x0000FF},
        ChoiceCase{"SizeAtTheLimit", Cf::LimitSize, 8, 20, 400, false, 20, false, QFontDatabase::Any, 0, false, 20, 1,
                   0},
        ChoiceCase{"SizeOneBeyondTheLimit", Cf::LimitSize, 8, 20, 400, false, 21, false, QFontDatabase::Any, 0, false,
                   20, 1, 0},
        ChoiceCase{"OpensWithinTheLimits", Cf::LimitSize, 14, 20, 400, false, 0, false, QFontDatabase::Any, 0, false,
                   14, 1, 0},
        ChoiceCase{"ScalableFamiliesOnly", Cf::ScalableOnly, 0, 0, 400, false, 11, false, QFontDatabase::Any, 0, false,
                   11, 1, 0},
        ChoiceCase{"LimitsWithoutTheFlagBindNothing", 0, 14, 20, 400, false, 72, false, QFontDatabase::Any, 0, false,
                   72, 1, 0}),
    test::RowName);

// The real dialog, answered by a timer acting as the user.
TEST(FontDialogTest, RealDialogReturnsTheUsersFontAndColour) {
    test::DialogHooks hooks;
    clsComdlg d;
    d.SetFontName(Family);
    d.SetFlags(Cf::Effects);
    test::AnswerNextModal<QFontDialog>([](QFontDialog& dialog) {
        dialog.setCurrentFont(QFont(Family, 16, QFont::Bold));
        dialog.findChild<QComboBox*>(QLatin1String(FontEffects::ColorBoxName))->setCurrentIndex(12);  // blue
        dialog.accept();
    });
    d.ShowFont();
    EXPECT_EQ(d.FontName(), Family);
    EXPECT_EQ(d.FontSize(), 16);
    EXPECT_TRUE(d.FontBold());
    EXPECT_EQ(d.Color(), 0xFF0000u);
}

}  // namespace
}  // namespace velkrant
