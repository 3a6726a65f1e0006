#pragma once
// Selects a text box's whole text whenever the user moves the focus into
// it, by mouse or keyboard (or comes back to its window), so a link can be
// replaced or copied in one go.

#include <QAbstractScrollArea>
#include <QObject>
#include <QWidget>

#include <functional>
#include <type_traits>
#include <utility>

namespace velkrant {

class SelectAllOnFocus : public QObject {
public:
    /// Works for any box with a selectAll() (line edits and list boxes);
    /// the filter is owned by `box`.
    ///
    ///     SelectAllOnFocus::Install(txtInput);
    template <class Box>
    static void Install(Box* box) {
        auto* filter = new SelectAllOnFocus(box, [box](bool byUser) {
            box->selectAll();
            // A selection the user made becomes the primary selection, for
            // a middle click elsewhere, in a box that offers it.
            if constexpr (requires { box->SetSelectionClipboard(); }) {
                if (byUser) box->SetSelectionClipboard();
            }
        });
        box->installEventFilter(filter);
        // A scrolling box gets its clicks through its viewport.
        if constexpr (std::is_base_of_v<QAbstractScrollArea, Box>) box->viewport()->installEventFilter(filter);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // `byUser` is false where the focus merely came back with the window:
    // that must not take the primary selection from another program.
    using SelectAll = std::function<void(bool byUser)>;
    SelectAllOnFocus(QWidget* box, SelectAll selectAll) : QObject(box), selectAll_(std::move(selectAll)) {}

    SelectAll selectAll_;
    bool awaitingClick_ = false;  // focus just arrived; a click may follow
};

}  // namespace velkrant
