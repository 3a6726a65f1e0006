#pragma once
// Answers the next real modal dialog of a kind, as a user would: a
// zero-delay timer polls from the event loop (the dialog's own loop runs it
// once the dialog is shown) and hands the dialog to the answer, which
// inspects it and closes it.

#include <QApplication>
#include <QTimer>

#include <functional>
#include <utility>

namespace velkrant::test {

/// When the next modal `Dialog` appears, hands it to `answer`.
///
///     AnswerNextModal<QColorDialog>([](QColorDialog& d) { d.setCurrentColor(Qt::red); d.accept(); });
template <class Dialog>
void AnswerNextModal(std::function<void(Dialog&)> answer) {
    QTimer::singleShot(0, [answer = std::move(answer)]() mutable {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            answer(*dialog);
        } else {
            AnswerNextModal<Dialog>(std::move(answer));
        }
    });
}

}  // namespace velkrant::test
