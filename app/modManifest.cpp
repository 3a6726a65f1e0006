#include "modManifest.h"

#include "LinkHandOver.h"
#include "SingleInstance.h"
#include "ToolkitTranslation.h"
#include "OuterFrame.h"
#include "ScreenFit.h"
#include "Twips.h"
#include "clsComdlg.h"
#include "frmMain.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <optional>
#include <utility>

#ifdef Q_OS_WIN
#include <windows.h>
#include <commctrl.h>
#endif

namespace velkrant::modManifest {

namespace {

constexpr int ExitUsage = 2;
constexpr int ExitNotHandedOver = 1;

int PrintError(const char* text, int exitCode) {
    std::fputs(text, stderr);
    std::fflush(stderr);
    return exitCode;
}

// On X11 the window manager frames a window only once it is shown, so the
// first placement saw no frame. As soon as the frame is known the window is
// placed once more, by its outer size. Where the frame was known from the
// start, placing again changes nothing.
class PlaceAgainWhenFramed : public QObject {
public:
    explicit PlaceAgainWhenFramed(QWidget& window) : QObject(&window), window_(window) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        const bool geometryEvent = event->type() == QEvent::Move || event->type() == QEvent::Resize ||
                                   event->type() == QEvent::WindowActivate;
        if (geometryEvent && OuterFrame::Of(window_).size() != window_.size()) {
            window_.removeEventFilter(this);
            PlaceMainWindow(window_);
            deleteLater();
        }
        return false;
    }

private:
    QWidget& window_;
};

}  // namespace

int Main(MessageNotifier show, const QStringList& arguments) {
    // First of all, so that even the "already running" box speaks the
    // user's language on its button.
    const ToolkitTranslation translation(QLocale::system());
    // Whatever the core, the windows or the list files have to say goes
    // through this one path.
    SetMessageNotifier(std::move(show));
    // No link starts with "-": such an argument is an option, and there are none.
    if (arguments.size() > 1 || (arguments.size() == 1 && arguments.front().startsWith(u'-'))) {
        return PrintError("Usage: velkrant [LINK]\n", ExitUsage);
    }
    std::optional<QString> link;
    std::optional<QByteArray> message;
    if (!arguments.isEmpty()) {
        link = arguments.front();
        message = LinkHandOver::Encode(*link);
        // Refused whether or not a copy runs, so that the same command
        // never works once and fails the next time.
        if (!message) return PrintError("velkrant: the link is longer than 64 KiB\n", ExitUsage);
    }
    const QString serverName = LinkHandOver::ServerName(SingleInstance::RuntimeFolder());
    SingleInstance instance(SingleInstance::DefaultLockPath());
    if (instance.AnotherIsRunning()) {
        if (!link) {
            Notify({MessageAlreadyRunning, TitleNotice, MessageIcon::Information});
            return 0;
        }
        if (LinkHandOver::Send(serverName, *message)) return 0;
        return PrintError("velkrant: the running copy did not take the link\n", ExitNotHandedOver);
    }
    const std::unique_ptr<frmMain> window = ShowMainWindow();
    LinkHandOver::Receiver receiver([&window](const QString& handed) { window->OpenLink(handed); });
    if (!receiver.Listen(serverName)) {
        std::fputs("velkrant: links from later starts cannot reach this copy\n", stderr);
    }
    // From the event loop, so that the window is up before a notice box.
    if (link) QTimer::singleShot(0, window.get(), [&window, &link] { window->OpenLink(*link); });
    return QApplication::exec();
}

std::unique_ptr<frmMain> ShowMainWindow() {
    InitCommonControlClasses();
    auto window = std::make_unique<frmMain>();
    // Every file dialog without an owner of its own belongs to the main window.
    clsComdlg::SetMainWindow(window.get());
    PlaceMainWindow(*window);
    new PlaceAgainWhenFramed(*window);  // owned by the window
    window->show();
    return window;
}

#ifdef Q_OS_WIN

bool InitCommonControlClasses() {
    // Looked up at run time: a missing library or entry point is a failure
    // to swallow, never a reason not to start.
    static_assert(sizeof(INITCOMMONCONTROLSEX) == 8);
    const HMODULE library = LoadLibraryW(L"comctl32.dll");
    if (library == nullptr) return false;
    using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto init = reinterpret_cast<InitFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControlsEx")));
    if (init == nullptr) return false;
    const INITCOMMONCONTROLSEX record{sizeof(INITCOMMONCONTROLSEX), ICC_USEREX_CLASSES};
    init(&record);  // its answer changes nothing
    return true;
}

#else

bool InitCommonControlClasses() {
    // The toolkit draws themed controls itself; nothing to register.
    return true;
}

#endif

void PlaceMainWindow(QWidget& window) {
    // The outer size includes the frame, which is known once the native
    // window exists (on X11 only after the window manager has framed it).
    window.winId();
    const QRect frame = OuterFrame::Of(window);
    const QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    const QRect area = screen->geometry();
    const QPointF position =
        MainWindowPosition(QSizeF(Twips::FromPixels(area.width()), Twips::FromPixels(area.height())),
                           QSizeF(Twips::FromPixels(frame.width()), Twips::FromPixels(frame.height())));
    const QRect placed(area.left() + Twips::ToPixels(position.x()), area.top() + Twips::ToPixels(position.y()),
                       frame.width(), frame.height());
    // On a small or strongly scaled screen the golden section can put the
    // window partly off the area that panels leave free.
    OuterFrame::MoveTo(window, ScreenFit::MovedInside(placed, screen->availableGeometry()).topLeft());
}

QPointF MainWindowPosition(const QSizeF& screen, const QSizeF& window) {
    const float left = (static_cast<float>(screen.width()) - static_cast<float>(window.width())) / 2.0f;
    const double top = screen.height() * (3.0 - std::sqrt(5.0)) / 2.0 - window.height() / 2.0;
    return {left, top};
}

}  // namespace velkrant::modManifest
