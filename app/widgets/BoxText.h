#pragma once
// The texts of the multi-line boxes as the conversion works on them: lines
// joined by CR LF. A box keeps its text as lines, so a CR LF, a lone CR or
// a lone LF put into it all start a new line, and reading it back joins
// the lines with CR LF.

#include <QString>

#include <string>
#include <string_view>

class QPlainTextEdit;

namespace velkrant::BoxText {

/// The box's whole text, lines joined by CR LF; nothing else is changed
/// (non-breaking spaces stay as they are).
///
///     BoxText::Of(*txtBatchIn) == u"http://a/b\r\nhttp://c/d"
std::u16string Of(const QPlainTextEdit& box);

/// Replaces the box's whole text.
///
///     BoxText::Set(*txtBatchOut, u"http://a/b\r\n\r\n// 未知协议!");
void Set(QPlainTextEdit& box, std::u16string_view text);
void Set(QPlainTextEdit& box, const QString& text);

/// A QString that reads `text` in place, without a copy, for a call that
/// only reads it; `text` must outlive the QString and every copy of it.
///
///     ListFile::Write(path, BoxText::Borrowed(output));
QString Borrowed(std::u16string_view text);

/// Adds `text` at the very end of the box, after whatever it holds.
///
///     BoxText::Append(*txtBatchIn, clipboardText + u"\r\n");
void Append(QPlainTextEdit& box, const QString& text);

}  // namespace velkrant::BoxText
