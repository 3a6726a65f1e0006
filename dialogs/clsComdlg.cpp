#include "clsComdlg.h"

#include "ChosenPath.h"
#include "CodePageText.h"
#include "CurrentPrinter.h"
#include "FolderDialogRun.h"
#include "FontDialogRun.h"
#include "HelpRun.h"
#include "Messages.h"
#include "NumberedError.h"
#include "PrintDialogRun.h"
#include "WindowHandle.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

namespace velkrant {

void clsComdlg::SetMainWindow(QWidget* window) {
    WindowHandle::SetMainWindow(window);
}

std::int32_t clsComdlg::HandleOf(QWidget* window) {
    return WindowHandle::Of(window);
}

void clsComdlg::AnswerNextFileDialog(FileDialogRun::Script script) {
    FileDialogRun::SetNextScript(std::move(script));
}

void clsComdlg::AnswerNextColorDialog(DialogScript<QColorDialog> script) {
    ColorDialogRun::Hook().SetNext(std::move(script));
}

void clsComdlg::AnswerNextFontDialog(DialogScript<QFontDialog> script) {
    FontDialogRun::Hook().SetNext(std::move(script));
}

void clsComdlg::AnswerNextPrintDialog(DialogScript<QPrintDialog> script) {
    PrintDialogRun::Hook().SetNext(std::move(script));
}

void clsComdlg::AnswerNextFolderDialog(DialogScript<QFileDialog> script) {
    FolderDialogRun::Hook().SetNext(std::move(script));
}

void clsComdlg::About() const {
    Notify(Message{u"clsComdlg 通用对话框类\n为程序提供“打开”、“保存”、“颜色”、“字体”、“打印”、“浏览文件夹”对话框和帮助。",
                   TitleAbout, MessageIcon::Information});
}

void clsComdlg::ShowSave() {
    ShowFileDialog(FileDialogRun::Kind::Save);
}

void clsComdlg::ShowOpen() {
    ShowFileDialog(FileDialogRun::Kind::Open);
}

void clsComdlg::ShowColor() {
    const std::optional<std::uint32_t> color = ColorDialogRun::Run(Owner(), customColors_);
    if (!color) {
        return Cancelled();
    }
    color_ = *color;
}

void clsComdlg::ShowFont() {
    const std::optional<FontDialogRun::Choice> choice = FontDialogRun::Run(
        {.owner = Owner(), .fontName = fontName_, .flags = flags_, .min = min_, .max = max_});
    if (!choice) {
        return Cancelled();
    }
    fontName_ = choice->fontName;
    color_ = choice->color;
    fontCharSet_ = choice->charSet;
    fontItalic_ = choice->italic;
    fontBold_ = choice->weight > QFont::Normal;
    fontStrikeThru_ = choice->strikeOut;
    fontUnderLine_ = choice->underline;
    fontSize_ = choice->pointSize;
    hDC_ = 0;  // the toolkit hands out no device context
}

void clsComdlg::ShowPrinter() {
    const PrintDialogRun::Request request{
        .owner = Owner(),
        .flags = flags_,
        .minPage = min_,
        .maxPage = max_,
        .fromPage = fromPage_,
        .toPage = toPage_,
        .copies = copies_,
        .orientation = orientation_,
        .printerName = printerName_,
        .paperBin = printerDefaultSource_,
    };
    const std::optional<PrintDialogRun::Result> result = PrintDialogRun::Run(request);
    if (!result) {
        return Cancelled();
    }
    const QPrinter& printer = *result->printer;
    flags_ = result->flags;
    copies_ = static_cast<std::int16_t>(std::min<int>(printer.copyCount(), std::numeric_limits<std::int16_t>::max()));
    fromPage_ = result->fromPage;
    toPage_ = result->toPage;
    orientation_ = DeviceMode::OrientationOf(printer);
    hDC_ = 0;  // the toolkit hands out no device context
    printerName_ = printer.printerName();
    printerDefaultSource_ = DeviceMode::PaperBinOf(printer);
    printerExtras_ = DeviceMode::ExtrasOf(printer);
    if (printerDefault_) {
        CurrentPrinter::Adopt(printer);
    }
}

QString clsComdlg::ShowBrowseForFolder() {
    QWidget* owner = Owner();
    if (maxFileSize_ < 0) {
        throw NumberedError::FromTable(ErrInvalidCall);
    }
    std::optional<QString> folder = FolderDialogRun::Run(
        {.owner = owner, .prompt = dialogTitle_, .specialFolder = browseSpecialFolder_, .flags = flags_});
    // A folder longer than the buffer cannot be returned, as for the file
    // dialogs: it reads as a cancel.
    if (folder && CodePageLength(*folder) > static_cast<std::size_t>(maxFileSize_)) {
        folder.reset();
    }
    if (!folder) {
        Cancelled();
        folderPath_.clear();
        return {};
    }
    folderPath_ = *folder;
    return folderPath_;
}

void clsComdlg::ShowHelp() {
    // Help has no window of its own, yet fills in its owner as every
    // operation does.
    Owner();
    HelpRun::Open({.file = helpFile_, .command = helpCommand_, .context = helpContext_, .key = helpKey_});
}

void clsComdlg::SetFilter(const QString& value) {
    filter_ = value;
    filter_.replace(u'|', QChar(u'\0'));
}

void clsComdlg::SetAction(std::int16_t value) {
    if (value < 0 || value > 6) {
        throw NumberedError::FromTable(ErrInvalidProperty);
    }
    action_ = value;
    switch (value) {
        case 1: return ShowOpen();
        case 2: return ShowSave();
        case 3: return ShowColor();
        case 4: return ShowFont();
        case 5: return ShowPrinter();
        case 6: return ShowHelp();
        default: return;
    }
}

QWidget* clsComdlg::Owner() {
    if (ownerHwnd_ == 0) {
        ownerHwnd_ = WindowHandle::MainWindow();
    }
    return WindowHandle::ToWidget(ownerHwnd_);
}

void clsComdlg::Cancelled() const {
    if (cancelError_) {
        throw NumberedError::FromTable(ErrCancelSelected, {}, clsComdlg::ErrorSource);
    }
}

void clsComdlg::ShowFileDialog(FileDialogRun::Kind kind) {
    QWidget* owner = Owner();
    // The buffers hold MaxFileSize characters plus the terminating NUL, a
    // count that must itself fit the 16-bit property.
    if (maxFileSize_ == std::numeric_limits<std::int16_t>::max()) {
        throw NumberedError::FromTable(ErrOverflow);
    }
    if (maxFileSize_ < 0) {
        throw NumberedError::FromTable(ErrInvalidCall);
    }
    const FileDialogRun::Request request{kind, owner, dialogTitle_, initDir_, defaultExt_, filter_, flags_};
    const std::optional<FileDialogRun::Answer> answer = FileDialogRun::Run(request);
    // A path or name longer than the buffers is no choice at all, as a
    // dialog that cannot return it reads as cancelled.
    const auto limit = static_cast<std::size_t>(maxFileSize_);
    std::optional<ChosenPath::Layout> layout;
    if (answer) {
        layout = ChosenPath::LayoutOf(answer->path);
        if (layout->pathBytes > limit || layout->titleBytes > limit) {
            layout.reset();
        }
    }
    if (!layout) {
        return Cancelled();
    }
    filename_ = ChosenPath::TrimBlanks(answer->path);
    fileTitle_ = layout->title;
    fileOffset_ = static_cast<std::int16_t>(layout->fileOffset);
    extensionOffset_ = static_cast<std::int16_t>(layout->extensionOffset);
    filterIndex_ = static_cast<std::int16_t>(answer->filterIndex);
    // Unless told not to, a file dialog leaves the program in the chosen
    // file's folder, and what is written by a relative name (the error
    // log) goes there from then on.
    if ((flags_ & Ofn::NoChangeDir) == 0) {
        QDir::setCurrent(QFileInfo(filename_).absolutePath());
    }
}

}  // namespace velkrant
