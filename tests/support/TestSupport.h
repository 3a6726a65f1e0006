#pragma once
// What every test suite shares: table rows named after their `name`
// member, error numbers checked in one line, and core messages recorded
// instead of shown. Standard C++ and the core only.

#include "Messages.h"
#include "NumberedError.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace velkrant::test {

/// Names the instances of a parameterised test after their rows' `name`:
///
///     INSTANTIATE_TEST_SUITE_P(Cases, ReadTest, testing::ValuesIn(kReadCases), test::RowName);
inline constexpr auto RowName = [](const auto& info) { return std::string(info.param.name); };

/// Rows print as their name in failure reports; bring it in with
/// `using test::PrintTo;` in the namespace of the row types.
template <class Row>
    requires requires(const Row& row, std::ostream& os) { os << row.name; }
void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

/// The NumberedError that `action` raised, or nothing when it raised none.
std::optional<NumberedError> ErrorRaisedBy(const std::function<void()>& action);

/// The number of the NumberedError that `action` raised; 0 for none.
int ErrorNumberOf(const std::function<void()>& action);

/// Expects `statement` to raise the NumberedError numbered `number` (0: none).
///
///     EXPECT_ERROR_NUMBER(dialog.SetAction(7), ErrInvalidProperty);
#define EXPECT_ERROR_NUMBER(statement, number) \
    EXPECT_EQ(::velkrant::test::ErrorNumberOf([&] { statement; }), (number)) << #statement

/// While it lives, every message the program shows is recorded in
/// `messages` instead (and handed to `onMessage`, when set).
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    std::vector<Message> messages;
    std::function<void(const Message&)> onMessage;

private:
    MessageNotifier previous_;
};

/// While it lives, messages go to `notifier` (the real message box, say).
class ScopedNotifier {
public:
    explicit ScopedNotifier(MessageNotifier notifier);
    ~ScopedNotifier();
    ScopedNotifier(const ScopedNotifier&) = delete;
    ScopedNotifier& operator=(const ScopedNotifier&) = delete;

private:
    MessageNotifier previous_;
};

}  // namespace velkrant::test
