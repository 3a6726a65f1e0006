#pragma once
// The rows and fixtures of the list-file failure tables. The portable rows
// are in ListFile_test.cpp; the rows about devices and pipes, which only
// POSIX systems have, in ListFilePipesAndDevices_test.cpp.

#include "FileTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace velkrant::test {

struct FailureCase {
    const char* name;
    std::function<QString(WorkFolder&)> prepare;  // returns the path to use
    int code;                                     // as the error log shows it
    const char16_t* description;
};

class ReadFailureTest : public testing::TestWithParam<FailureCase> {};
class WriteFailureTest : public testing::TestWithParam<FailureCase> {};

}  // namespace velkrant::test
