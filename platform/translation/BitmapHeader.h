// The byte form of the 'bits' stream header (big-endian, 32 bytes) and the checks that make
// a header safe to act on: streams come from files and other programs, so a header is
// trusted only once its sizes agree with each other and with what a bitmap can hold.
#ifndef _BITMAP_HEADER_H
#define _BITMAP_HEADER_H

#include <TranslatorFormats.h>

namespace BPrivate {

void flatten_bitmap_header(const TranslatorBitmap& header,
                           uint8 out[B_TRANSLATOR_BITMAP_HEADER_SIZE]);
// B_ILLEGAL_DATA unless the bytes start with the 'bits' magic.
status_t unflatten_bitmap_header(const uint8 in[B_TRANSLATOR_BITMAP_HEADER_SIZE],
                                 TranslatorBitmap* header);

struct BitmapLayout {
	int32 width;
	int32 height;
	int32 pixelBytes;
};

// The layout the header describes, as BBitmap would make it. B_ILLEGAL_DATA when the
// bounds are not finite or valid, the colour space is unknown or packs several pixels in a
// byte, a row is too short for its pixels, the data is shorter than its rows, or the pixels
// would exceed 2 GiB.
status_t check_bitmap_header(const TranslatorBitmap& header, BitmapLayout* layout);

} // namespace BPrivate

#endif
