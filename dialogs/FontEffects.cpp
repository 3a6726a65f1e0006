#include "FontEffects.h"

#include "ColorRef.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

#include <array>

namespace velkrant::FontEffects {

namespace {

struct NamedColor {
    const char16_t* name;
    std::uint32_t value;  // 0x00BBGGRR
};

// The basic colours a text colour is chosen from, in their usual order.
constexpr std::array<NamedColor, 16> BasicColors{{
    {u"黑色", 0x000000}, {u"褐红色", 0x000080}, {u"绿色", 0x008000}, {u"橄榄色", 0x008080},
    {u"深蓝色", 0x800000}, {u"紫色", 0x800080}, {u"深青色", 0x808000}, {u"灰色", 0x808080},
    {u"银色", 0xC0C0C0}, {u"红色", 0x0000FF}, {u"酸橙色", 0x00FF00}, {u"黄色", 0x00FFFF},
    {u"蓝色", 0xFF0000}, {u"紫红色", 0xFF00FF}, {u"水绿色", 0xFFFF00}, {u"白色", 0xFFFFFF},
}};

// The toolkit's dialog keeps strike-out and underline as check boxes in
// one group box; that box is the effects part.
QWidget* EffectsGroup(QFontDialog& dialog) {
    auto* strikeOut = dialog.findChild<QCheckBox*>();
    return strikeOut != nullptr ? strikeOut->parentWidget() : nullptr;
}

QIcon Swatch(const QColor& color) {
    QPixmap pixmap(16, 12);
    pixmap.fill(color);
    return QIcon(pixmap);
}

}  // namespace

QComboBox* OfferWithColor(QFontDialog& dialog) {
    QWidget* effects = EffectsGroup(dialog);
    auto* layout = effects != nullptr ? qobject_cast<QBoxLayout*>(effects->layout()) : nullptr;
    if (layout == nullptr) {
        return nullptr;
    }
    auto* label = new QLabel(QStringLiteral("颜色(&C):"), effects);
    auto* box = new QComboBox(effects);
    box->setObjectName(QLatin1String(ColorBoxName));
    for (const NamedColor& color : BasicColors) {
        box->addItem(Swatch(ColorRef::ToColor(color.value)), QString::fromUtf16(color.name), color.value);
    }
    label->setBuddy(box);
    layout->addWidget(label);
    layout->addWidget(box);
    // The sample line shows the text in the chosen colour.
    if (auto* sample = dialog.findChild<QLineEdit*>(QStringLiteral("qt_fontDialog_sampleEdit"))) {
        QObject::connect(box, &QComboBox::currentIndexChanged, sample, [box, sample] {
            QPalette palette = sample->palette();
            palette.setColor(QPalette::Text, ColorRef::ToColor(box->currentData().toUInt()));
            sample->setPalette(palette);
        });
    }
    return box;
}

void Hide(QFontDialog& dialog) {
    if (QWidget* effects = EffectsGroup(dialog)) {
        effects->hide();
    }
}

}  // namespace velkrant::FontEffects
