#include "OuterFrame.h"

#include <QGuiApplication>
#include <QWidget>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

namespace velkrant::OuterFrame {

namespace {

struct Frame {
    QRect outer;
    QPoint clientOffset;  // where the client area starts within the frame
};

#if QT_CONFIG(xcb)

// xcb's replies are malloc'ed.
template <class Reply>
using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

template <class Reply>
ReplyPointer<Reply> Owned(Reply* reply) {
    return ReplyPointer<Reply>(reply, &std::free);
}

// left, right, top, bottom, as _NET_FRAME_EXTENTS holds them; none where
// the window manager has not framed the window (or does not say so).
std::array<std::uint32_t, 4> FrameExtents(xcb_connection_t* connection, xcb_window_t window) {
    static constexpr char Name[] = "_NET_FRAME_EXTENTS";
    const auto atom = Owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(std::strlen(Name)), Name), nullptr));
    std::array<std::uint32_t, 4> extents{};
    if (atom == nullptr || atom->atom == XCB_ATOM_NONE) return extents;
    const auto property = Owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, atom->atom, XCB_ATOM_CARDINAL, 0, 4), nullptr));
    if (property != nullptr && property->format == 32 && xcb_get_property_value_length(property.get()) == 16) {
        std::memcpy(extents.data(), xcb_get_property_value(property.get()), sizeof extents);
    }
    return extents;
}

std::optional<Frame> FromXServer(const QWidget& window) {
    // Other platforms (offscreen among them) may offer an X11 interface
    // of their own; only the X11 platform's windows are X windows.
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || x11 == nullptr || x11->connection() == nullptr ||
        !window.isVisible() || window.internalWinId() == 0) {
        return std::nullopt;
    }
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.internalWinId());
    const auto geometry = Owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr));
    if (geometry == nullptr) return std::nullopt;
    const auto onRoot = Owned(xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, id, geometry->root, 0, 0), nullptr));
    if (onRoot == nullptr) return std::nullopt;
    const std::array<std::uint32_t, 4> extents = FrameExtents(connection, id);
    const QRectF device(onRoot->dst_x - static_cast<double>(extents[0]), onRoot->dst_y - static_cast<double>(extents[2]),
                        geometry->width + static_cast<double>(extents[0] + extents[1]),
                        geometry->height + static_cast<double>(extents[2] + extents[3]));
    // The X server counts device pixels. A frame line thinner than a
    // logical pixel (at 200 %) still counts whole, so that nothing placed
    // against the frame ever overlaps it.
    const qreal scale = window.devicePixelRatioF();
    return Frame{QRectF(device.topLeft() / scale, device.size() / scale).toAlignedRect(),
                 QPointF(extents[0] / scale, extents[2] / scale).toPoint()};
}

#endif

Frame Measure(const QWidget& window) {
#if QT_CONFIG(xcb)
    if (const std::optional<Frame> frame = FromXServer(window)) return *frame;
#endif
    const QRect outer = window.frameGeometry();
    return {outer, window.geometry().topLeft() - outer.topLeft()};
}

}  // namespace

QRect Of(const QWidget& window) {
    return Measure(window).outer;
}

void MoveTo(QWidget& window, QPoint topLeft) {
    const Frame frame = Measure(window);
    if (frame.clientOffset.isNull()) {
        window.move(topLeft);
    } else {
        // By the client area: the toolkit would place the frame by what it
        // believes the frame to be.
        window.setGeometry(QRect(topLeft + frame.clientOffset, window.size()));
    }
}

}  // namespace velkrant::OuterFrame
