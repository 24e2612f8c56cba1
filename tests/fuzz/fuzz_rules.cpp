// libFuzzer entry: the input fields' checking rules.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/entries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return lattora::fuzz::runOrAbort(lattora::fuzz::checkRuleTexts, data, size);
}
