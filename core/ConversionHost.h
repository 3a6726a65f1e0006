#pragma once
// What the conversion command needs of the windows. The main window
// implements it; core tests and the command-line tool use their own.

#include "ConversionMode.h"
#include "Messages.h"

#include <string>

namespace velkrant {

/// What automatic detection needs when it has a notice to give: whether the
/// batch box is ticked at that moment, and a way to show a message.
class NoticeTarget {
public:
    virtual ~NoticeTarget() = default;
    virtual bool BatchTicked() const = 0;
    virtual void ShowMessage(const Message& message) = 0;
};

/// The windows as the conversion command sees them.
class ConversionHost : public NoticeTarget {
public:
    virtual ConversionMode Mode() const = 0;
    virtual std::u16string InputText() const = 0;
    virtual void SetOutputText(const std::u16string& text) = 0;
    virtual std::u16string BatchInText() const = 0;
    virtual void SetBatchOutText(const std::u16string& text) = 0;
    virtual void SetMainEnabled(bool enabled) = 0;
    virtual void SetBatchEnabled(bool enabled) = 0;
};

}  // namespace velkrant
