#pragma once
// Start-up: one instance per user, the common controls, the main window
// placed at the golden section of the screen and shown. A start with a link
// converts it, or hands it to the copy that already runs.

#include "Messages.h"

#include <QPointF>
#include <QSizeF>
#include <QStringList>

#include <memory>

class QWidget;

namespace velkrant {

class frmMain;

namespace modManifest {

inline constexpr char16_t MessageAlreadyRunning[] = u"该程序已运行";

/// The program: makes `show` the way every message reaches the user (the
/// program passes its message box), refuses a bare second instance with
/// "该程序已运行", otherwise shows the main window and runs until it is
/// closed. `arguments` (the program's name left out) is empty or one link:
/// the new window converts the link, or, while a copy runs, that copy
/// takes it and this process ends with 0 (1, with a line on standard
/// error, when the copy does not answer). Anything else, or a link longer
/// than the hand-over carries, is a usage error: a line on standard error
/// and 2. Returns the exit code. Needs a QApplication.
///
///     QApplication app(argc, argv);
///     return modManifest::Main(ShowMessageBox, app.arguments().mid(1));
int Main(MessageNotifier show, const QStringList& arguments);

/// Start-up once the instance is known to be the only one: common
/// controls, the main window created (its load step runs), placed and
/// shown. The caller owns the window.
std::unique_ptr<frmMain> ShowMainWindow();

/// On Windows, registers the extended combo-box class with the common
/// controls; any failure is swallowed. Elsewhere there is nothing to do.
/// True when no failure arose; nobody needs the answer.
bool InitCommonControlClasses();

/// Moves `window` so that it is centred horizontally and its vertical
/// centre sits at the golden section of the screen's height; then, where
/// that leaves it partly outside the screen's available area, as little
/// further as it takes to lie inside.
void PlaceMainWindow(QWidget& window);

/// The placement in twips for a screen and an outer window size in twips:
/// left = (W - w) / 2 in single precision, top = H * (3 - sqrt 5) / 2 - h / 2
/// in double precision, neither rounded nor clamped.
///
///     MainWindowPosition({15360, 11520}, {7005, 3045}) == QPointF(4177.5, 2877.75)
QPointF MainWindowPosition(const QSizeF& screen, const QSizeF& window);

}  // namespace modManifest
}  // namespace velkrant
