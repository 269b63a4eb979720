#include "BitmapHost.h"

#include <new>

#include <Bitmap.h>
#include <Looper.h>
#include <View.h>

#include "PixelConversion.h"

namespace BPrivate {

BitmapHost::BitmapHost(BBitmap* bitmap, status_t* status) : fBitmap(bitmap), fLooper(nullptr)
{
	if (bitmap->fColorSpace == B_CMAP8) {
		fShadow.reset(new (std::nothrow)
		                  uint8[(size_t)bitmap->fWidth * (size_t)bitmap->fHeight * 4]);
		if (fShadow == nullptr) {
			*status = B_NO_MEMORY;
			return;
		}
	}
	// A looper belongs, locked, to the thread that makes it; it stays locked until the top
	// view is in place.
	fLooper = new (std::nothrow) BLooper("offscreen bitmap");
	BView* top = fLooper != nullptr
	                 ? new (std::nothrow)
	                       BView(BRect(0, 0, bitmap->fWidth - 1, bitmap->fHeight - 1), nullptr,
	                             B_FOLLOW_NONE, 0)
	                 : nullptr;
	if (top == nullptr) {
		*status = B_NO_MEMORY;
		return;
	}
	InstallTopView(top, bitmap->fBounds.LeftTop());
	fLooper->Unlock();
	*status = B_OK;
}

BitmapHost::~BitmapHost()
{
	if (fLooper == nullptr)
		return;
	fLooper->Lock();
	DeleteTopView();
	// A looper that never ran is deleted by Quit at once.
	fLooper->Quit();
}

graphics::PixelBuffer BitmapHost::Surface() const
{
	if (fShadow == nullptr)
		return fBitmap->PainterBuffer();
	return graphics::PixelBuffer(fShadow.get(), fBitmap->fWidth, fBitmap->fHeight,
	                             fBitmap->fWidth * 4);
}

void BitmapHost::DrewOutsideUpdate(const graphics::IntRect& rect)
{
	if (fShadow == nullptr)
		return;
	Settle();
	graphics::PixelBuffer shadow = Surface();
	graphics::IntRect area = rect & shadow.Bounds();
	if (!area.IsValid())
		return;
	for (int32 y = area.top; y <= area.bottom; y++) {
		const uint8* index = fBitmap->fBits + (size_t)y * fBitmap->fBytesPerRow + area.left;
		for (int32 x = area.left; x <= area.right; x++, index++)
			write_pixel(B_RGBA32, shadow.PixelAt(x, y), read_pixel(B_CMAP8, index));
	}
	fPending = area;
}

void BitmapHost::Settle()
{
	if (fShadow == nullptr || !fPending.IsValid())
		return;
	graphics::PixelBuffer shadow = Surface();
	// Drawings are mostly areas of one colour, so the last answer is kept: the search for the
	// nearest entry walks the whole palette.
	uint32 lastColor = 0;
	uint8 lastIndex = 0;
	bool haveLast = false;
	for (int32 y = fPending.top; y <= fPending.bottom; y++) {
		uint8* index = fBitmap->fBits + (size_t)y * fBitmap->fBytesPerRow + fPending.left;
		const uint8* pixel = shadow.PixelAt(fPending.left, y);
		for (int32 x = fPending.left; x <= fPending.right; x++, index++, pixel += 4) {
			uint32 color = (uint32)pixel[0] | (uint32)pixel[1] << 8 | (uint32)pixel[2] << 16 |
			               (uint32)pixel[3] << 24;
			if (!haveLast || color != lastColor) {
				uint8 converted;
				write_pixel(B_CMAP8, &converted, read_pixel(B_RGBA32, pixel));
				lastColor = color;
				lastIndex = converted;
				haveLast = true;
			}
			*index = lastIndex;
		}
	}
	fPending = graphics::IntRect();
}

} // namespace BPrivate
