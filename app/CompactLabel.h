#pragma once
// A label whose text wraps onto lines set one em apart, as the classic
// dialog font sets them. Fonts with tall line spacing (the CJK fonts of
// most Linux desktops need about one and a half em per line) would
// otherwise push the last line of a small designed label out of sight.

#include <QLabel>

namespace velkrant {

class CompactLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace velkrant
