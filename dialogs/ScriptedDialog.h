#pragma once
// The test hook of the colour, font, printer and folder dialogs: a script
// that stands in for the user of the next dialog of its kind. It receives
// the dialog fully configured (never shown), may change it as a user
// would, and answers whether it was accepted; the operation then reads the
// choice from the dialog exactly as after a real run.

#include <QDialog>

#include <functional>
#include <utility>

namespace velkrant {

template <class Dialog>
using DialogScript = std::function<bool(Dialog& dialog)>;

template <class Dialog>
class ScriptedDialog {
public:
    /// The next dialog is answered by `script`; an empty one removes a pending script.
    ///
    ///     hook.SetNext([](QColorDialog& d) { d.setCurrentColor(Qt::red); return true; });
    void SetNext(DialogScript<Dialog> script) { next_ = std::move(script); }

    /// True while a script waits for its dialog.
    bool HasNext() const { return static_cast<bool>(next_); }

    /// Hands `dialog` to the pending script, or shows it modally; true when
    /// the user (or the script) accepted it.
    bool Run(Dialog& dialog) {
        if (DialogScript<Dialog> script = std::exchange(next_, DialogScript<Dialog>{})) {
            return script(dialog);
        }
        return dialog.exec() == QDialog::Accepted;
    }

private:
    DialogScript<Dialog> next_;
};

}  // namespace velkrant
