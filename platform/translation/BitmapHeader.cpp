#include "BitmapHeader.h"

#include <climits>
#include <cmath>
#include <cstring>

namespace BPrivate {

namespace {

void put32(uint8* out, uint32 value)
{
	out[0] = (uint8)(value >> 24);
	out[1] = (uint8)(value >> 16);
	out[2] = (uint8)(value >> 8);
	out[3] = (uint8)value;
}

uint32 get32(const uint8* in)
{
	return ((uint32)in[0] << 24) | ((uint32)in[1] << 16) | ((uint32)in[2] << 8) | in[3];
}

void put_float(uint8* out, float value)
{
	uint32 bits;
	memcpy(&bits, &value, sizeof(bits));
	put32(out, bits);
}

float get_float(const uint8* in)
{
	uint32 bits = get32(in);
	float value;
	memcpy(&value, &bits, sizeof(value));
	return value;
}

// Pixels from `from` to `to`, as BBitmap counts them.
double pixel_extent(float from, float to)
{
	return std::floor((double)to - (double)from + 0.5) + 1;
}

} // namespace

void flatten_bitmap_header(const TranslatorBitmap& header,
                           uint8 out[B_TRANSLATOR_BITMAP_HEADER_SIZE])
{
	put32(out, header.magic);
	put_float(out + 4, header.bounds.left);
	put_float(out + 8, header.bounds.top);
	put_float(out + 12, header.bounds.right);
	put_float(out + 16, header.bounds.bottom);
	put32(out + 20, header.rowBytes);
	put32(out + 24, (uint32)header.colors);
	put32(out + 28, header.dataSize);
}

status_t unflatten_bitmap_header(const uint8 in[B_TRANSLATOR_BITMAP_HEADER_SIZE],
                                 TranslatorBitmap* header)
{
	header->magic = get32(in);
	header->bounds =
	    BRect(get_float(in + 4), get_float(in + 8), get_float(in + 12), get_float(in + 16));
	header->rowBytes = get32(in + 20);
	header->colors = (color_space)get32(in + 24);
	header->dataSize = get32(in + 28);
	return header->magic == B_TRANSLATOR_BITMAP ? B_OK : B_ILLEGAL_DATA;
}

status_t check_bitmap_header(const TranslatorBitmap& header, BitmapLayout* layout)
{
	const BRect& b = header.bounds;
	if (header.magic != B_TRANSLATOR_BITMAP || !std::isfinite(b.left) || !std::isfinite(b.top) ||
	    !std::isfinite(b.right) || !std::isfinite(b.bottom) || !b.IsValid())
		return B_ILLEGAL_DATA;
	size_t chunk, alignment, pixelsPerChunk;
	if (get_pixel_size_for(header.colors, &chunk, &alignment, &pixelsPerChunk) != B_OK ||
	    pixelsPerChunk != 1)
		return B_ILLEGAL_DATA;
	double width = pixel_extent(b.left, b.right);
	double height = pixel_extent(b.top, b.bottom);
	if (width * chunk > INT32_MAX || height > INT32_MAX ||
	    (double)header.rowBytes < width * (double)chunk ||
	    (double)header.rowBytes * height > INT32_MAX ||
	    (double)header.dataSize < (double)header.rowBytes * height)
		return B_ILLEGAL_DATA;
	layout->width = (int32)width;
	layout->height = (int32)height;
	layout->pixelBytes = (int32)chunk;
	return B_OK;
}

} // namespace BPrivate
