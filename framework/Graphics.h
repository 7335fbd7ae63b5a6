// Pixel work that every backend shares: resampling a picture for a scaled layout and
// turning a colour key into the list of rectangles that stay visible.
#pragma once

#include <optional>
#include <vector>

#include "Types.h"

namespace vcl {

// Resamples `src` to `width` x `height` with a triangle filter widened for reduction,
// so both enlarging and reducing keep edges smooth and flat areas exact.
TBitmap Resample(const TBitmap& src, int width, int height);

// The pixels of `frame` whose colour is not `key`, as rectangles in bands from top to
// bottom (rows with the same runs merged). std::nullopt when no pixel has the key
// colour: then the whole window is opaque and needs no shape at all.
std::optional<std::vector<TRect>> OpaqueRegion(const TBitmap& frame, TColor key);

}  // namespace vcl
