#pragma once
// The convert button's command: one text from the main window, or every
// line of the batch window, converted by the current mode.

#include "ConversionHost.h"

#include <string>
#include <string_view>

namespace velkrant::ConversionCommand {

inline constexpr char16_t MessageEnterValidAddress[] = u"请输入有效的地址!";
inline constexpr char16_t MessageBatchFinished[] = u"批量处理已完成!";

/// The scheme operation or automatic detection that `mode` names, applied
/// to `text`; the empty text for a mode outside 0..6. Failures pass on.
std::u16string ConvertByMode(ConversionMode mode, std::u16string_view text, NoticeTarget& target);

/// One line of a batch: an empty line stays empty; any other line is
/// converted by `mode`, notices becoming "// " comment lines as long as
/// `target` reports the batch box ticked. Throws NumberedError when the
/// line fails to convert: a batch leaves such a line out.
std::u16string ConvertBatchLine(ConversionMode mode, std::u16string_view line, NoticeTarget& target);

/// True when a batch input holds nothing but leading and trailing spaces
/// and CR LF pairs, which the batch run refuses.
bool IsBlankBatchInput(std::u16string_view text);

/// Every CR LF-separated line of `text` through ConvertBatchLine, joined by
/// CR LF; failed lines are left out together with their line break.
///
///     ConvertBatchText(ModeAuto, u"thunder://QUFodHRwOi8vYS9iWlo=\r\n\r\nhttp://a/b", t)
///         == u"http://a/b\r\n\r\n// 普通协议,不需要解密!"
std::u16string ConvertBatchText(ConversionMode mode, std::u16string_view text, NoticeTarget& target);

/// The whole command, as a click on the convert button runs it. Each step
/// that fails is skipped silently, and the command goes on.
void Execute(ConversionHost& host);

}  // namespace velkrant::ConversionCommand
