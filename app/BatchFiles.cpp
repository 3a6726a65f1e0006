#include "BatchFiles.h"

#include "ErrorLog.h"
#include "FileBytes.h"
#include "ListFile.h"
#include "Messages.h"
#include "NumberedError.h"
#include "clsComdlg.h"

#include <new>

namespace velkrant::BatchFiles {

namespace {

constexpr std::uint32_t ImportFlags = Ofn::HideReadOnly | Ofn::FileMustExist | Ofn::NoReadOnlyReturn | Ofn::NoLongNames;
constexpr std::uint32_t ExportFlags = Ofn::OverwritePrompt | Ofn::HideReadOnly | Ofn::NoReadOnlyReturn | Ofn::LongNames;
static_assert(ImportFlags == 0x49004 && ExportFlags == 0x208006);

constexpr char16_t ListFilter[] = u"URL列表文件(*.lst)|*.lst|文本文件(*.txt)|*.txt|所有文件(*.*)|*.*";
constexpr char16_t MessageSaved[] = u"已保存!";
constexpr char16_t MessageReadFailed[] = u"读取文件错误!";
constexpr char16_t MessageWriteFailed[] = u"写入文件错误!";

void Prepare(clsComdlg& dialog, QWidget* owner, const char16_t* title, std::uint32_t flags) {
    dialog.SetOwnerHwnd(clsComdlg::HandleOf(owner));
    dialog.SetDialogTitle(QString::fromUtf16(title));
    dialog.SetFilename(QString());
    dialog.SetFilter(QString::fromUtf16(ListFilter));
    dialog.SetFilterIndex(0);
    dialog.SetFlags(flags);
}

// Called inside a catch block: what was thrown, as a numbered error.
NumberedError CurrentFailure() {
    try {
        throw;
    } catch (const NumberedError& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return NumberedError::FromTable(ErrOutOfMemory);
    } catch (const std::exception& e) {
        return NumberedError::FromTable(ErrInternal, QString::fromLocal8Bit(e.what()).toStdU16String());
    } catch (...) {
        return NumberedError::FromTable(ErrInternal);
    }
}

// The log is written before the box is shown, so the record exists even if
// the program is ended while the box is still open.
void ReportFailure(const char16_t* text, const QString& listFile) {
    const NumberedError failure = CurrentFailure();
    ErrorLog::Write(failure.Number(), QString::fromStdU16String(failure.Description()), listFile);
    Notify(Message{text, TitleError, MessageIcon::Critical});
}

}  // namespace

std::optional<std::u16string> Import(QWidget* owner) {
    QString path;
    try {
        clsComdlg dialog;
        Prepare(dialog, owner, u"导入", ImportFlags);
        dialog.ShowOpen();
        path = dialog.Filename();
        if (path.isEmpty()) {
            return std::nullopt;
        }
        return ListFile::Read(path);
    } catch (...) {
        ReportFailure(MessageReadFailed, path);
        return std::nullopt;
    }
}

std::optional<std::u16string> ImportFiles(const QStringList& paths) {
    std::u16string text;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        try {
            if (i > 0) text += u"\r\n";
            text += ListFile::Read(paths[i]);
        } catch (...) {
            ReportFailure(MessageReadFailed, paths[i]);
            return std::nullopt;
        }
    }
    return text;
}

void Export(QWidget* owner, const QString& outputText) {
    QString path;
    try {
        clsComdlg dialog;
        Prepare(dialog, owner, u"保存", ExportFlags);
        dialog.SetDefaultExt(QStringLiteral(".lst"));
        dialog.ShowSave();
        path = dialog.Filename();
        if (path.isEmpty()) {
            return;
        }
        ListFile::Write(path, outputText);
    } catch (...) {
        ReportFailure(MessageWriteFailed, path);
        return;
    }
    Notify(Message{MessageSaved, TitleNotice, MessageIcon::Information});
}

}  // namespace velkrant::BatchFiles
