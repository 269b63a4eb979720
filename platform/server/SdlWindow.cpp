#include "SdlWindow.h"

#include <algorithm>
#include <cstring>

#include <SDL.h>
#include <SDL_syswm.h>

namespace BPrivate {

namespace {

// X11 sizes are 16-bit; larger limits mean "no limit".
const int32 kLargestSide = 32767;

#if SDL_BYTEORDER == SDL_BIG_ENDIAN
const Uint32 kOpaqueSameOrder = SDL_PIXELFORMAT_BGRX8888;
#else
const Uint32 kOpaqueSameOrder = SDL_PIXELFORMAT_XRGB8888;
#endif

// What each kind of window asks of the display server. Tool tips and pop-up menus are
// override-redirect on X11: no window manager decorates, places or focuses them.
Uint32 window_flags(const WindowSpec& spec)
{
	Uint32 flags = SDL_WINDOW_HIDDEN;
	Uint32 resizable = spec.resizable ? SDL_WINDOW_RESIZABLE : 0;
	switch (spec.kind) {
	case WindowKind::Normal:
	case WindowKind::Modal:
		flags |= resizable;
		break;
	case WindowKind::Floating:
		flags |=
		    resizable | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_UTILITY | SDL_WINDOW_SKIP_TASKBAR;
		break;
	case WindowKind::PopUpMenu:
		flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_POPUP_MENU | SDL_WINDOW_ALWAYS_ON_TOP |
		         SDL_WINDOW_SKIP_TASKBAR;
		break;
	case WindowKind::ToolTip:
		flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_TOOLTIP | SDL_WINDOW_ALWAYS_ON_TOP |
		         SDL_WINDOW_SKIP_TASKBAR;
		break;
	case WindowKind::Bordered:
		flags |= SDL_WINDOW_BORDERLESS | resizable;
		// A borderless strip that must not take the focus (a suggestion list) is kept
		// away from the window manager, which would otherwise focus it when it appears.
		if (spec.avoidFocus) {
			flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_SKIP_TASKBAR;
		}
		break;
	}
	return flags;
}

// Waits until the X server has carried out every request made so far, so that the events
// they cause are read in one go. Other drivers have nothing to wait for.
void sync_with_server(SDL_Window* window)
{
	SDL_SysWMinfo info;
	SDL_VERSION(&info.version);
	if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11)
		XSync(info.info.x11.display, False);
}

int32 clamp_side(int32 value, int32 low)
{
	return std::clamp(value, low, kLargestSide);
}

} // namespace

SdlWindow::SdlWindow(backend_window_id id, const WindowSpec& spec) : fID(id), fSpec(spec) {}

SdlWindow::~SdlWindow()
{
	Destroy();
}

bool SdlWindow::Create(SdlWindow* parent, std::string* error)
{
	if (fWindow != nullptr)
		return true;
	fWindow =
	    SDL_CreateWindow(fSpec.title.c_str(), fSpec.left, fSpec.top, clamp_side(fSpec.width, 1),
	                     clamp_side(fSpec.height, 1), window_flags(fSpec));
	if (fWindow == nullptr) {
		*error = std::string("SDL cannot create a window: ") + SDL_GetError();
		return false;
	}
	if (fSpec.kind == WindowKind::Modal && parent != nullptr && parent->Handle() != nullptr) {
		// Drivers other than X11 do not support it; the window is still modal for the
		// platform, which blocks the other windows' input itself.
		SDL_SetWindowModalFor(fWindow, parent->Handle());
	}
	fSdlID.store(SDL_GetWindowID(fWindow));
	return true;
}

void SdlWindow::Destroy()
{
	if (fWindow == nullptr)
		return;
	SDL_DestroyWindow(fWindow);
	fWindow = nullptr;
	fSdlID.store(0);
}

void SdlWindow::SetTitle(const std::string& title)
{
	if (fWindow != nullptr)
		SDL_SetWindowTitle(fWindow, title.c_str());
}

void SdlWindow::Move(int32 left, int32 top)
{
	if (fWindow != nullptr)
		SDL_SetWindowPosition(fWindow, left, top);
}

void SdlWindow::Resize(int32 width, int32 height)
{
	if (fWindow == nullptr)
		return;
	SDL_SetWindowSize(fWindow, clamp_side(width, 1), clamp_side(height, 1));
	PixelsLost();
}

void SdlWindow::SetSizeLimits(int32 minWidth, int32 maxWidth, int32 minHeight, int32 maxHeight)
{
	if (fWindow == nullptr)
		return;
	int32 lowWidth = clamp_side(minWidth, 1);
	int32 lowHeight = clamp_side(minHeight, 1);
	// SDL refuses a minimum above the current maximum and the other way round, so the
	// maximum is lifted out of the way first.
	SDL_SetWindowMaximumSize(fWindow, kLargestSide, kLargestSide);
	SDL_SetWindowMinimumSize(fWindow, lowWidth, lowHeight);
	SDL_SetWindowMaximumSize(fWindow, clamp_side(maxWidth, lowWidth),
	                         clamp_side(maxHeight, lowHeight));
}

void SdlWindow::Show()
{
	if (fWindow == nullptr)
		return;
	SDL_Window* focused = SDL_GetKeyboardFocus();
	SDL_ShowWindow(fWindow);
	// Without a window manager SDL gives every window it shows the input focus; a window that
	// must not have it hands it back at once. Both changes then reach SDL together, and the
	// translator sees the focus lost and regained in one pass and reports neither.
	if (fSpec.avoidFocus && focused != nullptr && focused != fWindow &&
	    (SDL_GetWindowFlags(focused) & SDL_WINDOW_SHOWN) != 0) {
		SDL_SetWindowInputFocus(focused);
		sync_with_server(fWindow);
	}
	PixelsLost();
	ShowFrame();
}

void SdlWindow::Hide()
{
	if (fWindow != nullptr)
		SDL_HideWindow(fWindow);
}

void SdlWindow::Activate()
{
	if (fWindow == nullptr)
		return;
	SDL_RaiseWindow(fWindow);
	// Raising asks a window manager for the focus; without one (Xvfb, kiosks) only setting
	// the input focus gives the window the keyboard.
	if (!fSpec.avoidFocus)
		SDL_SetWindowInputFocus(fWindow);
}

void SdlWindow::Raise()
{
	if (fWindow != nullptr)
		SDL_RaiseWindow(fWindow);
}

void SdlWindow::ShowFrame()
{
	fShowRequested.store(false);
	if (fWindow == nullptr)
		return;
	bool everything = fPixelsLost;
	fPixelsLost = false;
	fShadow.Show(everything,
	             [this](const graphics::PixelBuffer& pixels,
	                    const std::vector<graphics::IntRect>& rects) { _Copy(pixels, rects); });
}

void SdlWindow::_Copy(const graphics::PixelBuffer& pixels,
                      const std::vector<graphics::IntRect>& rects)
{
	// The surface is replaced after every resize, so it is fetched anew each time.
	SDL_Surface* surface = SDL_GetWindowSurface(fWindow);
	if (surface == nullptr)
		return;
	graphics::IntRect bounds =
	    pixels.Bounds() & graphics::IntRect(0, 0, surface->w - 1, surface->h - 1);
	if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0)
		return;
	Uint32 format = surface->format->format;
	bool sameOrder = format == SDL_PIXELFORMAT_BGRA32 || format == kOpaqueSameOrder;
	std::vector<SDL_Rect> updates;
	for (const graphics::IntRect& rect : rects) {
		graphics::IntRect part = rect & bounds;
		if (!part.IsValid())
			continue;
		uint8* target = (uint8*)surface->pixels + (size_t)part.top * surface->pitch +
		                (size_t)part.left * surface->format->BytesPerPixel;
		if (sameOrder) {
			size_t bytes = (size_t)part.PixelWidth() * 4;
			for (int32 y = part.top; y <= part.bottom; y++) {
				memcpy(target, pixels.PixelAt(part.left, y), bytes);
				target += surface->pitch;
			}
		} else {
			SDL_ConvertPixels(part.PixelWidth(), part.PixelHeight(), SDL_PIXELFORMAT_BGRA32,
			                  pixels.PixelAt(part.left, part.top), pixels.bytesPerRow, format,
			                  target, surface->pitch);
		}
		updates.push_back(SDL_Rect{part.left, part.top, part.PixelWidth(), part.PixelHeight()});
	}
	if (SDL_MUSTLOCK(surface))
		SDL_UnlockSurface(surface);
	if (!updates.empty())
		SDL_UpdateWindowSurfaceRects(fWindow, updates.data(), (int)updates.size());
}

} // namespace BPrivate
