#pragma once
// The main window: one link in, one link out, the seven conversion modes,
// the convert button, and the batch box that slides the batch window open
// beneath it. It is also the conversion command's view of both windows.

#include "BatchSlide.h"
#include "ConversionHost.h"
#include "WindowEnabler.h"

#include <QWidget>

#include <array>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velkrant {

class frmBatch;

class frmMain : public QWidget, public ConversionHost {
public:
    /// Creates the window and runs its load step: caption, the hidden
    /// batch window (whose full height is taken now), mode 0 selected.
    frmMain();
    ~frmMain() override;

    // The controls, named as designed; each carries its name as object name.
    QGroupBox* fraAddress;
    QWidget* picAddress;
    QLabel* lblInput;
    QLineEdit* txtInput;
    QPushButton* cmdPaste;
    QLabel* lblOutput;
    QLineEdit* txtOutput;
    QPushButton* cmdCopy;
    QWidget* picCode;
    QGroupBox* fraDecode;
    QLabel* lblAuto;
    QGroupBox* fraEncode;
    std::array<QRadioButton*, 7> optOption;
    QPushButton* cmdCode;
    QCheckBox* chkBatch;
    QPushButton* cmdAbout;
    QPushButton* cmdExit;

    /// The batch window; it lives as long as this window.
    frmBatch& Batch() const { return *batch_; }
    /// The batch window's full outer height in twips, taken at creation.
    int BatchFullHeight() const { return slide_->FullHeight(); }

    /// A link from outside (the command line, a later start, a drop on the
    /// window): the window comes to the front, the link becomes the input,
    /// "自动判断" is chosen and the link converted as 加/解密 does. It is
    /// always one link, even with the batch box ticked: the user clicked
    /// this link, not the list.
    void OpenLink(const QString& link);

    // What the conversion command reads and writes.
    ConversionMode Mode() const override { return mode_; }
    bool BatchTicked() const override;
    std::u16string InputText() const override;
    void SetOutputText(const std::u16string& text) override;
    std::u16string_view BatchInText() const override;
    void SetBatchOutText(std::u16string text) override;
    void SetMainEnabled(bool enabled) override;
    void SetBatchEnabled(bool enabled) override;
    void ShowMessage(const Message& message) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void ConnectEvents();
    void optOptionClick(int index);
    void cmdPasteClick();
    void cmdCopyClick();
    void chkBatchClick();

    ConversionMode mode_ = ModeAuto;
    bool openingLink_ = false;
    QButtonGroup* options_;
    frmBatch* batch_;
    std::unique_ptr<BatchSlide> slide_;
    WindowEnabler mainEnabler_;
    std::unique_ptr<WindowEnabler> batchEnabler_;
};

}  // namespace velkrant
