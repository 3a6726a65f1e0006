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
        auto* filter = new SelectAllOnFocus(box, [box] { box->selectAll(); });
        box->installEventFilter(filter);
        // A scrolling box gets its clicks through its viewport.
        if constexpr (std::is_base_of_v<QAbstractScrollArea, Box>) box->viewport()->installEventFilter(filter);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SelectAllOnFocus(QWidget* box, std::function<void()> selectAll)
        : QObject(box), selectAll_(std::move(selectAll)) {}

    std::function<void()> selectAll_;
    bool awaitingClick_ = false;  // focus just arrived; a click may follow
};

}  // namespace velkrant
