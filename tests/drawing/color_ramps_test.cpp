// Both colour ramps, entry by entry, packed and split.
#include <cstdint>

#include <gtest/gtest.h>

#include "drawing/color_ramps.h"

namespace {

struct Rgb {
  int32_t r, g, b;
};

// Written out from the ramps' description, not from their code.
constexpr int32_t kLight[29] = {0,   18,  36,  54,  72,  90,  108, 126, 144, 162,
                                180, 198, 216, 234, 255, 234, 216, 198, 180, 162,
                                144, 126, 108, 90,  72,  54,  36,  18,  0};
constexpr Rgb kHue[29] = {{255, 0, 0},   {255, 36, 0},  {255, 72, 0},  {255, 108, 0}, {255, 144, 0},
                          {255, 180, 0}, {255, 216, 0}, {255, 255, 0}, {216, 255, 0}, {180, 255, 0},
                          {144, 255, 0}, {108, 255, 0}, {72, 255, 0},  {36, 255, 0},  {0, 255, 0},
                          {0, 255, 36},  {0, 255, 72},  {0, 255, 108}, {0, 255, 144}, {0, 255, 180},
                          {0, 255, 216}, {0, 255, 255}, {0, 216, 255}, {0, 180, 255}, {0, 144, 255},
                          {0, 108, 255}, {0, 72, 255},  {0, 36, 255},  {0, 0, 255}};

Rgb expected(int mode, int i) {
  if (mode != 1) {
    return kHue[i];
  }
  return i <= 14 ? Rgb{255, kLight[i], kLight[i]} : Rgb{kLight[i], kLight[i], 255};
}

TEST(ColorRampsTest, EveryEntryOfBothRampsInBothForms) {
  for (int mode : {1, 0, 2, -1}) {
    int32_t packed[qv::kColorRampSize], red[29], green[29], blue[29];
    qv::colorRampPacked(packed, mode);
    qv::colorRampSplit(red, green, blue, mode);
    for (int i = 0; i < qv::kColorRampSize; ++i) {
      const Rgb c = expected(mode, i);
      EXPECT_EQ(packed[i], c.r * 65536 + c.g * 256 + c.b) << "mode " << mode << " entry " << i;
      EXPECT_EQ(red[i], c.r) << mode << "/" << i;
      EXPECT_EQ(green[i], c.g) << mode << "/" << i;
      EXPECT_EQ(blue[i], c.b) << mode << "/" << i;
    }
  }
}

} // namespace
