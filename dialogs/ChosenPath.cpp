#include "ChosenPath.h"

#include "CodePageText.h"

#include <QDir>

#include <algorithm>

namespace velkrant::ChosenPath {

Layout LayoutOf(const QString& path) {
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(QDir::separator()));
    const qsizetype titleStart = slash + 1;
    Layout layout;
    layout.title = path.mid(titleStart);
    layout.pathBytes = CodePageLength(path);
    layout.titleBytes = CodePageLength(layout.title);
    layout.fileOffset = CodePageLength(path.left(titleStart));
    const qsizetype dot = layout.title.lastIndexOf(u'.');
    if (dot < 0) {
        layout.extensionOffset = layout.pathBytes;  // no extension: the end of the path
    } else if (dot == layout.title.size() - 1) {
        layout.extensionOffset = 0;  // a name ending in "." has an empty extension
    } else {
        layout.extensionOffset = CodePageLength(path.left(titleStart + dot + 1));
    }
    return layout;
}

QString TrimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ') ++begin;
    while (end > begin && text[end - 1] == u' ') --end;
    return text.mid(begin, end - begin);
}

}  // namespace velkrant::ChosenPath
