#pragma once
// A path that a file or folder dialog returned, measured as callers store
// it: in code-page bytes, which is also how the dialog class's MaxFileSize
// buffers count.

#include <QString>

#include <cstddef>

namespace velkrant::ChosenPath {

/// Where the chosen file's name and extension start, counted in bytes of
/// the code-page form of the path: callers cut the path with these offsets
/// in the code page they store it in, so characters count as their bytes.
struct Layout {
    QString title;  // the name without its folder
    std::size_t fileOffset = 0;
    std::size_t extensionOffset = 0;  // the end of the path without an extension; 0 after a final "."
    std::size_t pathBytes = 0;
    std::size_t titleBytes = 0;
};

///     LayoutOf("/tmp/目录/文件.lst")  // title "文件.lst", fileOffset 10, extensionOffset 15
Layout LayoutOf(const QString& path);

/// `text` without leading and trailing blanks (other white space stays).
QString TrimBlanks(const QString& text);

}  // namespace velkrant::ChosenPath
