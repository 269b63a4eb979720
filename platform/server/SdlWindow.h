// One window of the SDL backend: what the platform asked for (its kind and limits), the SDL
// window once the backend's thread has made it, and the last frame it presented. Any thread
// may store a frame and read the SDL id; everything else runs on the backend's thread, where
// SDL may be called.
#ifndef _SDL_WINDOW_H
#define _SDL_WINDOW_H

#include <atomic>
#include <string>

#include <DisplayBackend.h>

#include "SdlShadowBuffer.h"

struct SDL_Window;

namespace BPrivate {

class SdlWindow {
public:
	SdlWindow(backend_window_id id, const WindowSpec& spec);
	~SdlWindow();

	backend_window_id ID() const { return fID; }
	// SDL's id of the window; 0 until the backend's thread has created it.
	uint32 SdlID() const { return fSdlID.load(); }
	SdlShadowBuffer& Shadow() { return fShadow; }
	const SdlShadowBuffer& Shadow() const { return fShadow; }
	// Any thread, after storing a frame: true when the backend's thread must be asked to show
	// it, false when a request is already on its way.
	bool RequestShow() { return !fShowRequested.exchange(true); }

	// The backend's thread from here on.
	bool Create(SdlWindow* parent, std::string* error);
	void Destroy();
	SDL_Window* Handle() const { return fWindow; }
	bool AvoidsFocus() const { return fSpec.avoidFocus; }

	void SetTitle(const std::string& title);
	void Move(int32 left, int32 top);
	void Resize(int32 width, int32 height);
	void SetSizeLimits(int32 minWidth, int32 maxWidth, int32 minHeight, int32 maxHeight);
	void Show();
	void Hide();
	void Activate();
	void Raise();

	// Copies what the shadow buffer holds and the screen does not onto the window: the
	// rectangles stored since the last time, or all of it when the screen lost the pixels.
	void ShowFrame();
	// The display server lost the window's pixels (an expose) or SDL gave it a new, empty
	// surface (a resize): the next ShowFrame copies everything.
	void PixelsLost() { fPixelsLost = true; }

private:
	void _Copy(const graphics::PixelBuffer& pixels, const std::vector<graphics::IntRect>& rects);

	const backend_window_id fID;
	const WindowSpec fSpec;
	SDL_Window* fWindow = nullptr;
	std::atomic<uint32> fSdlID{0};
	std::atomic<bool> fShowRequested{false};
	bool fPixelsLost = true;
	SdlShadowBuffer fShadow;
};

} // namespace BPrivate

#endif
