#pragma once
// A notice target with no window behind it: automatic detection's notices
// always become "// " comment lines, as the command line writes them.

#include "ConversionHost.h"

namespace velkrant {

class CommentNotices : public NoticeTarget {
public:
    bool BatchTicked() const override { return true; }
    void ShowMessage(const Message&) override {}
};

}  // namespace velkrant
