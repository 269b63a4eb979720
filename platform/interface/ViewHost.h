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

#include <ClipRegion.h>
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
	// A view of the tree leaves the host (its tree was removed), or was hidden: a window
	// forgets it as the focus, the default button or the view under the pointer.
	virtual void ViewDetached(BView* view) {}
	virtual void ViewHidden(BView* view) {}
	// While a window redraws, the region being redrawn (surface pixels) and a number that
	// changes with every redraw pass; null outside a redraw and for bitmaps.
	virtual const graphics::ClipRegion* UpdateClip(uint64* pass) const { return nullptr; }
	// A view drew outside a redraw pass (in a mouse hook, say): a window shows that area with
	// its next frame. The rectangle is in surface pixels.
	virtual void DrewOutsideUpdate(const graphics::IntRect& rect) {}

	BView* TopView() const { return fTopView; }

	// Cached painters of the host's views are valid while this is what it was when they were
	// made. It changes whenever the geometry of the host's tree changes (a view moved,
	// resized, scrolled, hidden, shown, added or removed) or the pixels moved; it belongs to
	// one host, so a change in one window never invalidates another window's painters.
	uint64 GeometryEpoch() const { return fGeometryEpoch; }
	void GeometryChanged() { fGeometryEpoch++; }

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
	// Starts above the 0 that a view's painter cache holds before it is first made.
	uint64 fGeometryEpoch = 1;
};

} // namespace BPrivate

#endif
