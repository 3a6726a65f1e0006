#pragma once
// One run of the toolkit's file dialog, configured from the dialog class's
// properties, with a hook that lets tests answer in the user's place.

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class QFileDialog;
class QWidget;

namespace velkrant::FileDialogRun {

enum class Kind { Open, Save };

struct Request {
    Kind kind = Kind::Open;
    QWidget* owner = nullptr;
    QString title;       // empty: the toolkit's own title
    QString initDir;     // empty: the current directory
    QString defaultExt;  // ".lst" and "lst" both mean the suffix "lst"
    QString filter;      // NUL-separated descriptions and patterns
    std::uint32_t flags = 0;
};

/// What the user chose: the path as the dialog returned it and the 1-based
/// index of the file type selected when it closed (0 without file types).
struct Answer {
    QString path;
    int filterIndex = 0;
};

/// Stands in for the user of one dialog: it receives the configured dialog
/// (never shown) and returns the choice, or nothing to cancel.
using Script = std::function<std::optional<Answer>(QFileDialog& dialog)>;

/// Test hook: the next dialog is answered by `script` instead of a person.
/// An empty script removes a pending one.
///
///     FileDialogRun::SetNextScript([](QFileDialog&) { return Answer{"/tmp/a.lst", 1}; });
void SetNextScript(Script script);

/// True while a script waits for its dialog.
bool HasPendingScript();

/// Shows the dialog modally (or hands it to the pending script) and returns
/// the choice, or nothing when the user cancelled.
std::optional<Answer> Run(const Request& request);

}  // namespace velkrant::FileDialogRun
