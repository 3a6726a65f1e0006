#pragma once
// Messages that the core wants shown to the user. The core never draws a
// window: it hands a message to whoever the shell (or a test) installed.

#include <functional>
#include <string>

namespace velkrant {

enum class MessageIcon { Information, Critical };

struct Message {
    std::u16string text;
    std::u16string title;
    MessageIcon icon = MessageIcon::Information;

    bool operator==(const Message&) const = default;
};

// Titles shared by every message of the program.
inline constexpr char16_t TitleNotice[] = u"提示";
inline constexpr char16_t TitleWarning[] = u"警告";
inline constexpr char16_t TitleError[] = u"错误";
inline constexpr char16_t TitleAbout[] = u"关于";

using MessageNotifier = std::function<void(const Message&)>;

/// Installs the process-wide notifier (the shell's message box, or a test's
/// recorder) and returns the previous one. An empty notifier drops messages.
MessageNotifier SetMessageNotifier(MessageNotifier notifier);

/// Hands a message to the installed notifier, if any.
void Notify(const Message& message);

}  // namespace velkrant
