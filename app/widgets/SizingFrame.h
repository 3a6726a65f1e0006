#pragma once
// A thin sizing border for a frameless window: drawn by the window itself
// and handed to the window system when the user drags it, so the window
// resizes the way the desktop resizes every other window (X11, Wayland and
// Windows alike), with no title bar. Where the window system will not take
// the drag (a window manager without the protocol for it), the window
// follows the mouse itself.

#include <QObject>
#include <QPoint>
#include <QRect>

#include <optional>

class QWidget;

namespace velkrant {

class SizingFrame : public QObject {
public:
    /// Draws a border `width` pixels wide around `window` (keep the
    /// window's own content inside it) and resizes the window when the
    /// user drags anywhere within `grip` pixels of an edge where no
    /// control lies. The frame belongs to the window.
    ///
    ///     SizingFrame::Install(*this, 2, 6);
    static void Install(QWidget& window, int width, int grip);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SizingFrame(QWidget& window, int width, int grip);
    void Paint();
    void ShowCursorFor(const QPoint& at);
    bool Press(const QPoint& at, const QPoint& globalAt);

    // A drag the window follows itself: the edges it moves, where the
    // mouse went down and the window's geometry then.
    struct Drag {
        Qt::Edges edges;
        QPoint from;
        QRect start;
    };

    QWidget& window_;
    int width_;
    int grip_;
    std::optional<Drag> drag_;
};

}  // namespace velkrant
