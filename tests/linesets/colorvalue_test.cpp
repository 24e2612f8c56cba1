#include "sheet/colorvalue.h"

#include <gtest/gtest.h>

#include "tests/linesets/printers.h"

namespace lattora {
namespace {

TEST(LineSetColor, ValueToRedGreenBlue) {
    const struct {
        ColorValue value;
        Rgb rgb;
    } rows[] = {
        {0, {0, 0, 0}},
        {255, {255, 0, 0}},
        {65280, {0, 255, 0}},
        {16711680, {0, 0, 255}},
        {16777215, {255, 255, 255}},
        {0x00332211, {0x11, 0x22, 0x33}},
        {0x7F0000FF, {255, 0, 0}},      // the fourth byte carries no colour
        {0x80000005, {255, 255, 255}},  // window background
        {0x8000000F, {240, 240, 240}},  // button face
        {0x80000008, {0, 0, 0}},        // any other system colour
        {0x800000FF, {0, 0, 0}},
        {0xFFFFFFFF, {0, 0, 0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(colorToRgb(row.value), row.rgb);
    }
}

}  // namespace
}  // namespace lattora
