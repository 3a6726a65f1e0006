#pragma once
// Drops onto a window or a box: a reader picks what the drop carries
// (links, list files), and a taker receives it once the drop is over.

#include <QStringList>

#include <functional>

class QMimeData;
class QWidget;

namespace velkrant::DropTarget {

/// What a drop carries for this target; an empty list refuses the drop.
using Reader = std::function<QStringList(const QMimeData& data)>;
/// Receives what the reader found, from the event loop after the drop has
/// ended, so that a message box it shows never holds up the program the
/// drag came from.
using Taker = std::function<void(const QStringList& items)>;

/// Makes `widget` take the drops `read` finds something in; other drops
/// go on to the widget itself. A drop is always a copy: the source keeps
/// what was dragged.
///
///     DropTarget::Install(*txtInput, ReadLink, [this](const QStringList& items) { txtInput->setText(items.front()); });
void Install(QWidget& widget, Reader read, Taker take);

/// The link a drop carries: the first entry of its URL list as written, or
/// else its text. A drop of files is no link.
QStringList ReadLink(const QMimeData& data);

/// The local files a drop carries, in the order given; nothing unless
/// every entry is a local file.
QStringList ReadLocalFiles(const QMimeData& data);

}  // namespace velkrant::DropTarget
