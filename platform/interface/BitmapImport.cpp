// Copying pixels into a bitmap from memory or from another bitmap. Every copy is clipped to
// both the source's length and the bitmap's bits, so wrong sizes from a caller cannot make
// it read or write out of bounds.
#include <Bitmap.h>

#include <algorithm>
#include <cstring>

#include "PixelConversion.h"

using namespace BPrivate;

namespace {

struct Source {
	const uint8* data;
	int64 length;
	int64 bytesPerRow;
	color_space space;
};

} // namespace

void BBitmap::SetBits(const void* data, int32 length, int32 offset, color_space colorSpace)
{
	ImportBits(data, length, B_ANY_BYTES_PER_ROW, offset, colorSpace);
}

status_t BBitmap::ImportBits(const void* data, int32 length, int32 bytesPerRow, int32 offset,
                             color_space colorSpace)
{
	if (!IsValid())
		return B_NO_INIT;
	if (data == nullptr || length < 0 || offset < 0 || offset > fBitsLength)
		return B_BAD_VALUE;
	// A drawing still pending would otherwise land on the new pixels later.
	_SettleViews();
	if (colorSpace == fColorSpace &&
	    (bytesPerRow == B_ANY_BYTES_PER_ROW || bytesPerRow == fBytesPerRow)) {
		memcpy(fBits + offset, data, (size_t)std::min(length, fBitsLength - offset));
		return B_OK;
	}
	// A conversion works on whole rows, so it starts at a row of the bitmap.
	if (!can_convert(colorSpace) || !can_convert(fColorSpace) || offset % fBytesPerRow != 0)
		return B_BAD_VALUE;
	int32 sourceRow = bytesPerRow == B_ANY_BYTES_PER_ROW
	                      ? (fWidth * pixel_bytes(colorSpace) + 3) / 4 * 4
	                      : bytesPerRow;
	if (sourceRow < fWidth * pixel_bytes(colorSpace))
		return B_BAD_VALUE;
	int32 firstRow = offset / fBytesPerRow;
	int32 rows = std::min<int64>(fHeight - firstRow, (length + sourceRow - 1) / sourceRow);
	if (rows <= 0)
		return B_OK;
	return ImportBits(data, length, sourceRow, colorSpace, BPoint(0, 0), BPoint(0, (float)firstRow),
	                  fWidth, rows);
}

status_t BBitmap::ImportBits(const void* data, int32 length, int32 bytesPerRow,
                             color_space colorSpace, BPoint from, BPoint to, int32 width,
                             int32 height)
{
	if (!IsValid())
		return B_NO_INIT;
	int32 sourceBytes = pixel_bytes(colorSpace);
	if (data == nullptr || length < 0 || width < 0 || height < 0 || !can_convert(colorSpace) ||
	    !can_convert(fColorSpace))
		return B_BAD_VALUE;
	if (bytesPerRow == B_ANY_BYTES_PER_ROW)
		bytesPerRow = (width * sourceBytes + 3) / 4 * 4;
	if (bytesPerRow <= 0)
		return B_BAD_VALUE;
	_SettleViews();

	int32 fromX = (int32)from.x, fromY = (int32)from.y;
	int32 toX = (int32)to.x, toY = (int32)to.y;
	if (fromX < 0 || fromY < 0 || toX < 0 || toY < 0)
		return B_BAD_VALUE;
	// Clip the rectangle to the bitmap; the source is checked per pixel against its length.
	width = std::min(width, fWidth - toX);
	height = std::min(height, fHeight - toY);
	const uint8* source = (const uint8*)data;
	int32 targetBytes = pixel_bytes(fColorSpace);
	for (int32 y = 0; y < height; y++) {
		for (int32 x = 0; x < width; x++) {
			int64 at = (int64)(fromY + y) * bytesPerRow + (int64)(fromX + x) * sourceBytes;
			if (at + sourceBytes > length || (fromX + x + 1) * (int64)sourceBytes > bytesPerRow)
				break;
			uint8* target =
			    fBits + (int64)(toY + y) * fBytesPerRow + (int64)(toX + x) * targetBytes;
			write_pixel(fColorSpace, target, read_pixel(colorSpace, source + at));
		}
	}
	return B_OK;
}

status_t BBitmap::ImportBits(const BBitmap* bitmap)
{
	if (!IsValid())
		return B_NO_INIT;
	if (bitmap == nullptr || !bitmap->IsValid() || bitmap->fWidth != fWidth ||
	    bitmap->fHeight != fHeight)
		return B_BAD_VALUE;
	if (bitmap->fColorSpace == fColorSpace && bitmap->fBytesPerRow == fBytesPerRow) {
		_SettleViews();
		memmove(fBits, bitmap->Bits(), (size_t)fBitsLength);
		return B_OK;
	}
	return ImportBits(bitmap, BPoint(0, 0), BPoint(0, 0), fWidth, fHeight);
}

status_t BBitmap::ImportBits(const BBitmap* bitmap, BPoint from, BPoint to, int32 width,
                             int32 height)
{
	if (!IsValid())
		return B_NO_INIT;
	if (bitmap == nullptr || !bitmap->IsValid() || from.x < 0 || from.y < 0)
		return B_BAD_VALUE;
	width = std::min(width, bitmap->fWidth - (int32)from.x);
	height = std::min(height, bitmap->fHeight - (int32)from.y);
	return ImportBits(bitmap->Bits(), bitmap->fBitsLength, bitmap->fBytesPerRow,
	                  bitmap->fColorSpace, from, to, width, height);
}
