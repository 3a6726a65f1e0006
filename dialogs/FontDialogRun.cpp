#include "FontDialogRun.h"

#include "FontEffects.h"
#include "FontFlags.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace velkrant::FontDialogRun {

namespace {

struct Limits {
    double min;
    double max;
};

std::optional<Limits> LimitsOf(const Request& request) {
    if ((request.flags & Cf::LimitSize) == 0 || request.max < 1 || request.max < request.min) {
        return std::nullopt;
    }
    return Limits{std::max<double>(request.min, 1), static_cast<double>(request.max)};
}

void KeepWithin(QFont& font, const std::optional<Limits>& limits) {
    if (limits && font.pointSizeF() > 0) {
        font.setPointSizeF(std::clamp(font.pointSizeF(), limits->min, limits->max));
    }
}

QFont InitialFont(const Request& request) {
    QFont font = QApplication::font();
    if (!request.fontName.isEmpty()) {
        font.setFamily(request.fontName);
    }
    // A named style would win over the weight and slant set here.
    font.setStyleName(QString());
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

int ScreenDpiY() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? qRound(screen->logicalDotsPerInchY()) : 96;
}

double RoundHalfToEven(double value) {
    const double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction == 0.5) {
        return std::fmod(whole, 2.0) == 0 ? whole : whole + 1;
    }
    return std::round(value);
}

// The character set a font made for the chosen script would carry.
std::int32_t CharSetOf(QFontDatabase::WritingSystem script) {
    switch (script) {
        case QFontDatabase::Latin: return 0;
        case QFontDatabase::Symbol: return 2;
        case QFontDatabase::Japanese: return 128;
        case QFontDatabase::Korean: return 129;
        case QFontDatabase::SimplifiedChinese: return 134;
        case QFontDatabase::TraditionalChinese: return 136;
        case QFontDatabase::Greek: return 161;
        case QFontDatabase::Vietnamese: return 163;
        case QFontDatabase::Hebrew: return 177;
        case QFontDatabase::Arabic: return 178;
        case QFontDatabase::Cyrillic: return 204;
        case QFontDatabase::Thai: return 222;
        default: return 1;  // any script: the system's default set
    }
}

}  // namespace

std::optional<Choice> Run(const Request& request) {
    const std::optional<Limits> limits = LimitsOf(request);
    QFontDialog dialog(request.owner);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    dialog.setOption(QFontDialog::MonospacedFonts, (request.flags & Cf::FixedPitchOnly) != 0);
    dialog.setOption(QFontDialog::ScalableFonts, (request.flags & (Cf::ScalableOnly | Cf::TrueTypeOnly)) != 0);
    QFont initial = InitialFont(request);
    KeepWithin(initial, limits);
    dialog.setCurrentFont(initial);
    // The script list is the dialog's only combo box until the colour
    // choice joins it; its index is the script's number.
    const QComboBox* scripts = dialog.findChild<QComboBox*>();
    const QComboBox* colors = nullptr;
    if ((request.flags & Cf::Effects) != 0) {
        colors = FontEffects::OfferWithColor(dialog);
    } else {
        FontEffects::Hide(dialog);
    }
    if (!Hook().Run(dialog)) {
        return std::nullopt;
    }
    QFont chosen = dialog.currentFont();
    KeepWithin(chosen, limits);
    Choice choice;
    choice.fontName = chosen.family();
    choice.weight = chosen.weight();
    choice.italic = chosen.italic();
    choice.underline = chosen.underline();
    choice.strikeOut = chosen.strikeOut();
    choice.charSet =
        CharSetOf(scripts != nullptr ? QFontDatabase::WritingSystem(scripts->currentIndex()) : QFontDatabase::Any);
    choice.color = colors != nullptr ? colors->currentData().toUInt() : 0;
    const double points = chosen.pointSizeF() > 0 ? chosen.pointSizeF() : QFontInfo(chosen).pointSizeF();
    choice.pointSize = ScreenPointSize(points, ScreenDpiY());
    return choice;
}

float ScreenPointSize(double pointSize, int dotsPerInch) {
    const double pixels = std::round(pointSize * dotsPerInch / 72.0);
    return static_cast<float>(RoundHalfToEven(pixels * 72.0 / dotsPerInch));
}

ScriptedDialog<QFontDialog>& Hook() {
    static ScriptedDialog<QFontDialog> hook;
    return hook;
}

}  // namespace velkrant::FontDialogRun
