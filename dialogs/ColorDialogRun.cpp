#include "ColorDialogRun.h"

#include "ColorRef.h"

#include <QColorDialog>

namespace velkrant::ColorDialogRun {

std::optional<std::uint32_t> Run(QWidget* owner, CustomColors& customColors) {
    for (int i = 0; i < static_cast<int>(customColors.size()); ++i) {
        QColorDialog::setCustomColor(i, ColorRef::ToColor(customColors[static_cast<std::size_t>(i)]));
    }
    QColorDialog dialog(QColor(Qt::black), owner);
    // A desktop's own colour dialog may ignore the toolkit's custom
    // colours; the toolkit's dialog shows and edits exactly them.
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (!Hook().Run(dialog)) {
        return std::nullopt;
    }
    for (int i = 0; i < static_cast<int>(customColors.size()); ++i) {
        customColors[static_cast<std::size_t>(i)] = ColorRef::Of(QColorDialog::customColor(i));
    }
    return ColorRef::Of(dialog.currentColor());
}

ScriptedDialog<QColorDialog>& Hook() {
    static ScriptedDialog<QColorDialog> hook;
    return hook;
}

}  // namespace velkrant::ColorDialogRun
