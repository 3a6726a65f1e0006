#include "GuiFixture.h"

#include "ModalAnswer.h"
#include "modManifest.h"

#include <QDropEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <QTimer>

#include <utility>

namespace velkrant::test {

void AnswerNextModalBox(std::function<void(QMessageBox&)> answer) {
    AnswerNextModal<QMessageBox>(std::move(answer));
}

void RunFromEventLoop(std::function<void()> action, int times) {
    if (times <= 0) return;
    QTimer::singleShot(0, [action = std::move(action), times] {
        // Scheduled before acting, so it fires inside whatever the action
        // itself hands control on to.
        RunFromEventLoop(action, times - 1);
        action();
    });
}

void UseFontFamily(QWidget& widget, const char* family) {
    if (*family == '\0') return;
    QFont font = widget.font();
    font.setFamily(QString::fromLatin1(family));
    widget.setFont(font);
}

bool WaitUntilActiveWindow(const QWidget& window) {
    return QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }, 60000);
}

std::unique_ptr<frmMain> StartActiveMainWindow() {
    std::unique_ptr<frmMain> window = modManifest::ShowMainWindow();
    window->activateWindow();
    EXPECT_TRUE(WaitUntilActiveWindow(*window));
    return window;
}

namespace {

// Qt's own data object would turn a URL list into parsed URLs on the way
// in; a drop from another program hands the bytes over as they are.
class ForeignData : public QMimeData {
public:
    ForeignData(QString format, QByteArray bytes) : format_(std::move(format)), bytes_(std::move(bytes)) {}
    QStringList formats() const override { return {format_}; }
    bool hasFormat(const QString& format) const override { return format == format_; }

protected:
    QVariant retrieveData(const QString& format, QMetaType) const override {
        return format == format_ ? QVariant(bytes_) : QVariant();
    }

private:
    QString format_;
    QByteArray bytes_;
};

}  // namespace

void Drop(QWidget& widget, const char* format, const QByteArray& bytes) {
    const ForeignData data(QString::fromLatin1(format), bytes);
    const QPoint middle = widget.rect().center();
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(middle, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &enter);
    QDropEvent drop(middle, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &drop);
    QCoreApplication::processEvents();
}

}  // namespace velkrant::test
