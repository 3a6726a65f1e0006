#include "clsComdlg.h"

#include "CodePage.h"
#include "Messages.h"
#include "NumberedError.h"
#include "OfnFlags.h"
#include "WindowHandle.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

namespace velkrant {

namespace {

// Where the chosen file's name and extension start, counted in bytes of
// the code-page form of the path: callers cut the path with these offsets
// in the code page they store it in, so characters count as their bytes.
struct PathLayout {
    QString title;
    std::size_t fileOffset = 0;
    std::size_t extensionOffset = 0;
    std::size_t pathBytes = 0;
    std::size_t titleBytes = 0;
};

std::size_t CodePageLength(const QString& text) {
    return CodePage::TextToBytes(text.toStdU16String()).size();
}

PathLayout LayoutOf(const QString& path) {
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(QDir::separator()));
    const qsizetype titleStart = slash + 1;
    PathLayout layout;
    layout.title = path.mid(titleStart);
    layout.pathBytes = CodePageLength(path);
    layout.titleBytes = CodePageLength(layout.title);
    layout.fileOffset = CodePageLength(path.left(titleStart));
    const qsizetype dot = layout.title.lastIndexOf(u'.');
    if (dot < 0) {
        layout.extensionOffset = layout.pathBytes;  // no extension: the end of the path
    } else if (dot == layout.title.size() - 1) {
        layout.extensionOffset = 0;  // a name ending in "." has an empty extension
    } else {
        layout.extensionOffset = CodePageLength(path.left(titleStart + dot + 1));
    }
    return layout;
}

QString TrimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ') ++begin;
    while (end > begin && text[end - 1] == u' ') --end;
    return text.mid(begin, end - begin);
}

}  // namespace

void clsComdlg::SetMainWindow(QWidget* window) {
    WindowHandle::SetMainWindow(window);
}

std::int32_t clsComdlg::HandleOf(QWidget* window) {
    return WindowHandle::Of(window);
}

void clsComdlg::AnswerNextFileDialog(FileDialogRun::Script script) {
    FileDialogRun::SetNextScript(std::move(script));
}

void clsComdlg::About() const {
    Notify(Message{u"clsComdlg 通用对话框类\n为程序提供“打开”和“保存”文件对话框。", TitleAbout,
                   MessageIcon::Information});
}

void clsComdlg::ShowSave() {
    ShowFileDialog(FileDialogRun::Kind::Save);
}

void clsComdlg::ShowOpen() {
    ShowFileDialog(FileDialogRun::Kind::Open);
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
        case 0:
            break;
        case 1:
            ShowOpen();
            break;
        case 2:
            ShowSave();
            break;
        default:
            throw NumberedError::FromTable(ErrNotSupported);
    }
}

void clsComdlg::ShowFileDialog(FileDialogRun::Kind kind) {
    if (ownerHwnd_ == 0) {
        ownerHwnd_ = WindowHandle::MainWindow();
    }
    // The buffers hold MaxFileSize characters plus the terminating NUL, a
    // count that must itself fit the 16-bit property.
    if (maxFileSize_ == std::numeric_limits<std::int16_t>::max()) {
        throw NumberedError::FromTable(ErrOverflow);
    }
    if (maxFileSize_ < 0) {
        throw NumberedError::FromTable(ErrInvalidCall);
    }
    const FileDialogRun::Request request{kind,         WindowHandle::ToWidget(ownerHwnd_), dialogTitle_, initDir_,
                                         defaultExt_, filter_,                            flags_};
    const std::optional<FileDialogRun::Answer> answer = FileDialogRun::Run(request);
    // A path or name longer than the buffers is no choice at all, as a
    // dialog that cannot return it reads as cancelled.
    const auto limit = static_cast<std::size_t>(maxFileSize_);
    std::optional<PathLayout> layout;
    if (answer) {
        layout = LayoutOf(answer->path);
        if (layout->pathBytes > limit || layout->titleBytes > limit) {
            layout.reset();
        }
    }
    if (!layout) {
        if (cancelError_) {
            throw NumberedError::FromTable(ErrCancelSelected, {}, clsComdlg::ErrorSource);
        }
        return;
    }
    filename_ = TrimBlanks(answer->path);
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
