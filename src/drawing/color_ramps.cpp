#include "drawing/color_ramps.h"

namespace qv {

namespace {

struct Rgb {
  int32_t red, green, blue;
};

constexpr int kMiddle = 14;

Rgb redWhiteBlue(int i) {
  if (i < kMiddle) {
    return {255, 18 * i, 18 * i};
  }
  if (i == kMiddle) {
    return {255, 255, 255};
  }
  const int32_t light = 252 - 18 * (i - kMiddle);
  return {light, light, 255};
}

// Seven steps of 36 up to 216, then 255.
int32_t rising(int step) {
  return step >= 7 ? 255 : 36 * step;
}

Rgb hue(int i) {
  if (i <= 7) {
    return {255, rising(i), 0};
  }
  if (i <= 14) {
    return {rising(14 - i), 255, 0};
  }
  if (i <= 21) {
    return {0, 255, rising(i - 14)};
  }
  return {0, rising(28 - i), 255};
}

Rgb rampColor(int i, int mode) {
  return mode == 1 ? redWhiteBlue(i) : hue(i);
}

} // namespace

void colorRampPacked(int32_t* colors, int mode) {
  for (int i = 0; i < kColorRampSize; ++i) {
    const Rgb c = rampColor(i, mode);
    colors[i] = c.red * 65536 + c.green * 256 + c.blue;
  }
}

void colorRampSplit(int32_t* red, int32_t* green, int32_t* blue, int mode) {
  for (int i = 0; i < kColorRampSize; ++i) {
    const Rgb c = rampColor(i, mode);
    red[i] = c.red;
    green[i] = c.green;
    blue[i] = c.blue;
  }
}

} // namespace qv
