#pragma once
// clsComdlg: the common-dialog class. A caller sets properties, calls a
// dialog operation and reads the results back from the same properties.
//
//     clsComdlg dialog;
//     dialog.SetDialogTitle(QStringLiteral("导入"));
//     dialog.SetFilter(QStringLiteral("文本文件(*.txt)|*.txt"));
//     dialog.SetFlags(Ofn::FileMustExist);
//     dialog.ShowOpen();                       // may throw NumberedError
//     if (!dialog.Filename().isEmpty()) Open(dialog.Filename());
//
// Every dialog is modal and owned by OwnerHwnd, or by the main window when
// it is 0 (which is then stored there). A cancelled dialog changes nothing,
// or throws ErrCancelSelected when CancelError is set; ShowBrowseForFolder
// empties FolderPath instead of changing nothing. The flag bits of each
// dialog, and what the toolkit makes of them, are in OfnFlags.h,
// FontFlags.h, PrintFlags.h and BrowseFlags.h.

#include "BrowseFlags.h"
#include "ColorDialogRun.h"
#include "DeviceMode.h"
#include "FileDialogRun.h"
#include "FontFlags.h"
#include "OfnFlags.h"
#include "PrintFlags.h"
#include "ScriptedDialog.h"

#include <QString>
#include <QVariant>

#include <cstdint>

class QColorDialog;
class QFontDialog;
class QPrintDialog;
class QWidget;

namespace velkrant {

class clsComdlg {
public:
    /// The source text of the errors the class raises itself.
    static constexpr char16_t ErrorSource[] = u"Velkrant.clsComdlg";

    clsComdlg() = default;

    /// Registers the program's main window, the owner of every dialog whose
    /// OwnerHwnd is 0 (null unregisters). The shell calls it at start-up.
    static void SetMainWindow(QWidget* window);

    /// The 32-bit handle of a window, as OwnerHwnd holds it (see WindowHandle.h).
    static std::int32_t HandleOf(QWidget* window);

    /// Test hook: the next file dialog is answered by `script` (a path and a
    /// 1-based file type, or nothing to cancel) instead of being shown.
    static void AnswerNextFileDialog(FileDialogRun::Script script);
    /// Test hooks: the next dialog of each kind is handed to `script`, which
    /// answers in the user's place (see ScriptedDialog.h); the folder script
    /// picks a folder by moving its dialog there, the printer script by
    /// setting up the dialog's printer.
    static void AnswerNextColorDialog(DialogScript<QColorDialog> script);
    static void AnswerNextFontDialog(DialogScript<QFontDialog> script);
    static void AnswerNextPrintDialog(DialogScript<QPrintDialog> script);
    static void AnswerNextFolderDialog(DialogScript<QFileDialog> script);

    /// Shows a short information box about the class.
    void About() const;

    std::int32_t OwnerHwnd() const { return ownerHwnd_; }
    void SetOwnerHwnd(std::int32_t value) { ownerHwnd_ = value; }

    /// Asks for a folder, starting where BrowseSpecialFolder says, titled
    /// with DialogTitle. The chosen folder goes to FolderPath and is
    /// returned; a cancel, or a folder longer than MaxFileSize code-page
    /// characters, empties FolderPath (or throws ErrCancelSelected when
    /// CancelError is set, leaving it). Throws ErrInvalidCall for a
    /// negative MaxFileSize.
    QString ShowBrowseForFolder();
    /// Opens HelpFile with the desktop's handler for it, at HelpContext
    /// with HelpCommand 1 and at HelpKey otherwise. Nothing is reported:
    /// a missing file or a failing handler shows nothing.
    void ShowHelp();
    /// Asks for a printer and how to print: starts from the program's
    /// current printer (or PrinterName) with Copies, Orientation, the page
    /// range FromPage to ToPage within Min and Max, PrinterDefaultSource
    /// and Flags; on success those hold the choice, and so do the
    /// read-only PrinterExtra properties. With PrinterDefault the choice
    /// becomes the program's current printer (see CurrentPrinter.h).
    void ShowPrinter();

    /// Asks for a file to save to. On success Filename, FileTitle,
    /// FileOffset, ExtensionOffset and FilterIndex hold the choice; on cancel
    /// nothing changes, or ErrCancelSelected is thrown when CancelError is
    /// set. Throws ErrOverflow for a MaxFileSize of 32767 before showing
    /// anything, ErrInvalidCall for a negative one.
    void ShowSave();
    /// As ShowSave, for a file to open.
    void ShowOpen();
    /// Asks for a font, starting on FontName within Min and Max when Flags
    /// asks for limits. On success FontName, FontSize, FontBold (weights
    /// above normal), FontItalic, FontUnderLine, FontStrikeThru,
    /// FontCharSet and Color hold the choice.
    void ShowFont();
    /// Asks for a colour with the object's own 16 custom colours, which keep
    /// the user's changes from one accepted call to the next. The dialog
    /// opens on black; on success Color holds the choice.
    void ShowColor();

    std::uint32_t Color() const { return color_; }
    void SetColor(std::uint32_t value) { color_ = value; }
    bool CancelError() const { return cancelError_; }
    void SetCancelError(bool value) { cancelError_ = value; }
    std::uint32_t Flags() const { return flags_; }
    void SetFlags(std::uint32_t value) { flags_ = value; }
    QString DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const QString& value) { defaultExt_ = value; }
    QString Filename() const { return filename_; }
    void SetFilename(const QString& value) { filename_ = value; }
    /// Read back with every "|" already turned into a NUL character.
    QString Filter() const { return filter_; }
    void SetFilter(const QString& value);
    QString InitDir() const { return initDir_; }
    void SetInitDir(const QString& value) { initDir_ = value; }
    QString DialogTitle() const { return dialogTitle_; }
    void SetDialogTitle(const QString& value) { dialogTitle_ = value; }
    QString FileTitle() const { return fileTitle_; }
    void SetFileTitle(const QString& value) { fileTitle_ = value; }
    std::int16_t Copies() const { return copies_; }
    void SetCopies(std::int16_t value) { copies_ = value; }
    std::int16_t FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(std::int16_t value) { filterIndex_ = value; }
    std::int16_t MaxFileSize() const { return maxFileSize_; }
    void SetMaxFileSize(std::int16_t value) { maxFileSize_ = value; }
    /// Byte offsets into the code-page form of Filename's untrimmed path.
    std::int16_t FileOffset() const { return fileOffset_; }
    void SetFileOffset(std::int16_t value) { fileOffset_ = value; }
    std::int16_t ExtensionOffset() const { return extensionOffset_; }
    void SetExtensionOffset(std::int16_t value) { extensionOffset_ = value; }
    bool FontBold() const { return fontBold_; }
    void SetFontBold(bool value) { fontBold_ = value; }
    QString FontName() const { return fontName_; }
    void SetFontName(const QString& value) { fontName_ = value; }
    float FontSize() const { return fontSize_; }
    void SetFontSize(float value) { fontSize_ = value; }
    bool FontStrikeThru() const { return fontStrikeThru_; }
    void SetFontStrikeThru(bool value) { fontStrikeThru_ = value; }
    bool FontUnderLine() const { return fontUnderLine_; }
    void SetFontUnderLine(bool value) { fontUnderLine_ = value; }
    std::int32_t FontCharSet() const { return fontCharSet_; }
    void SetFontCharSet(std::int32_t value) { fontCharSet_ = value; }
    bool FontItalic() const { return fontItalic_; }
    void SetFontItalic(bool value) { fontItalic_ = value; }
    std::int32_t hDC() const { return hDC_; }
    void SethDC(std::int32_t value) { hDC_ = value; }
    bool PrinterDefault() const { return printerDefault_; }
    void SetPrinterDefault(bool value) { printerDefault_ = value; }
    std::int16_t Min() const { return min_; }
    void SetMin(std::int16_t value) { min_ = value; }
    std::int16_t Max() const { return max_; }
    void SetMax(std::int16_t value) { max_ = value; }
    std::int16_t FromPage() const { return fromPage_; }
    void SetFromPage(std::int16_t value) { fromPage_ = value; }
    std::int16_t ToPage() const { return toPage_; }
    void SetToPage(std::int16_t value) { toPage_ = value; }
    std::int32_t Orientation() const { return orientation_; }
    void SetOrientation(std::int32_t value) { orientation_ = value; }
    /// Stores the value and shows: 1 ShowOpen, 2 ShowSave, 3 ShowColor,
    /// 4 ShowFont, 5 ShowPrinter, 6 ShowHelp; 0 shows nothing. Anything else
    /// throws ErrInvalidProperty and stores nothing.
    std::int16_t Action() const { return action_; }
    void SetAction(std::int16_t value);
    std::int16_t HelpCommand() const { return helpCommand_; }
    void SetHelpCommand(std::int16_t value) { helpCommand_ = value; }
    std::int32_t HelpContext() const { return helpContext_; }
    void SetHelpContext(std::int32_t value) { helpContext_ = value; }
    QString HelpFile() const { return helpFile_; }
    void SetHelpFile(const QString& value) { helpFile_ = value; }
    /// Accepts any value and keeps its text form.
    QString HelpKey() const { return helpKey_; }
    void SetHelpKey(const QVariant& value) { helpKey_ = value.toString(); }
    QString PrinterName() const { return printerName_; }
    void SetPrinterName(const QString& value) { printerName_ = value; }
    std::int32_t PrinterDefaultSource() const { return printerDefaultSource_; }
    void SetPrinterDefaultSource(std::int32_t value) { printerDefaultSource_ = value; }

    // Results of the printer dialog; read-only (see DeviceMode.h for what
    // each holds, and which stay 0 where).
    std::int16_t PrinterExtraCollate() const { return printerExtras_.collate; }
    std::int16_t PrinterExtraColor() const { return printerExtras_.color; }
    std::int32_t PrinterExtraDisplayFlags() const { return printerExtras_.displayFlags; }
    std::int16_t PrinterExtraDriverVersion() const { return printerExtras_.driverVersion; }
    std::int16_t PrinterExtraDuplex() const { return printerExtras_.duplex; }
    std::int32_t PrinterExtraFields() const { return printerExtras_.fields; }
    std::int16_t PrinterExtraPaperLength() const { return printerExtras_.paperLength; }
    std::int16_t PrinterExtraPaperSize() const { return printerExtras_.paperSize; }
    std::int16_t PrinterExtraPaperWidth() const { return printerExtras_.paperWidth; }
    std::int16_t PrinterExtraPrintQuality() const { return printerExtras_.printQuality; }
    std::int16_t PrinterExtraScale() const { return printerExtras_.scale; }
    std::int16_t PrinterExtraSpecVersion() const { return printerExtras_.specVersion; }
    std::int16_t PrinterExtraTTOption() const { return printerExtras_.ttOption; }
    std::int16_t PrinterExtraYResolution() const { return printerExtras_.yResolution; }
    /// Driver, device and port, each followed by a NUL character.
    QString PrinterExtraExtra() const { return printerExtras_.names; }
    std::int16_t PrinterExtraDefault() const { return printerExtras_.isDefault; }
    std::int16_t PrinterExtraDeviceOffset() const { return printerExtras_.deviceOffset; }
    std::int16_t PrinterExtraDriverOffset() const { return printerExtras_.driverOffset; }
    std::int16_t PrinterExtraOutputOffset() const { return printerExtras_.outputOffset; }

    QString FolderPath() const { return folderPath_; }
    void SetFolderPath(const QString& value) { folderPath_ = value; }
    std::int32_t BrowseSpecialFolder() const { return browseSpecialFolder_; }
    void SetBrowseSpecialFolder(std::int32_t value) { browseSpecialFolder_ = value; }

private:
    void ShowFileDialog(FileDialogRun::Kind kind);
    /// The owner of the next dialog, filling in OwnerHwnd when it is 0.
    QWidget* Owner();
    /// A dialog was cancelled: throws ErrCancelSelected when CancelError is set.
    void Cancelled() const;

    std::int32_t ownerHwnd_ = 0;
    std::uint32_t color_ = 0;
    bool cancelError_ = false;
    std::uint32_t flags_ = 0;
    QString defaultExt_;
    QString filename_;
    QString filter_;
    QString initDir_;
    QString dialogTitle_;
    QString fileTitle_;
    std::int16_t copies_ = 1;
    std::int16_t filterIndex_ = 0;
    std::int16_t maxFileSize_ = 260;
    std::int16_t fileOffset_ = 0;
    std::int16_t extensionOffset_ = 0;
    bool fontBold_ = false;
    QString fontName_;
    float fontSize_ = 8.0f;
    bool fontStrikeThru_ = false;
    bool fontUnderLine_ = false;
    std::int32_t fontCharSet_ = 0;
    bool fontItalic_ = false;
    std::int32_t hDC_ = 0;
    bool printerDefault_ = false;
    std::int16_t min_ = 0;
    std::int16_t max_ = 0;
    std::int16_t fromPage_ = 0;
    std::int16_t toPage_ = 0;
    std::int32_t orientation_ = 1;
    std::int16_t action_ = 0;
    std::int16_t helpCommand_ = 0;
    std::int32_t helpContext_ = 0;
    QString helpFile_;
    QString helpKey_;
    QString printerName_;
    std::int32_t printerDefaultSource_ = 0;
    QString folderPath_;
    std::int32_t browseSpecialFolder_ = 0;
    DeviceMode::Extras printerExtras_;
    ColorDialogRun::CustomColors customColors_{};
};

}  // namespace velkrant
