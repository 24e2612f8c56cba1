// libFuzzer entry: the export command's scale texts and argument list.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/entries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return lattora::fuzz::runOrAbort(lattora::fuzz::checkScaleArguments, data, size);
}
