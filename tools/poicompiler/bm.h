#pragma once

#include <string>

#include "poicompiler/bmp.h"

namespace poicompiler {

// The .bm file: a 12-byte header, then the RGB565 pixels (see README.md).
std::string EncodeBm(const Icon& icon);

}  // namespace poicompiler
