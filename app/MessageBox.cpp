#include "MessageBox.h"

#include "WindowHandle.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QString>

namespace velkrant {

namespace {

// Every box belongs to the main window, so it is centred over the program,
// also when it follows a file dialog and no window is active yet.
QWidget* Owner() {
    if (QWidget* main = WindowHandle::ToWidget(WindowHandle::MainWindow())) return main;
    return QApplication::activeWindow();
}

// A box as narrow as a short text leaves the window manager no room for
// the title beside its buttons, and it shows "…" instead. The spacer
// widens the box to the title's width plus room for the frame's icon and
// buttons, in the font's own measure so it holds on scaled desktops too.
void MakeRoomForTitle(QMessageBox& box) {
    constexpr int TitleBarButtonsInEms = 8;
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) +
                      TitleBarButtonsInEms * QFontMetrics(titleFont).height();
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) return;
    // Over the top row, across all columns: it adds width, no height.
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), 0, 0, 1, grid->columnCount());
}

}  // namespace

void ShowMessageBox(const Message& message) {
    const QMessageBox::Icon icon =
        message.icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Information;
    // Lines of a message are joined by CR LF; the label breaks at LF alone
    // and would draw the CR as a stray glyph.
    QString text = QString::fromStdU16String(message.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(icon, QString::fromStdU16String(message.title), text, QMessageBox::Ok, Owner());
    box.setTextFormat(Qt::PlainText);
    MakeRoomForTitle(box);
    box.exec();
}

}  // namespace velkrant
