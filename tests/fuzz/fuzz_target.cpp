// libFuzzer entry of each fuzz target: LATTORA_FUZZ_CHECK names its check. A
// broken property aborts with its description, so that the fuzzer keeps the
// input.
#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/entries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString problem = lattora::fuzz::LATTORA_FUZZ_CHECK({data, size});
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "property broken: %s\n", problem.toUtf8().constData());
        std::abort();
    }
    return 0;
}
