#include "tests/fuzz/entries.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace lattora::fuzz {

std::span<const Target> targets() {
    static constexpr std::array kTargets{
        Target{"fuzz_templates", checkTemplates},
        Target{"fuzz_rules", checkRuleTexts},
        Target{"fuzz_scale_argument", checkScaleArguments},
        Target{"fuzz_draw_axis_grid", checkAxisGrid},
    };
    return kTargets;
}

int runOrAbort(Check check, const std::uint8_t* data, std::size_t size) {
    const QString problem = check(Bytes(data, size));
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "property broken: %s\n", problem.toUtf8().constData());
        std::abort();
    }
    return 0;
}

}  // namespace lattora::fuzz
