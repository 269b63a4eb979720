// The 256 colours of the eight-bit colour space (B_CMAP8), and the index that stands for any
// other colour.
//
// The palette is laid out for icons and pictures drawn by programs, not for a screen mode:
// - indices 0 to 43 are a ramp of greys from black upward, round(i * 255 / 44), ending short of
//   white;
// - index 63 is white, which is why a bitmap cleared to white holds 63 in every byte;
// - the other indices from 44 to 254 are the 210 colours of a 6 x 6 x 6 cube (levels 0, 51,
//   102, 153, 204, 255 of red, green and blue, red changing slowest) that are not grey, in
//   that order, skipping 63;
// - index 255 (B_TRANSPARENT_MAGIC_CMAP8) is transparent: it reads as B_TRANSPARENT_COLOR and
//   is chosen only for a fully transparent colour, never as the nearest of an opaque one.
#ifndef _SYSTEM_PALETTE_H
#define _SYSTEM_PALETTE_H

#include <GraphicsDefs.h>

// The colour map: every index's colour, the index of every colour's inverse, and the index
// nearest to each colour of 15 bits (five bits of red, then green, then blue, red highest).
// Made on first use and never freed.
const color_map* system_colors();

namespace BPrivate {

// The colour an index stands for; opaque except for the transparent index.
rgb_color palette_color(uint8 index);
// B_TRANSPARENT_MAGIC_CMAP8 for a colour with alpha 0; otherwise the opaque entry closest to
// the colour's red, green and blue (squared distance; the lower index on a tie).
uint8 palette_index(rgb_color color);

} // namespace BPrivate

#endif
