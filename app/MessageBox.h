#pragma once
// The one way the program shows a message: a modal box with the text, the
// title, an information or critical-stop icon, and OK only.

#include "Messages.h"

namespace velkrant {

/// Shows `message` in a modal box and returns once the user closed it. The
/// answer carries no meaning, so none is returned.
///
///     ShowMessageBox({u"批量处理已完成!", TitleNotice, MessageIcon::Information});
void ShowMessageBox(const Message& message);

/// Test hook: while a hook is installed, ShowMessageBox hands each message
/// to it instead of showing a box, so tests drive the windows without ever
/// blocking. Returns the previous hook; an empty hook shows boxes again.
///
///     auto previous = SetMessageBoxHook([&](const Message& m) { seen.push_back(m); });
MessageNotifier SetMessageBoxHook(MessageNotifier hook);

}  // namespace velkrant
