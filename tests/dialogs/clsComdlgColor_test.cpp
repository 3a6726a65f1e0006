#include "clsComdlg.h"

#include "ModalAnswer.h"
#include "ScriptedFileDialog.h"

#include <QColorDialog>

#include <gtest/gtest.h>

#include <array>

namespace velkrant {
namespace {

using Colors = std::array<QRgb, 16>;

class ColorTest : public testing::Test {
protected:
    // The custom colours the object's next dialog opens with; the dialog
    // then defines `custom` at `index` and is accepted or cancelled.
    static Colors Shown(clsComdlg& d, int index, QColor custom, bool accept) {
        Colors shown{};
        clsComdlg::AnswerNextColorDialog([&](QColorDialog&) {
            for (int i = 0; i < 16; ++i) shown[static_cast<std::size_t>(i)] = QColorDialog::customColor(i).rgb();
            QColorDialog::setCustomColor(index, custom);
            return accept;
        });
        d.ShowColor();
        return shown;
    }

    test::DialogHooks hooks_;
};

Colors BlackBut(std::initializer_list<std::pair<int, QRgb>> colors) {
    Colors table;
    table.fill(qRgb(0, 0, 0));
    for (const auto& [index, color] : colors) table[static_cast<std::size_t>(index)] = color;
    return table;
}

// The first dialog is the real one: the user defines two custom colours
// and picks green.
TEST_F(ColorTest, CustomColoursStayWithTheirObject) {
    clsComdlg first;
    clsComdlg other;
    test::AnswerNextModal<QColorDialog>([](QColorDialog& dialog) {
        QColorDialog::setCustomColor(0, QColor(255, 0, 0));
        QColorDialog::setCustomColor(15, QColor(0, 0, 255));
        dialog.setCurrentColor(QColor(0, 128, 0));
        dialog.accept();
    });
    first.ShowColor();
    EXPECT_EQ(first.Color(), 0x008000u);

    EXPECT_EQ(Shown(other, 0, Qt::yellow, true), BlackBut({}));
    const Colors firstDefined = BlackBut({{0, qRgb(255, 0, 0)}, {15, qRgb(0, 0, 255)}});
    // A cancelled dialog keeps none of its changes.
    EXPECT_EQ(Shown(first, 1, Qt::white, false), firstDefined);
    EXPECT_EQ(Shown(first, 1, Qt::white, true), firstDefined);
    EXPECT_EQ(Shown(other, 0, Qt::black, false), BlackBut({{0, qRgb(255, 255, 0)}}));
}

}  // namespace
}  // namespace velkrant
