#include "ScriptedDialogs.h"

#include "clsComdlg.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>
#include <QPrintDialog>

namespace velkrant::test {

namespace {

const char* const HelpSchemes[] = {"file", "http", "https"};

}  // namespace

HelpRecorder::HelpRecorder() {
    for (const char* scheme : HelpSchemes) {
        QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "Open");
    }
}

HelpRecorder::~HelpRecorder() {
    for (const char* scheme : HelpSchemes) {
        QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }
}

void HelpRecorder::Open(const QUrl& address) {
    opened.push_back(address);
}

CancelEveryDialog::CancelEveryDialog() {
    const auto cancel = [this](const char* kind) {
        return [this, kind](auto& dialog) {
            asked_ << QLatin1String(kind);
            parents.push_back(dialog.parentWidget());
            return false;
        };
    };
    clsComdlg::AnswerNextFileDialog([this](QFileDialog& dialog) -> std::optional<FileDialogRun::Answer> {
        asked_ << QLatin1String(dialog.acceptMode() == QFileDialog::AcceptSave ? "save" : "open");
        parents.push_back(dialog.parentWidget());
        return std::nullopt;
    });
    clsComdlg::AnswerNextColorDialog(cancel("colour"));
    clsComdlg::AnswerNextFontDialog(cancel("font"));
    clsComdlg::AnswerNextPrintDialog(cancel("printer"));
    clsComdlg::AnswerNextFolderDialog(cancel("folder"));
}

CancelEveryDialog::~CancelEveryDialog() {
    clsComdlg::AnswerNextFileDialog({});
    clsComdlg::AnswerNextColorDialog({});
    clsComdlg::AnswerNextFontDialog({});
    clsComdlg::AnswerNextPrintDialog({});
    clsComdlg::AnswerNextFolderDialog({});
}

QStringList CancelEveryDialog::Asked() const {
    QStringList asked = asked_;
    for (std::size_t i = 0; i < help_.opened.size(); ++i) asked << QStringLiteral("help");
    return asked;
}

}  // namespace velkrant::test
