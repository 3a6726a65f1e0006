#include "Messages.h"

#include <utility>

namespace velkrant {

namespace {

MessageNotifier& InstalledNotifier() {
    static MessageNotifier notifier;
    return notifier;
}

}  // namespace

MessageNotifier SetMessageNotifier(MessageNotifier notifier) {
    return std::exchange(InstalledNotifier(), std::move(notifier));
}

void Notify(const Message& message) {
    if (const MessageNotifier& notifier = InstalledNotifier()) {
        notifier(message);
    }
}

}  // namespace velkrant
