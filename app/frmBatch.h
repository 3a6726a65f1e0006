#pragma once
// The batch window: an input box with one link per line, an output box
// that the convert button fills, and the buttons beside them. The main
// window owns it, slides it open beneath itself and closes it with itself.
// It has a thin sizing border of its own and no title bar; its geometry is
// its outer frame, and the controls sit in the client area inside the
// border.

#include <QStringList>
#include <QWidget>

#include <string>
#include <string_view>

class QLabel;
class QPushButton;

namespace velkrant {

class ListBox;

class frmBatch : public QWidget {
public:
    /// A hidden tool window owned by `owner` (the main window).
    explicit frmBatch(QWidget* owner);

    /// The client area: the window inside its border, which holds the
    /// controls at their designed places.
    QWidget* client;

    // The controls, named as designed; each carries its name as object name.
    QLabel* lblBatchIn;
    ListBox* txtBatchIn;
    QLabel* lblBatchOut;
    ListBox* txtBatchOut;
    QPushButton* cmdPaste;
    QPushButton* cmdImport;
    QPushButton* cmdExport;
    QPushButton* cmdCopy;
    QPushButton* cmdClearIn;
    QPushButton* cmdClearOut;

    /// The input box's text, lines joined by CR LF, read in place.
    std::u16string_view BatchInText() const;
    void SetBatchOutText(std::u16string text);
    /// Empties the input box, then the output box.
    void ClearBoxes();
    /// Closes the window for good; only the main window does this, when it
    /// closes itself.
    void CloseWithOwner();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void cmdPasteClick();
    void cmdImportClick();
    void ImportDroppedFiles(const QStringList& files);
    void cmdExportClick();
    void cmdCopyClick();

    bool closingWithOwner_ = false;
};

}  // namespace velkrant
