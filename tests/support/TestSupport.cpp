#include "TestSupport.h"

#include <utility>

namespace velkrant::test {

std::optional<NumberedError> ErrorRaisedBy(const std::function<void()>& action) {
    try {
        action();
    } catch (const NumberedError& e) {
        return e;
    }
    return std::nullopt;
}

int ErrorNumberOf(const std::function<void()>& action) {
    const std::optional<NumberedError> error = ErrorRaisedBy(action);
    return error ? error->Number() : 0;
}

MessageRecorder::MessageRecorder()
    : previous_(SetMessageNotifier([this](const Message& message) {
          messages.push_back(message);
          if (onMessage) onMessage(message);
      })) {}

MessageRecorder::~MessageRecorder() {
    SetMessageNotifier(std::move(previous_));
}

ScopedNotifier::ScopedNotifier(MessageNotifier notifier) : previous_(SetMessageNotifier(std::move(notifier))) {}

ScopedNotifier::~ScopedNotifier() {
    SetMessageNotifier(std::move(previous_));
}

}  // namespace velkrant::test
