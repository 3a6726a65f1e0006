#pragma once
// The three private link schemes and automatic detection.
//
// A private link is a scheme prefix followed by the Base64 text of the
// address, which Thunder wraps in "AA".."ZZ" and FlashGet in
// "[FLASHGET]".."[FLASHGET]" plus a trailing "&" and a number.

#include "ConversionHost.h"

#include <string>
#include <string_view>

namespace velkrant::modMain {

inline constexpr char16_t ThunderPrefix[] = u"thunder://";
inline constexpr char16_t FlashgetPrefix[] = u"Flashget://";
inline constexpr char16_t QqdlPrefix[] = u"qqdl://";

// Automatic detection's notices.
inline constexpr char16_t NoticeCannotJudge[] = u"错误的地址或无法自动判断!";
inline constexpr char16_t NoticeOrdinary[] = u"普通协议,不需要解密!";
inline constexpr char16_t NoticeUnknown[] = u"未知协议!";

/// ThunderEncode(u"http://a/b") == u"thunder://QUFodHRwOi8vYS9iWlo="
std::u16string ThunderEncode(std::u16string_view address);

/// "Flashget://" + Base64 of the wrapped address + "&" + a number from 1 to
/// 10000 drawn from the process-wide generator.
std::u16string FlashgetEncode(std::u16string_view address);

/// The "&" and number that end a FlashGet link, the number drawn from the
/// process-wide generator: "&" followed by 1 to 10000.
std::u16string FlashgetTrailer();

/// QqdlEncode(u"http://a/b") == u"qqdl://aHR0cDovL2EvYg=="
std::u16string QqdlEncode(std::u16string_view address);

/// The address of a Thunder link, prefix optional (any letter case).
/// Throws NumberedError (ErrInvalidCall) when the decoded text has fewer
/// than 4 characters.
std::u16string ThunderDecode(std::u16string_view link);

/// The address of a FlashGet link; empty when the link has no "&". Throws
/// NumberedError (ErrInvalidCall) when the decoded text has fewer than 20
/// characters.
std::u16string FlashgetDecode(std::u16string_view link);

/// The address of a QQ Xuanfeng link; never fails.
std::u16string QqdlDecode(std::u16string_view link);

/// Deletes every occurrence of `prefix` (ASCII letters in any case) in one
/// left-to-right pass; what the deletions join is not searched again. An
/// empty prefix deletes nothing.
std::u16string RemovePrefix(std::u16string_view text, std::u16string_view prefix);

/// Decodes a link by the scheme its prefix names, or gives a notice for an
/// ordinary address or an unknown scheme: "// " + notice when the batch box
/// is ticked, otherwise a message box and the empty text. Decoder failures
/// pass to the caller.
std::u16string AutoDecode(std::u16string_view text, NoticeTarget& target);

}  // namespace velkrant::modMain
