#pragma once
// The one way the program shows a message: a modal box with the text, the
// title, an information or critical-stop icon, and OK only.

#include "Messages.h"

namespace velkrant {

/// Shows `message` in a modal box and returns once the user closed it. The
/// answer carries no meaning, so none is returned. Start-up installs it as
/// the process's message notifier; everything else calls Notify, so a test
/// that installs its own notifier sees every message and no box blocks it.
///
///     SetMessageNotifier(ShowMessageBox);
///     Notify({u"批量处理已完成!", TitleNotice, MessageIcon::Information});
void ShowMessageBox(const Message& message);

}  // namespace velkrant
