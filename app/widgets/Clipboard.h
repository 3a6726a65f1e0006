#pragma once
// The clipboard as the program writes to it.

#include <QClipboard>
#include <QString>

namespace velkrant::Clipboard {

/// Puts `text` on the clipboard (or, with QClipboard::Selection, makes it
/// the X11 primary selection) as plain text. The boxes join their lines
/// with CR LF; outside Windows, terminals and editors paste a CR as a stray
/// ^M, so there the lines go out joined by LF alone. (List files and the
/// error log keep CR LF: they are read by the download managers.)
///
/// The text is kept as it is and turned into what the clipboard hands out
/// only when some program asks for it, in one pass: copying a million-line
/// list costs no more than keeping it, and a copy nobody pastes costs
/// nothing more.
///
///     Clipboard::SetText(QStringLiteral("a\r\nb"));  // "a\nb" on Linux
void SetText(QString text, QClipboard::Mode mode = QClipboard::Clipboard);

}  // namespace velkrant::Clipboard
