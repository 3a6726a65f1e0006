#pragma once
// Table rows print as their name, so test listings and failure reports say
// "ChinesePath" rather than a dump of the row's bytes. Bring it into the
// namespace of the row types with `using test::PrintTo;`.

#include <ostream>

namespace velkrant::test {

template <typename Case>
    requires requires(const Case& c) { *static_cast<std::ostream*>(nullptr) << c.name; }
void PrintTo(const Case& row, std::ostream* os) {
    *os << row.name;
}

}  // namespace velkrant::test
