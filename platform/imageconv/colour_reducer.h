// Reduces a true-colour picture to a palette of at most maxColours entries. A picture that
// already has that few colours keeps them exactly; otherwise the palette comes from a median
// cut of a 15-bit colour histogram and the pixels are mapped with Floyd-Steinberg error
// diffusion.
#pragma once

#include "rgb_image.h"

namespace imageconv {

IndexedImage ReduceColours(const RgbImage& image, int maxColours = 256);

}  // namespace imageconv
