#include <Bitmap.h>

#include <cassert>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

#include <Autolock.h>
#include <Looper.h>
#include <Message.h>
#include <View.h>

#include <PixelBuffer.h>

#include "BitmapHost.h"
#include "PixelConversion.h"

namespace {

// Larger sides are refused before anything is computed from them.
const double kMaxSide = double(1 << 24);

// The number of pixels from `from` to `to`, rounded as the painter rounds rectangle edges.
int64 pixel_extent(float from, float to)
{
	return (int64)std::floor((double)to - (double)from + 0.5) + 1;
}

bool is_finite(const BRect& rect)
{
	return std::isfinite(rect.left) && std::isfinite(rect.top) && std::isfinite(rect.right) &&
	       std::isfinite(rect.bottom);
}

} // namespace

// #pragma mark - construction

BBitmap::BBitmap(BRect bounds, uint32 flags, color_space colorSpace, int32 bytesPerRow,
                 screen_id screenID)
{
	_Init(bounds, flags, colorSpace, bytesPerRow);
}

BBitmap::BBitmap(BRect bounds, color_space colorSpace, bool acceptsViews, bool needsContiguous)
{
	_Init(bounds,
	      (acceptsViews ? B_BITMAP_ACCEPTS_VIEWS : 0) |
	          (needsContiguous ? B_BITMAP_IS_CONTIGUOUS : 0),
	      colorSpace, B_ANY_BYTES_PER_ROW);
}

BBitmap::BBitmap(const BBitmap* source, uint32 flags)
{
	if (source == nullptr || !source->IsValid()) {
		_Init(BRect(), 0, B_NO_COLOR_SPACE, B_ANY_BYTES_PER_ROW);
		return;
	}
	_Init(source->fBounds, flags, source->fColorSpace, source->fBytesPerRow);
	_CopyPixels(*source);
}

BBitmap::BBitmap(const BBitmap& source, uint32 flags) : BBitmap(&source, flags) {}

BBitmap::BBitmap(const BBitmap& source) : BBitmap(&source, source.fFlags) {}

BBitmap::~BBitmap()
{
	_Free();
}

void BBitmap::_Init(BRect bounds, uint32 flags, color_space colorSpace, int32 bytesPerRow)
{
	fBits = nullptr;
	fHost = nullptr;
	_ClearLayout();
	fBounds = bounds;
	fFlags = flags;

	size_t chunk, alignment, pixelsPerChunk;
	if (!is_finite(bounds) || !bounds.IsValid() ||
	    get_pixel_size_for(colorSpace, &chunk, &alignment, &pixelsPerChunk) != B_OK) {
		fInitStatus = B_BAD_VALUE;
		return;
	}
	if ((double)bounds.right - bounds.left >= kMaxSide ||
	    (double)bounds.bottom - bounds.top >= kMaxSide) {
		fInitStatus = B_NO_MEMORY;
		return;
	}
	int64 width = pixel_extent(bounds.left, bounds.right);
	int64 height = pixel_extent(bounds.top, bounds.bottom);
	int64 minRow = (width + (int64)pixelsPerChunk - 1) / (int64)pixelsPerChunk * (int64)chunk;
	minRow = (minRow + (int64)alignment - 1) / (int64)alignment * (int64)alignment;
	int64 row = bytesPerRow == B_ANY_BYTES_PER_ROW ? minRow : bytesPerRow;
	if (row < minRow) {
		fInitStatus = B_BAD_VALUE;
		return;
	}
	// BitsLength is an int32, so larger bitmaps cannot exist; refusing them here also keeps
	// a careless size from taking the process's memory.
	if (row * height > INT32_MAX) {
		fInitStatus = B_NO_MEMORY;
		return;
	}
	uint32 viewSupport = 0;
	bitmaps_support_space(colorSpace, &viewSupport);
	if ((flags & B_BITMAP_ACCEPTS_VIEWS) != 0 &&
	    (viewSupport & B_BITMAPS_SUPPORT_ATTACHED_VIEWS) == 0) {
		fInitStatus = B_NOT_SUPPORTED;
		return;
	}

	// Zeroed memory, so that a bitmap never shows what its memory held before.
	fBits = (uint8*)calloc((size_t)(row * height), 1);
	if (fBits == nullptr) {
		fInitStatus = B_NO_MEMORY;
		return;
	}
	fBitsLength = (int32)(row * height);
	fBytesPerRow = (int32)row;
	fWidth = (int32)width;
	fHeight = (int32)height;
	fColorSpace = colorSpace;
	if ((flags & B_BITMAP_CLEAR_TO_WHITE) != 0)
		BPrivate::fill_white(fBits, fBitsLength, colorSpace);

	fInitStatus = B_OK;
	if ((flags & B_BITMAP_ACCEPTS_VIEWS) != 0) {
		status_t status = B_OK;
		fHost = new (std::nothrow) BPrivate::BitmapHost(this, &status);
		if (fHost == nullptr || status != B_OK) {
			delete fHost;
			fHost = nullptr;
			_Free();
			fInitStatus = B_NO_MEMORY;
		}
	}
}

void BBitmap::_Free()
{
	// The views go first: their detach hooks may still look at the pixels.
	delete fHost;
	fHost = nullptr;
	free(fBits);
	fBits = nullptr;
	_ClearLayout();
}

void BBitmap::_ClearLayout()
{
	fBitsLength = 0;
	fBytesPerRow = 0;
	fWidth = 0;
	fHeight = 0;
	fColorSpace = B_NO_COLOR_SPACE;
}

void BBitmap::_CopyPixels(const BBitmap& source)
{
	if (!IsValid() || !source.IsValid())
		return;
	if (source.fColorSpace == fColorSpace && source.fBytesPerRow == fBytesPerRow &&
	    source.fBitsLength == fBitsLength) {
		// A drawing still pending here would land on the copied pixels later.
		_SettleViews();
		memcpy(fBits, source.Bits(), (size_t)fBitsLength);
		return;
	}
	ImportBits(&source);
}

BBitmap& BBitmap::operator=(const BBitmap& source)
{
	if (this == &source)
		return *this;
	// A bitmap of the same layout keeps its memory and its views; any other is rebuilt
	// (its views go with the old pixels).
	if (IsValid() && source.IsValid() && source.fColorSpace == fColorSpace &&
	    source.fBytesPerRow == fBytesPerRow && source.fBitsLength == fBitsLength &&
	    source.fBounds == fBounds) {
		_CopyPixels(source);
		return *this;
	}
	_Free();
	if (!source.IsValid()) {
		_Init(BRect(), 0, B_NO_COLOR_SPACE, B_ANY_BYTES_PER_ROW);
		return *this;
	}
	_Init(source.fBounds, source.fFlags, source.fColorSpace, source.fBytesPerRow);
	_CopyPixels(source);
	return *this;
}

graphics::PixelBuffer BBitmap::PainterBuffer() const
{
	if (!IsValid() || (fColorSpace != B_RGBA32 && fColorSpace != B_RGB32))
		return graphics::PixelBuffer();
	return graphics::PixelBuffer(fBits, fWidth, fHeight, fBytesPerRow);
}

void* BBitmap::Bits() const
{
	_SettleViews();
	return fBits;
}

void BBitmap::_SettleViews() const
{
	if (fHost != nullptr)
		fHost->Settle();
}

status_t BBitmap::LockBits(uint32* state)
{
	return IsValid() ? B_OK : B_NO_INIT;
}

void BBitmap::UnlockBits() {}

// #pragma mark - views

void BBitmap::AddChild(BView* view)
{
	if (fHost == nullptr || view == nullptr)
		return;
	BAutolock lock(fHost->HostLooper());
	fHost->TopView()->AddChild(view);
}

bool BBitmap::RemoveChild(BView* view)
{
	if (fHost == nullptr)
		return false;
	BAutolock lock(fHost->HostLooper());
	return fHost->TopView()->RemoveChild(view);
}

int32 BBitmap::CountChildren() const
{
	return fHost != nullptr ? fHost->TopView()->CountChildren() : 0;
}

BView* BBitmap::ChildAt(int32 index) const
{
	return fHost != nullptr ? fHost->TopView()->ChildAt(index) : nullptr;
}

BView* BBitmap::FindView(const char* viewName) const
{
	for (int32 i = 0; i < CountChildren(); i++) {
		if (BView* view = ChildAt(i)->FindView(viewName))
			return view;
	}
	return nullptr;
}

BView* BBitmap::FindView(BPoint point) const
{
	// The last child is drawn on top, so it is the one found.
	for (int32 i = CountChildren() - 1; i >= 0; i--) {
		BView* view = ChildAt(i);
		if (!view->IsHidden() && view->Frame().Contains(point))
			return view;
	}
	return nullptr;
}

bool BBitmap::Lock()
{
	return fHost != nullptr && fHost->HostLooper()->Lock();
}

void BBitmap::Unlock()
{
	if (fHost == nullptr)
		return;
	// Whoever looks at the pixels after the views are done finds them complete.
	fHost->Settle();
	fHost->HostLooper()->Unlock();
}

bool BBitmap::IsLocked() const
{
	return fHost != nullptr && fHost->HostLooper()->IsLocked();
}
