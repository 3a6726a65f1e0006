#pragma once
// What the conversion command needs of the windows. The main window
// implements it; core tests and the command-line tool use their own.

#include "ConversionMode.h"
#include "Messages.h"

#include <string>
#include <string_view>

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
    /// The batch input's lines joined by CR LF, read in place: the view
    /// holds until the box next changes, which it cannot while a run has
    /// the windows disabled. A list of a million lines is not copied.
    virtual std::u16string_view BatchInText() const = 0;
    /// Takes the output over; a run hands its text on without a copy.
    virtual void SetBatchOutText(std::u16string text) = 0;
    virtual void SetMainEnabled(bool enabled) = 0;
    virtual void SetBatchEnabled(bool enabled) = 0;
};

}  // namespace velkrant
