// libFuzzer entry: one axis of the grid from arbitrary geometry and settings.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/entries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return lattora::fuzz::runOrAbort(lattora::fuzz::checkAxisGrid, data, size);
}
