#pragma once
// A label whose text wraps onto lines set one em apart (EmBox.h), so that
// every line of a small designed label stays in sight.

#include <QLabel>

namespace velkrant {

class CompactLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace velkrant
