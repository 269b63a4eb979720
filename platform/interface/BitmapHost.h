// The view host of a bitmap that accepts views: a looper that never runs (its lock guards
// the views, and the views are its handlers) and the top view whose children are the views
// attached to the bitmap. The views draw straight into the bitmap's pixels.
#ifndef _BITMAP_HOST_H
#define _BITMAP_HOST_H

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

	// The bitmap's pixels were replaced (after an assignment).
	void PixelsChanged() { SurfaceChanged(); }

private:
	BBitmap* fBitmap;
	BLooper* fLooper;
};

} // namespace BPrivate

#endif
