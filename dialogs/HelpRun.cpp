#include "HelpRun.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace velkrant::HelpRun {

namespace {

// The address that opens the request's topic; invalid when there is
// nothing to open.
QUrl AddressOf(const Request& request) {
    if (request.file.isEmpty() || request.command == CommandQuit) {
        return {};
    }
    QUrl address = QUrl::fromUserInput(request.file, QDir::currentPath(), QUrl::AssumeLocalFile);
    if (!address.isValid() || (address.isLocalFile() && !QFileInfo::exists(address.toLocalFile()))) {
        return {};
    }
    const QString topic = request.command == CommandContext ? QString::number(request.context) : request.key;
    if (!topic.isEmpty()) {
        address.setFragment(topic);
    }
    return address;
}

}  // namespace

void Open(const Request& request) {
    const QUrl address = AddressOf(request);
    if (address.isValid()) {
        QDesktopServices::openUrl(address);
    }
}

}  // namespace velkrant::HelpRun
