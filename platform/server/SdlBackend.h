// The display backend for real screens, built on SDL2. SDL may only be called from the thread
// that started its video, so one backend thread owns every SDL call: it starts SDL, waits for
// events, translates them for the input sink, and carries out what other threads queue
// (creating, moving, showing windows, text input, clipboard writes, showing frames). Callers
// never wait for that thread: they queue a command and wake it with an SDL user event, which
// SDL lets any thread push. Frames are copied into the window's shadow buffer in the caller's
// thread; the clipboard and the screen size are read from copies the backend keeps current.
//
// The X11 driver is preferred (the program places its own windows and menus, which Wayland
// does not allow a client); Wayland is used only where no X server answers, and
// SDL_VIDEODRIVER in the environment overrides both. One screen pixel is one picture pixel.
#ifndef _SDL_BACKEND_H
#define _SDL_BACKEND_H

#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>

#include <DisplayBackend.h>

#include "SdlEventTranslator.h"
#include "SdlWindow.h"

namespace BPrivate {

class SdlBackend : public DisplayBackend {
public:
	SdlBackend();
	~SdlBackend() override;

	const char* Name() const override { return "sdl"; }
	// Waits until SDL has started (or failed to). A backend starts once; only one runs in a
	// process at a time, since SDL's video is global.
	status_t Start(InputSink* sink, std::string* error) override;
	// Waits for the backend's thread to end, so the input sink must not call it.
	void Stop() override;

	backend_window_id CreateWindow(const WindowSpec& spec) override;
	void DestroyWindow(backend_window_id window) override;
	void SetTitle(backend_window_id window, const std::string& title) override;
	void MoveWindow(backend_window_id window, int32 left, int32 top) override;
	void ResizeWindow(backend_window_id window, int32 width, int32 height) override;
	void SetSizeLimits(backend_window_id window, int32 minWidth, int32 maxWidth, int32 minHeight,
	                   int32 maxHeight) override;
	void ShowWindow(backend_window_id window) override;
	void HideWindow(backend_window_id window) override;
	void ActivateWindow(backend_window_id window) override;
	void RaiseWindow(backend_window_id window) override;

	void Present(backend_window_id window, const graphics::PixelBuffer& frame,
	             const std::vector<graphics::IntRect>& dirty) override;

	graphics::IntRect ScreenFrame() const override;
	void GetPointer(float* x, float* y, uint32* buttons) const override;
	uint32 Modifiers() const override;

	void StartTextInput(backend_window_id window, const graphics::IntRect& caret) override;
	void StopTextInput(backend_window_id window) override;

	std::string ClipboardText() const override;
	void SetClipboardText(const std::string& text) override;

	// For tests. SDL's id of a window (0 until the backend's thread created it), a copy of
	// the window's shadow buffer, and a function run on the backend's thread after every
	// command queued before it (a barrier, and the one place a test may call SDL).
	uint32 SdlWindowID(backend_window_id window) const;
	bool CopyShadowBuffer(backend_window_id window, std::vector<uint8>* pixels, int32* width,
	                      int32* height) const;
	void RunOnBackendThread(std::function<void()> work);

private:
	typedef std::function<void()> Command;
	typedef SdlEventTranslator::EventList EventList;

	std::shared_ptr<SdlWindow> _Find(backend_window_id window) const;
	void _Post(Command command);
	// Queues a command for a window that still exists.
	void _PostFor(backend_window_id window, std::function<void(SdlWindow&)> command);
	void _Wake(bool always);

	void _ThreadMain();
	bool _Init(std::string* error);
	void _Loop();
	void _Shutdown();
	void _RunCommands();
	void _Handle(union SDL_Event& event, EventList* out);
	void _Deliver(EventList* out);

	void _Create(const std::shared_ptr<SdlWindow>& window,
	             const std::shared_ptr<SdlWindow>& parent);
	void _Destroy(const std::shared_ptr<SdlWindow>& window);
	void _SyncFrame(SdlWindow& window);
	void _StartText(SdlWindow& window, const graphics::IntRect& caret);
	void _StopText(backend_window_id window);
	void _ReadClipboard();
	void _ReadScreen();

	InputSink* fSink = nullptr;
	std::thread fThread;
	bool fStarted = false;
	std::atomic<bool> fQuitting{false};

	enum class StartState { Starting, Running, Failed };
	std::mutex fStartLock;
	std::condition_variable fStartCondition;
	StartState fStartState = StartState::Starting;
	std::string fStartError;

	// Guards pushing the wake-up event against SDL going away underneath.
	std::mutex fWakeLock;
	bool fSdlRunning = false;
	uint32 fWakeEvent = 0;
	std::atomic<bool> fWakePending{false};

	std::mutex fCommandLock;
	std::vector<Command> fCommands;

	mutable std::mutex fWindowsLock;
	std::map<backend_window_id, std::shared_ptr<SdlWindow>> fWindows;
	backend_window_id fNextWindow = 1;

	// The backend's thread only.
	std::unordered_map<uint32, std::shared_ptr<SdlWindow>> fBySdlID;
	SdlEventTranslator fTranslator;
	bool fTextInputActive = false;
	backend_window_id fTextWindow = -1;
	// The last window with the focus that wants it, to hand it back to from menus and tips.
	uint32 fLastFocused = 0;
	graphics::IntRect fTextRect;
	std::atomic<bool> fUsesX11{false};

	mutable std::mutex fCacheLock;
	std::string fClipboard;
	graphics::IntRect fScreen;
};

// The factory DisplayBackend::Create calls when SDL is chosen.
std::unique_ptr<DisplayBackend> make_sdl_backend();

} // namespace BPrivate

#endif
