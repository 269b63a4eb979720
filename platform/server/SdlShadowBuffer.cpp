#include "SdlShadowBuffer.h"

#include <cstring>

namespace BPrivate {

namespace {

// X11 cannot make a window larger than this; a bigger frame is a caller's mistake and is not
// worth gigabytes of memory.
const int32 kLargestSide = 32767;

// A window redrawn in many small pieces between two passes of the backend's thread would make
// the list grow without end; past this many rectangles they are merged into their bounds.
const size_t kMostRectangles = 64;

graphics::IntRect bounds_of(const graphics::IntRect& a, const graphics::IntRect& b)
{
	return graphics::IntRect(std::min(a.left, b.left), std::min(a.top, b.top),
	                         std::max(a.right, b.right), std::max(a.bottom, b.bottom));
}

} // namespace

bool SdlShadowBuffer::Store(const graphics::PixelBuffer& frame,
                            const std::vector<graphics::IntRect>& dirty)
{
	if (!frame.IsValid() || frame.width > kLargestSide || frame.height > kLargestSide)
		return false;
	std::lock_guard<std::mutex> lock(fLock);
	std::vector<graphics::IntRect> rects;
	if (frame.width != fWidth || frame.height != fHeight) {
		// What the old buffer held belongs to another size; the frame is the whole content.
		fWidth = frame.width;
		fHeight = frame.height;
		fPixels.assign((size_t)fWidth * (size_t)fHeight * 4, 0);
		fDirty.clear();
		rects.push_back(frame.Bounds());
	} else {
		for (const graphics::IntRect& rect : dirty) {
			graphics::IntRect clipped = rect & frame.Bounds();
			if (clipped.IsValid())
				rects.push_back(clipped);
		}
	}
	if (rects.empty())
		return false;

	size_t rowBytes = (size_t)fWidth * 4;
	for (const graphics::IntRect& rect : rects) {
		size_t bytes = (size_t)rect.PixelWidth() * 4;
		for (int32 y = rect.top; y <= rect.bottom; y++) {
			memcpy(fPixels.data() + (size_t)y * rowBytes + (size_t)rect.left * 4,
			       frame.PixelAt(rect.left, y), bytes);
		}
		_AddDirty(rect);
	}
	return true;
}

void SdlShadowBuffer::Show(bool everything, const ShowFunction& show)
{
	std::lock_guard<std::mutex> lock(fLock);
	if (fPixels.empty())
		return;
	graphics::PixelBuffer pixels(fPixels.data(), fWidth, fHeight, fWidth * 4);
	if (everything) {
		fDirty.assign(1, pixels.Bounds());
	}
	if (!fDirty.empty())
		show(pixels, fDirty);
	fDirty.clear();
}

bool SdlShadowBuffer::HasFrame() const
{
	std::lock_guard<std::mutex> lock(fLock);
	return !fPixels.empty();
}

bool SdlShadowBuffer::Snapshot(std::vector<uint8>* pixels, int32* width, int32* height) const
{
	std::lock_guard<std::mutex> lock(fLock);
	if (fPixels.empty())
		return false;
	*pixels = fPixels;
	*width = fWidth;
	*height = fHeight;
	return true;
}

void SdlShadowBuffer::_AddDirty(const graphics::IntRect& rect)
{
	if (fDirty.size() < kMostRectangles) {
		fDirty.push_back(rect);
		return;
	}
	graphics::IntRect all = rect;
	for (const graphics::IntRect& each : fDirty)
		all = bounds_of(all, each);
	fDirty.assign(1, all);
}

} // namespace BPrivate
