// ThunderEncode on any address; the properties are in SchemeFuzz.

#include "SchemeFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velkrant::fuzz::FuzzEncoder(velkrant::fuzz::Thunder, data, size);
    return 0;
}
