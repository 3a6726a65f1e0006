#pragma once
// File-type lists in the common-dialog form ("description", NUL, "patterns",
// NUL, ...) turned into the toolkit's name filters.

#include <QString>

#include <vector>

namespace velkrant::FileDialogFilter {

struct Entry {
    QString description;  // what the user sees, e.g. "文本文件(*.txt)"
    QString nameFilter;   // the toolkit's form, e.g. "文本文件(*.txt) (*.[tT][xX][tT])"
};

/// The entries of a NUL-separated list. The list ends at its first empty
/// item, as a double NUL ends it for the system dialog, and a description
/// without a pattern is dropped. Patterns are separated by ";" and match
/// letters in either case, as they do where list files come from; "*.*"
/// means every file, also names without a dot.
///
///     Parse(QString(u"Text|*.txt;*.*").replace(u'|', QChar(0)))
///         // -> {{"Text", "Text (*.[tT][xX][tT] *)"}}
std::vector<Entry> Parse(const QString& list);

}  // namespace velkrant::FileDialogFilter
