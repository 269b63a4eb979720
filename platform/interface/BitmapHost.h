// The view host of a bitmap that accepts views: a looper that never runs (its lock guards
// the views, and the views are its handlers) and the top view whose children are the views
// attached to the bitmap. The views draw straight into the bitmap's pixels.
//
// A B_CMAP8 bitmap holds palette indices, which the painter cannot draw into. Its views draw
// into a 32-bit copy of it instead, and the drawn pixels become the nearest palette indices
// (SystemPalette.h). Each drawing first settles the one before it and then refreshes the copy
// from the bitmap's bytes where the view may draw, so every drawing starts from what the bytes
// hold (also bytes a program wrote itself), as it would on an eight-bit screen. The last
// drawing is settled by Sync, by unlocking the bitmap and whenever its bytes are asked for.
#ifndef _BITMAP_HOST_H
#define _BITMAP_HOST_H

#include <memory>

#include "ViewHost.h"

class BBitmap;

namespace BPrivate {

class BitmapHost : public ViewHost {
public:
	// B_NO_MEMORY in *status when the looper could not be made.
	BitmapHost(BBitmap* bitmap, status_t* status);
	// Deletes the attached views and the looper.
	~BitmapHost() override;

	graphics::PixelBuffer Surface() const override;
	BLooper* HostLooper() const override { return fLooper; }
	void SyncSurface() override { Settle(); }
	// Called before every drawing outside a window's redraw, with the area it may touch.
	void DrewOutsideUpdate(const graphics::IntRect& rect) override;

	// Brings the bytes of a B_CMAP8 bitmap up to date with what its views drew; nothing for
	// the other spaces, whose views draw into the bytes themselves.
	void Settle();

	// The bitmap's pixels were replaced (after an assignment).
	void PixelsChanged() { SurfaceChanged(); }

private:
	BBitmap* fBitmap;
	BLooper* fLooper;
	// For B_CMAP8 only: the 32-bit copy the views draw into, and the part of it drawn since
	// the bytes were last brought up to date.
	std::unique_ptr<uint8[]> fShadow;
	graphics::IntRect fPending;
};

} // namespace BPrivate

#endif
