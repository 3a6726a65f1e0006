#pragma once
// The texts the windows build from the application information record.

#include "Messages.h"

#include <QString>

namespace velkrant::AppInfoText {

/// The main window's caption: title, " V", major and minor version.
///
///     AppInfoText::MainCaption() == "Velkrant V2.3"
QString MainCaption();

/// The About box: product name, "Version 2.3.38", an empty line, the
/// author credit, the contact line, an empty line, then copyright and
/// company; lines joined by CR LF. Title "关于", information icon.
Message AboutMessage();

}  // namespace velkrant::AppInfoText
