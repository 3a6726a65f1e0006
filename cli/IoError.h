#pragma once
// Failures of the two sides of a run, kept apart because they end it
// differently: an unreadable input is reported with its name, a closed
// output pipe ends the run quietly.

#include <system_error>

namespace velkrant::cli {

/// Reading an input failed; code() holds the errno value.
class InputError : public std::system_error {
public:
    explicit InputError(int error) : std::system_error(error, std::generic_category()) {}
};

/// Writing the output failed; code() holds the errno value.
class OutputError : public std::system_error {
public:
    explicit OutputError(int error) : std::system_error(error, std::generic_category()) {}
};

}  // namespace velkrant::cli
