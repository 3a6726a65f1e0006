#include "frmBatch.h"

#include "BatchFiles.h"
#include "Clipboard.h"
#include "Controls.h"
#include "DropTarget.h"
#include "ListBox.h"
#include "NarrowButton.h"
#include "SelectAllOnFocus.h"
#include "SizingFrame.h"
#include "Twips.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>

#include <optional>
#include <utility>

namespace velkrant {

namespace {

// The sizing border, two pixels wide.
constexpr int BorderTwips = 30;

// Where a drag still resizes the window: the border and the strip of the
// client area between it and the controls.
constexpr int GripTwips = 90;

}  // namespace

// Frameless, so that the border is the same thin one on every desktop: a
// window manager's own frame comes with a title bar, or with nothing.
frmBatch::frmBatch(QWidget* owner) : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmBatch"));
    const int border = Twips::ToPixels(BorderTwips);
    resize(Twips::ToPixels(6885) + 2 * border, Twips::ToPixels(4185) + 2 * border);
    Controls::UseDesignFont(this);
    SizingFrame::Install(*this, border, Twips::ToPixels(GripTwips));
    client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(border, border, border, border);
    // The slide takes the window down to one pixel; the layout must not
    // hold it at the border's height.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->addWidget(client);

    using Controls::PlaceCaptioned;
    lblBatchIn = PlaceCaptioned<QLabel>(client, "lblBatchIn", u"批量输入(以回车分割):", {180, 60, 1935, 195});
    txtBatchIn = Controls::Place<ListBox>(client, "txtBatchIn", {60, 300, 6315, 1755});
    lblBatchOut = PlaceCaptioned<QLabel>(client, "lblBatchOut", u"批量输出:", {180, 2100, 855, 195});
    txtBatchOut = Controls::Place<ListBox>(client, "txtBatchOut", {60, 2340, 6315, 1755});
    // A screen reader names each box after the label above it.
    lblBatchIn->setBuddy(txtBatchIn);
    lblBatchOut->setBuddy(txtBatchOut);
    cmdPaste = PlaceCaptioned<NarrowButton>(client, "cmdPaste", u"粘贴", {6420, 900, 435, 555});
    cmdImport = PlaceCaptioned<NarrowButton>(client, "cmdImport", u"导入", {6420, 300, 435, 555});
    cmdExport = PlaceCaptioned<NarrowButton>(client, "cmdExport", u"导出", {6420, 2340, 435, 555});
    cmdCopy = PlaceCaptioned<NarrowButton>(client, "cmdCopy", u"复制", {6420, 2940, 435, 555});
    cmdClearIn = PlaceCaptioned<NarrowButton>(client, "cmdClearIn", u"清空", {6420, 1500, 435, 495});
    cmdClearOut = PlaceCaptioned<NarrowButton>(client, "cmdClearOut", u"清空", {6420, 3540, 435, 495});
    Controls::SetTabOrder({txtBatchIn, txtBatchOut, cmdPaste, cmdImport, cmdExport, cmdCopy, cmdClearIn, cmdClearOut});

    txtBatchOut->setReadOnly(true);
    txtBatchOut->setUndoRedoEnabled(false);
    Controls::UseButtonFaceBackground(txtBatchOut);
    SelectAllOnFocus::Install(txtBatchOut);

    connect(cmdPaste, &QPushButton::clicked, this, [this] { cmdPasteClick(); });
    connect(cmdClearIn, &QPushButton::clicked, txtBatchIn, &ListBox::clear);
    connect(cmdCopy, &QPushButton::clicked, this, [this] { cmdCopyClick(); });
    connect(cmdClearOut, &QPushButton::clicked, txtBatchOut, &ListBox::clear);
    connect(cmdImport, &QPushButton::clicked, this, [this] { cmdImportClick(); });
    connect(cmdExport, &QPushButton::clicked, this, [this] { cmdExportClick(); });
    // List files dropped on the input box are imported; dropped text goes
    // on to the box itself.
    DropTarget::Install(*txtBatchIn->viewport(), DropTarget::ReadLocalFiles,
                        [this](const QStringList& files) { ImportDroppedFiles(files); });
}

std::u16string_view frmBatch::BatchInText() const {
    return txtBatchIn->Text();
}

void frmBatch::SetBatchOutText(std::u16string text) {
    txtBatchOut->SetText(std::move(text));
}

void frmBatch::ClearBoxes() {
    txtBatchIn->clear();
    txtBatchOut->clear();
}

void frmBatch::CloseWithOwner() {
    closingWithOwner_ = true;
    close();
}

void frmBatch::closeEvent(QCloseEvent* event) {
    // The window has no close box, but the window manager may still offer
    // one (Alt+F4). Closing it that way would leave the batch box ticked
    // over a vanished window; only the main window closes it.
    if (closingWithOwner_) {
        event->accept();
    } else {
        event->ignore();
    }
}

void frmBatch::cmdPasteClick() {
    txtBatchIn->Append((QGuiApplication::clipboard()->text() + QStringLiteral("\r\n")).toStdU16String());
}

void frmBatch::cmdImportClick() {
    // The box changes only once the whole file has been read: a cancelled
    // or failed import leaves the user's list as it was.
    if (std::optional<std::u16string> text = BatchFiles::Import(parentWidget())) {
        txtBatchIn->SetText(std::move(*text));
    }
}

void frmBatch::ImportDroppedFiles(const QStringList& files) {
    // As with 导入: the box changes only once every file has been read.
    if (std::optional<std::u16string> text = BatchFiles::ImportFiles(files)) {
        txtBatchIn->SetText(std::move(*text));
    }
}

void frmBatch::cmdExportClick() {
    // Read in place, not copied: the file dialog is modal, so nothing can
    // change the box until the file is written.
    const std::u16string_view output = txtBatchOut->Text();
    BatchFiles::Export(parentWidget(), QString::fromRawData(reinterpret_cast<const QChar*>(output.data()),
                                                            static_cast<qsizetype>(output.size())));
}

void frmBatch::cmdCopyClick() {
    Clipboard::SetText(ListBox::ToQString(txtBatchOut->Text()));
}

}  // namespace velkrant
