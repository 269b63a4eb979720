// Reading and writing single pixels of the colour spaces that bitmaps convert between, so
// that ImportBits can move pixels of one space into a bitmap of another.
#ifndef _PIXEL_CONVERSION_H
#define _PIXEL_CONVERSION_H

#include <GraphicsDefs.h>

namespace BPrivate {

// True for the spaces read_pixel and write_pixel handle: the 32- and 24-bit RGB spaces of
// both byte orders, B_GRAY8 and B_CMAP8 (through the system palette, SystemPalette.h).
bool can_convert(color_space space);
// Bytes per pixel of a convertible space.
int32 pixel_bytes(color_space space);
// B_RGB32 pixels have no alpha; they read as opaque.
rgb_color read_pixel(color_space space, const uint8* pixel);
void write_pixel(color_space space, uint8* pixel, rgb_color color);

// Sets every pixel of a freshly made bitmap to white.
void fill_white(uint8* bits, int32 length, color_space space);

} // namespace BPrivate

#endif
