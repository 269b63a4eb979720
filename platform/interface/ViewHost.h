// What a tree of views is attached to: a bitmap that accepts views now, a window later. The
// host lends the pixels the views draw into, the looper whose lock guards the tree (every
// view of the tree is a handler of it), and decides what invalidation means. Views draw only
// through this interface, so drawing into a bitmap and into a window's back buffer is one code
// path.
//
// Every host has a top view that is not visible to the application: its frame is the host's
// whole surface, its bounds the host's own coordinate system, and the application's views are
// its children (their Parent() is null, as on the platform).
#ifndef _VIEW_HOST_H
#define _VIEW_HOST_H

#include <Rect.h>

#include <PixelBuffer.h>

class BLooper;
class BView;
class BWindow;

namespace BPrivate {

class ViewHost {
public:
	virtual ~ViewHost() = default;

	// The pixels to draw into; an invalid buffer makes every drawing a no-op.
	virtual graphics::PixelBuffer Surface() const = 0;
	virtual BLooper* HostLooper() const = 0;
	virtual BWindow* HostWindow() const { return nullptr; }
	// A bitmap draws at once, so this is a no-op there; a window collects the region (in
	// surface pixels) and redraws the views that meet it.
	virtual void InvalidateSurface(const BRect& surfaceRect) {}
	// Waits until everything drawn so far is in the surface.
	virtual void SyncSurface() {}
	// A view of the tree was moved or resized. A window posts B_VIEW_MOVED and
	// B_VIEW_RESIZED to views that asked for frame events; a bitmap has no message loop, so
	// it does nothing.
	virtual void ViewFrameChanged(BView* view, bool moved, bool resized) {}

	BView* TopView() const { return fTopView; }

protected:
	// Makes `top` the host's top view: it and every view added below it now belong to the
	// host. The host's looper must be locked.
	void InstallTopView(BView* top, BPoint boundsOrigin);
	// Detaches the top view from the host (the attached views get their detach hooks) and
	// deletes it with every view below it. The host's looper must be locked.
	void DeleteTopView();
	// The surface's memory moved or changed its size: painters aimed at it are rebuilt.
	void SurfaceChanged();

private:
	BView* fTopView = nullptr;
};

} // namespace BPrivate

#endif
