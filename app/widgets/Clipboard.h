#pragma once
// The clipboard as the program writes to it.

#include <QString>

namespace velkrant::Clipboard {

/// Puts `text` on the clipboard as plain text. The boxes join their lines
/// with CR LF; outside Windows, terminals and editors paste a CR as a stray
/// ^M, so there the lines go out joined by LF alone. (List files and the
/// error log keep CR LF: they are read by the download managers.)
///
///     Clipboard::SetText(QStringLiteral("a\r\nb"));  // "a\nb" on Linux
void SetText(QString text);

}  // namespace velkrant::Clipboard
