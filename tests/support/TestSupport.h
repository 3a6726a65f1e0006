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
#include <utility>
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

/// True when the core converts through code page 936 (GBK), the page the
/// program is made for and the one it uses outside Windows; false under
/// Windows' Western page 1252. Any other page fails the running test,
/// naming it: the tests know what those two pages give and no other.
bool RunsUnderGbk();

/// An expected value that depends on the code page: one for code page
/// 936, and one for page 1252, which holds no Chinese (ASCII stays as it
/// is, each Chinese character becomes "?"); or one value for both.
///
///     EXPECT_EQ(Base64Encode(u"迅雷"), (PerCodePage<std::u16string>{u"0bjA1w==", u"Pz8="}.Here()));
template <class T>
class PerCodePage {
public:
    PerCodePage(T both) : gbk_(std::move(both)) {}
    PerCodePage(T gbk, T cp1252) : gbk_(std::move(gbk)), cp1252_(std::move(cp1252)) {}

    /// The value for the code page the core converts through.
    const T& Here() const { return cp1252_ && !RunsUnderGbk() ? *cp1252_ : gbk_; }

private:
    T gbk_;
    std::optional<T> cp1252_;
};

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
