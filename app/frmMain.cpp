#include "frmMain.h"

#include "AppInfoText.h"
#include "ArrowCycle.h"
#include "Clipboard.h"
#include "CompactCheckBox.h"
#include "CompactLabel.h"
#include "ConversionCommand.h"
#include "Controls.h"
#include "DropTarget.h"
#include "SelectAllOnFocus.h"
#include "Twips.h"
#include "frmBatch.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>

#include <limits>
#include <string>
#include <utility>

namespace velkrant {

namespace {

constexpr Qt::WindowFlags MainWindowFlags = Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                                            Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                            Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

QLineEdit* PlaceLinkBox(QWidget* container, const char* name, const QRect& twips) {
    auto* box = Controls::Place<QLineEdit>(container, name, twips);
    // A link of any length must survive pasting and conversion whole; the
    // box's default limit would cut it at 32,767 characters.
    box->setMaxLength(std::numeric_limits<int>::max());
    SelectAllOnFocus::Install(box);
    return box;
}

// Frame captions sit on the frame's top line, as the designed geometry
// assumes; some styles would put them above it and crowd the controls.
constexpr char FrameStyle[] =
    "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 7px; }"
    "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 1px; }";

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48}) {
        icon.addFile(QStringLiteral(":/velkrant/velkrant-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace

frmMain::frmMain() : QWidget(nullptr, MainWindowFlags), mainEnabler_(*this) {
    setObjectName(QStringLiteral("frmMain"));
    setFixedSize(Twips::ToPixels(6915), Twips::ToPixels(2565));
    setWindowIcon(ProgramIcon());
    Controls::UseDesignFont(this);
    setStyleSheet(QLatin1String(FrameStyle));
    CreateControls();
    ConnectEvents();

    // The load step.
    setWindowTitle(AppInfoText::MainCaption());
    batch_ = new frmBatch(this);
    batchEnabler_ = std::make_unique<WindowEnabler>(*batch_);
    slide_ = std::make_unique<BatchSlide>(*this, *batch_);
    optOptionClick(ModeAuto);
}

frmMain::~frmMain() = default;

void frmMain::CreateControls() {
    using Controls::Place;
    using Controls::PlaceCaptioned;
    fraAddress = PlaceCaptioned<QGroupBox>(this, "fraAddress", u"地址", {120, 60, 6675, 1035});
    picAddress = Place<QWidget>(fraAddress, "picAddress", {60, 180, 6555, 795});
    lblInput = PlaceCaptioned<QLabel>(picAddress, "lblInput", u"输入:", {120, 105, 495, 195});
    txtInput = PlaceLinkBox(picAddress, "txtInput", {660, 60, 4995, 270});
    cmdPaste = PlaceCaptioned<QPushButton>(picAddress, "cmdPaste", u"粘贴", {5700, 60, 735, 255});
    lblOutput = PlaceCaptioned<QLabel>(picAddress, "lblOutput", u"输出:", {120, 465, 495, 195});
    txtOutput = PlaceLinkBox(picAddress, "txtOutput", {660, 420, 4995, 270});
    txtOutput->setReadOnly(true);
    Controls::UseButtonFaceBackground(txtOutput);
    cmdCopy = PlaceCaptioned<QPushButton>(picAddress, "cmdCopy", u"复制", {5700, 420, 735, 255});
    // A screen reader names each box after the label beside it.
    lblInput->setBuddy(txtInput);
    lblOutput->setBuddy(txtOutput);

    // The frames come first so that they lie behind the option buttons,
    // which all sit directly in picCode and so form one group.
    picCode = Place<QWidget>(this, "picCode", {120, 1140, 4935, 1335});
    fraDecode = PlaceCaptioned<QGroupBox>(picCode, "fraDecode", u"解密", {0, 60, 2955, 1275});
    lblAuto = PlaceCaptioned<CompactLabel>(fraDecode, "lblAuto", u"一般情况推荐使用自动判断", {420, 540, 855, 555});
    fraEncode = PlaceCaptioned<QGroupBox>(picCode, "fraEncode", u"加密", {3060, 60, 1755, 1275});
    struct OptionDesign {
        const char16_t* caption;
        QRect twips;
    };
    const OptionDesign options[] = {
        {u"自动判断", {180, 300, 1035, 255}},     {u"迅雷解密", {1380, 300, 1035, 255}},
        {u"网际快车解密", {1380, 600, 1395, 255}}, {u"超级旋风解密", {1380, 900, 1395, 255}},
        {u"迅雷加密", {3240, 300, 1035, 255}},     {u"网际快车加密", {3240, 600, 1395, 255}},
        {u"超级旋风加密", {3240, 900, 1395, 255}},
    };
    options_ = new QButtonGroup(this);
    for (int i = 0; i < static_cast<int>(optOption.size()); ++i) {
        const std::string name = "optOption" + std::to_string(i);
        optOption[i] = PlaceCaptioned<QRadioButton>(picCode, name.c_str(), options[i].caption, options[i].twips);
        options_->addButton(optOption[i], i);
    }
    ArrowCycle::Install({optOption.begin(), optOption.end()});

    cmdCode = PlaceCaptioned<QPushButton>(this, "cmdCode", u"加/解密(&C)", {5100, 1260, 1635, 375});
    chkBatch = PlaceCaptioned<CompactCheckBox>(this, "chkBatch", u"批量处理(&B)", {5280, 1740, 1335, 195});
    cmdAbout = PlaceCaptioned<QPushButton>(this, "cmdAbout", u"关于(&A)", {5100, 2040, 795, 375});
    cmdExit = PlaceCaptioned<QPushButton>(this, "cmdExit", u"退出(&E)", {5940, 2040, 795, 375});

    Controls::SetTabOrder({txtInput, txtOutput, cmdCode, optOption[0], optOption[1], optOption[2], optOption[3],
                           optOption[4], optOption[5], optOption[6], cmdAbout, cmdExit, cmdPaste, cmdCopy,
                           chkBatch});
}

void frmMain::ConnectEvents() {
    connect(options_, &QButtonGroup::idClicked, this, [this](int index) { optOptionClick(index); });
    connect(cmdPaste, &QPushButton::clicked, this, [this] { cmdPasteClick(); });
    connect(cmdCopy, &QPushButton::clicked, this, [this] { cmdCopyClick(); });
    connect(cmdCode, &QPushButton::clicked, this, [this] { ConversionCommand::Execute(*this); });
    connect(chkBatch, &QCheckBox::clicked, this, [this] { chkBatchClick(); });
    connect(cmdAbout, &QPushButton::clicked, this, [] { Notify(AppInfoText::AboutMessage()); });
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);
    // Text dropped on the input box replaces it, as a paste does; a link
    // dropped anywhere else on the window is converted at once.
    DropTarget::Install(*txtInput, DropTarget::ReadLink,
                        [this](const QStringList& items) { txtInput->setText(items.front()); });
    DropTarget::Install(*this, DropTarget::ReadLink, [this](const QStringList& items) { OpenLink(items.front()); });
}

void frmMain::OpenLink(const QString& link) {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    txtInput->setText(link);
    optOptionClick(ModeAuto);
    const QScopedValueRollback oneLink(openingLink_, true);
    ConversionCommand::Execute(*this);
}

void frmMain::optOptionClick(int index) {
    optOption[index]->setChecked(true);
    mode_ = static_cast<ConversionMode>(index);
    // The group is one tab stop, at the selected button; the arrow keys
    // move within it (ArrowCycle).
    for (QRadioButton* option : optOption) {
        option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void frmMain::cmdPasteClick() {
    txtInput->setText(QGuiApplication::clipboard()->text());
    cmdCode->setFocus(Qt::OtherFocusReason);
}

void frmMain::cmdCopyClick() {
    Clipboard::SetText(txtOutput->text());
    cmdCode->setFocus(Qt::OtherFocusReason);
}

void frmMain::chkBatchClick() {
    if (chkBatch->isChecked()) {
        slide_->Open();
    } else {
        slide_->Close();
    }
}

bool frmMain::BatchTicked() const {
    return chkBatch->isChecked() && !openingLink_;
}

std::u16string frmMain::InputText() const {
    return txtInput->text().toStdU16String();
}

void frmMain::SetOutputText(const std::u16string& text) {
    txtOutput->setText(QString::fromStdU16String(text));
    // Show a long result from its start, scheme first.
    txtOutput->setCursorPosition(0);
}

std::u16string_view frmMain::BatchInText() const {
    return batch_->BatchInText();
}

void frmMain::SetBatchOutText(std::u16string text) {
    batch_->SetBatchOutText(std::move(text));
}

void frmMain::SetMainEnabled(bool enabled) {
    // The batch window is this window's child: disabling this one takes its
    // focus away too, so it is noted first.
    if (!enabled) batchEnabler_->RememberFocus();
    mainEnabler_.SetEnabled(enabled);
}

void frmMain::SetBatchEnabled(bool enabled) {
    batchEnabler_->SetEnabled(enabled);
}

void frmMain::ShowMessage(const Message& message) {
    Notify(message);
}

void frmMain::closeEvent(QCloseEvent* event) {
    // Unload: whatever slide is running stops where it stands, and the
    // batch window goes with this one, so the program ends.
    slide_->Stop();
    batch_->CloseWithOwner();
    event->accept();
}

}  // namespace velkrant
