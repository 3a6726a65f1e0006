#include "SizingFrame.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace velkrant {

namespace {

// How far along an edge from a corner a drag still takes both edges.
constexpr int CornerGrips = 3;

Qt::CursorShape CursorFor(Qt::Edges edges) {
    if (edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge)) {
        return Qt::SizeFDiagCursor;
    }
    if (edges == (Qt::RightEdge | Qt::TopEdge) || edges == (Qt::LeftEdge | Qt::BottomEdge)) {
        return Qt::SizeBDiagCursor;
    }
    return edges & (Qt::LeftEdge | Qt::RightEdge) ? Qt::SizeHorCursor : Qt::SizeVerCursor;
}

// The edges a drag at `at` moves in a window of `size`; near a corner,
// both of its edges; none away from the edges.
Qt::Edges EdgesAt(const QSize& size, const QPoint& at, int grip) {
    const int corner = grip * CornerGrips;
    const bool nearLeft = at.x() < grip;
    const bool nearRight = at.x() >= size.width() - grip;
    const bool nearTop = at.y() < grip;
    const bool nearBottom = at.y() >= size.height() - grip;
    if (!nearLeft && !nearRight && !nearTop && !nearBottom) return {};
    Qt::Edges edges;
    if (nearLeft || ((nearTop || nearBottom) && at.x() < corner)) edges |= Qt::LeftEdge;
    if (nearRight || ((nearTop || nearBottom) && at.x() >= size.width() - corner)) edges |= Qt::RightEdge;
    if (nearTop || ((nearLeft || nearRight) && at.y() < corner)) edges |= Qt::TopEdge;
    if (nearBottom || ((nearLeft || nearRight) && at.y() >= size.height() - corner)) edges |= Qt::BottomEdge;
    return edges;
}

// The geometry after the mouse moved `by` from where a drag of `edges`
// began: the dragged edges follow it, the others stay, and the size keeps
// within the window's limits, so the opposite edges never move.
QRect Dragged(const QRect& start, Qt::Edges edges, const QPoint& by, const QSize& minimum, const QSize& maximum) {
    QRect result = start;
    if (edges & Qt::LeftEdge) {
        result.setLeft(start.right() + 1 - std::clamp(start.width() - by.x(), minimum.width(), maximum.width()));
    } else if (edges & Qt::RightEdge) {
        result.setWidth(std::clamp(start.width() + by.x(), minimum.width(), maximum.width()));
    }
    if (edges & Qt::TopEdge) {
        result.setTop(start.bottom() + 1 - std::clamp(start.height() - by.y(), minimum.height(), maximum.height()));
    } else if (edges & Qt::BottomEdge) {
        result.setHeight(std::clamp(start.height() + by.y(), minimum.height(), maximum.height()));
    }
    return result;
}

}  // namespace

void SizingFrame::Install(QWidget& window, int width, int grip) {
    new SizingFrame(window, width, grip);  // owned by the window
}

SizingFrame::SizingFrame(QWidget& window, int width, int grip)
    : QObject(&window), window_(window), width_(width), grip_(grip) {
    window.setMouseTracking(true);
    window.installEventFilter(this);
}

bool SizingFrame::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
        case QEvent::Paint:
            // The window's own painting does nothing; the border goes first.
            Paint();
            break;
        case QEvent::MouseMove: {
            const auto* move = static_cast<QMouseEvent*>(event);
            if (drag_) {
                const QPoint by = move->globalPosition().toPoint() - drag_->from;
                window_.setGeometry(
                    Dragged(drag_->start, drag_->edges, by, window_.minimumSize(), window_.maximumSize()));
                return true;
            }
            ShowCursorFor(move->position().toPoint());
            break;
        }
        case QEvent::Leave:
            if (!drag_) window_.unsetCursor();
            break;
        case QEvent::MouseButtonPress: {
            const auto* press = static_cast<QMouseEvent*>(event);
            if (press->button() == Qt::LeftButton) {
                return Press(press->position().toPoint(), press->globalPosition().toPoint());
            }
            break;
        }
        case QEvent::MouseButtonRelease:
            if (drag_ && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                drag_.reset();
                return true;
            }
            break;
        default:
            break;
    }
    return false;
}

bool SizingFrame::Press(const QPoint& at, const QPoint& globalAt) {
    const Qt::Edges edges = EdgesAt(window_.size(), at, grip_);
    if (!edges || window_.windowHandle() == nullptr) {
        return false;
    }
    if (!window_.windowHandle()->startSystemResize(edges)) {
        drag_ = Drag{edges, globalAt, window_.geometry()};
    }
    return true;
}

void SizingFrame::Paint() {
    // A dark outer line against whatever lies behind, then light ones: the
    // raised edge of a window frame.
    QPainter painter(&window_);
    const QPalette& palette = window_.palette();
    QRect line = window_.rect();
    for (int i = 0; i < width_; ++i) {
        painter.setPen(i == 0 ? palette.color(QPalette::Dark) : palette.color(QPalette::Light));
        painter.drawRect(line.adjusted(0, 0, -1, -1));
        line.adjust(1, 1, -1, -1);
    }
}

void SizingFrame::ShowCursorFor(const QPoint& at) {
    const Qt::Edges edges = EdgesAt(window_.size(), at, grip_);
    if (edges) {
        window_.setCursor(CursorFor(edges));
    } else {
        window_.unsetCursor();
    }
}

}  // namespace velkrant
