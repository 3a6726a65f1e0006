#include "DropTarget.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <utility>

namespace velkrant::DropTarget {

namespace {

class Filter : public QObject {
public:
    Filter(QWidget& widget, Reader read, Taker take)
        : QObject(&widget), read_(std::move(read)), take_(std::move(take)) {
        widget.setAcceptDrops(true);
        widget.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
        auto* drop = static_cast<QDropEvent*>(event);  // the drag events derive from it
        QStringList items = read_(*drop->mimeData());
        if (items.isEmpty()) return false;
        // A move would have the source delete what it gave.
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        if (type == QEvent::Drop) {
            QTimer::singleShot(0, this, [this, items = std::move(items)] { take_(items); });
        }
        return true;
    }

private:
    Reader read_;
    Taker take_;
};

bool IsFileDrop(const QMimeData& data) {
    return data.hasUrls() && !data.urls().isEmpty() && data.urls().front().isLocalFile();
}

}  // namespace

void Install(QWidget& widget, Reader read, Taker take) {
    new Filter(widget, std::move(read), std::move(take));  // owned by the widget
}

QStringList ReadLink(const QMimeData& data) {
    if (IsFileDrop(data)) return {};
    // A link dragged from a browser comes as a URL list too. Its entry is
    // taken as written: parsed as a URL, a link's host part would be
    // lowercased, and with it the Base64 that follows the scheme.
    for (const QByteArray& line : data.data(QStringLiteral("text/uri-list")).split('\n')) {
        const QByteArray entry = line.trimmed();
        if (!entry.isEmpty() && !entry.startsWith('#')) return {QString::fromUtf8(entry)};
    }
    if (data.hasFormat(QStringLiteral("text/plain"))) return {data.text()};
    return {};
}

QStringList ReadLocalFiles(const QMimeData& data) {
    QStringList files;
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile()) return {};
        files.append(url.toLocalFile());
    }
    return files;
}

}  // namespace velkrant::DropTarget
