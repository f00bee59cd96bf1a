#pragma once
#include <windows.h>

namespace vantrel {

// The bitmap resampled to newWidth by newHeight (each taken as 16 bits) as
// a new bitmap compatible with the screen, which the caller deletes; null
// when one side would grow while the other shrinks, or on failure.
HBITMAP ScaleBitmap(HBITMAP bitmap, int newWidth, int newHeight);

}  // namespace vantrel
