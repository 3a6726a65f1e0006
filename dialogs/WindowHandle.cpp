#include "WindowHandle.h"

#include <QPointer>
#include <QWidget>

namespace velkrant::WindowHandle {

namespace {

QPointer<QWidget>& RegisteredMainWindow() {
    static QPointer<QWidget> window;
    return window;
}

std::int32_t Narrow(WId id) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(id & 0xFFFFFFFFu));
}

}  // namespace

std::int32_t Of(QWidget* widget) {
    return widget == nullptr ? 0 : Narrow(widget->winId());
}

QWidget* ToWidget(std::int32_t handle) {
    if (handle == 0) {
        return nullptr;
    }
    QWidget* mainWindow = RegisteredMainWindow().data();
    if (mainWindow != nullptr && Narrow(mainWindow->internalWinId()) == handle) {
        return mainWindow;
    }
    return QWidget::find(static_cast<WId>(static_cast<std::uint32_t>(handle)));
}

void SetMainWindow(QWidget* window) {
    RegisteredMainWindow() = window;
}

std::int32_t MainWindow() {
    return Of(RegisteredMainWindow().data());
}

}  // namespace velkrant::WindowHandle
