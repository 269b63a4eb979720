// The last frame a window presented, kept by the SDL backend. A window thread copies its
// dirty rectangles in here and returns at once; the backend's thread later copies what
// changed onto the screen, and shows all of it again when the display server lost the
// window's pixels (an expose, a new surface after a resize). One lock guards the pixels and
// the list of rectangles not yet shown.
#ifndef _SDL_SHADOW_BUFFER_H
#define _SDL_SHADOW_BUFFER_H

#include <functional>
#include <mutex>
#include <vector>

#include <IntRect.h>
#include <PixelBuffer.h>

namespace BPrivate {

class SdlShadowBuffer {
public:
	typedef std::function<void(const graphics::PixelBuffer& pixels,
	                           const std::vector<graphics::IntRect>& rects)>
	    ShowFunction;

	// Copies the dirty rectangles of the frame, clipped to it. A frame of another size than
	// the last one (a resize in flight) replaces the whole buffer. False when nothing was
	// taken (an empty or unusable frame, or no rectangle inside it).
	bool Store(const graphics::PixelBuffer& frame, const std::vector<graphics::IntRect>& dirty);

	// Hands the rectangles stored since the last call (all of the buffer when `everything`)
	// with the pixels to `show`, under the lock, and forgets them. Nothing happens while
	// the buffer is empty.
	void Show(bool everything, const ShowFunction& show);

	// Whether a frame was ever stored.
	bool HasFrame() const;
	// A copy of the pixels, four bytes each, rows without padding.
	bool Snapshot(std::vector<uint8>* pixels, int32* width, int32* height) const;

private:
	void _AddDirty(const graphics::IntRect& rect);

	mutable std::mutex fLock;
	std::vector<uint8> fPixels;
	int32 fWidth = 0;
	int32 fHeight = 0;
	std::vector<graphics::IntRect> fDirty;
};

} // namespace BPrivate

#endif
