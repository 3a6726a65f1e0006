#include "TestSupport.h"

#include "CodePage.h"

#include <utility>

namespace velkrant::test {

bool RunsUnderGbk() {
    const unsigned page = CodePage::Number();
    if (page != 936 && page != 1252) {
        ADD_FAILURE() << "the tests know what code pages 936 and 1252 give; this system uses " << page
                      << " (under Wine, LC_ALL=zh_CN.UTF-8 gives 936 and LC_ALL=C.UTF-8 gives 1252)";
    }
    return page == 936;
}

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
