// The view host of a window: the back buffer the window's views draw into, the region waiting
// to be redrawn, and the redraw pass that draws the views meeting that region in tree order
// (view colour, Draw, children, DrawAfterChildren) and hands the redrawn rectangles to the
// display backend. Drawing outside a pass (a control pressed in a mouse hook) goes straight
// into the back buffer and is shown after the current message.
//
// Every method runs with the window locked.
#ifndef _WINDOW_HOST_H
#define _WINDOW_HOST_H

#include <atomic>
#include <vector>

#include <ClipRegion.h>

#include "ViewHost.h"

class BView;
class BWindow;

namespace BPrivate {

class WindowHost : public ViewHost {
public:
	explicit WindowHost(BWindow* window);
	~WindowHost() override;

	graphics::PixelBuffer Surface() const override;
	BLooper* HostLooper() const override;
	BWindow* HostWindow() const override { return fWindow; }
	void InvalidateSurface(const BRect& surfaceRect) override;
	void SyncSurface() override;
	void ViewFrameChanged(BView* view, bool moved, bool resized) override;
	const graphics::ClipRegion* UpdateClip(uint64* pass) const override;
	void DrewOutsideUpdate(const graphics::IntRect& rect) override;
	void ViewDetached(BView* view) override;
	void ViewHidden(BView* view) override;

	// Creates the top view with the window's size; the window's views are its children.
	void Install(int32 width, int32 height);
	// Deletes every view; their detach hooks run first.
	void Uninstall();
	BView* Top() const { return TopView(); }

	// New size in pixels: the buffer keeps what overlaps, the top view follows (and with it
	// the views by their resizing modes), and everything is redrawn.
	void Resize(int32 width, int32 height);
	int32 Width() const { return fWidth; }
	int32 Height() const { return fHeight; }

	void InvalidateAll();
	bool NeedsUpdate() const;
	// Redraws the invalidated region and shows it together with anything drawn outside a
	// pass; a window whose updates are disabled, or that is hidden, only collects.
	void Update();
	// Shows what was drawn outside a pass.
	void PresentDirect();
	void DisableUpdates() { fDisabled++; }
	void EnableUpdates();
	// Cleared when the window thread runs an update; a window thread asleep in its loop is
	// woken once by an _UPD message however often it is invalidated from other threads.
	void UpdateRequestDone() { fUpdateRequested = false; }

private:
	void _RequestUpdate();
	void _Draw(BView* view);
	void _FillViewColor(BView* view, const graphics::ClipRegion& region);
	void _Present(const graphics::ClipRegion& region);

	BWindow* fWindow;
	std::vector<uint8> fBuffer;
	int32 fWidth = 0;
	int32 fHeight = 0;
	graphics::ClipRegion fDirty;
	graphics::ClipRegion fDrawnDirect;
	graphics::ClipRegion fUpdating;
	bool fInUpdate = false;
	uint64 fPass = 0;
	int32 fDisabled = 0;
	std::atomic<bool> fUpdateRequested{false};
};

} // namespace BPrivate

#endif
