#include "OutputBuffer.h"

#include "System.h"

namespace velkrant::cli {

void WriteAll(int descriptor, std::string_view data) {
    while (!data.empty()) data.remove_prefix(System::Write(descriptor, data.data(), data.size()));
}

}  // namespace velkrant::cli
