// The backend's thread: it starts SDL, waits for its events, hands their translation to the
// input sink, and runs the commands other threads queued. This is the only thread that calls
// SDL (pushing the wake-up event aside, which SDL allows from anywhere).
#include "SdlBackend.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <SDL.h>

#include <X11ErrorHandler.h>
#include <X11Keyboard.h>

namespace BPrivate {

namespace {

// The longest the thread sleeps without being woken; a missed wake-up costs no more.
const int kIdleWaitMilliseconds = 500;
// Events handled before queued commands get their turn, so a flood of pointer motion cannot
// hold back a frame.
const int kEventsPerPass = 256;

bool is_set(const char* variable)
{
	const char* value = getenv(variable);
	return value != nullptr && value[0] != '\0';
}

// The X11 driver, also under a Wayland desktop (through Xwayland): the program places its own
// windows, menus and tool tips, which a Wayland client may not. Wayland only where no X server
// answers, and the user's SDL_VIDEODRIVER above both.
const char* choose_video_driver()
{
	if (is_set("SDL_VIDEODRIVER"))
		return nullptr;
	if (is_set("DISPLAY") && x11_server_answers())
		return "x11";
	if (is_set("WAYLAND_DISPLAY"))
		return "wayland";
	return "x11";
}

// Events that carry memory SDL allocated for the receiver.
void release_event(SDL_Event& event)
{
	if (event.type == SDL_TEXTEDITING_EXT) {
		SDL_free(event.editExt.text);
		event.editExt.text = nullptr;
	} else if (event.type == SDL_DROPFILE || event.type == SDL_DROPTEXT) {
		SDL_free(event.drop.file);
		event.drop.file = nullptr;
	}
}

} // namespace

#ifdef __SANITIZE_ADDRESS__
// SDL talks to D-Bus on X11 (input methods, the screen saver). libdbus keeps a few global
// allocations until dbus_shutdown(), which SDL never calls because other libraries of the
// process may still use D-Bus; the leak checker would report them at every exit.
extern "C" const char* __lsan_default_suppressions()
{
	return "leak:libdbus-1.so\n";
}
#endif

void SdlBackend::_ThreadMain()
{
	std::string error;
	bool started = _Init(&error);
	{
		std::lock_guard<std::mutex> lock(fStartLock);
		fStartState = started ? StartState::Running : StartState::Failed;
		fStartError = error;
	}
	fStartCondition.notify_all();
	if (!started)
		return;
	_Loop();
	_Shutdown();
}

bool SdlBackend::_Init(std::string* error)
{
	if (const char* driver = choose_video_driver())
		SDL_SetHint(SDL_HINT_VIDEODRIVER, driver);
	// One screen pixel per picture pixel.
	SDL_SetHint(SDL_HINT_VIDEO_HIGHDPI_DISABLED, "1");
	// Without it, a pre-edit longer than 32 bytes (eleven Japanese characters) is cut off.
	SDL_SetHint(SDL_HINT_IME_SUPPORT_EXTENDED_TEXT, "1");
	// SDL would otherwise turn Ctrl+C in the terminal into a quit event, keep the screen
	// saver away, and ask compositors to stand aside as for a game.
	SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
	SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
	SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
	SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
	// The pixels are made in memory; the display server's own shared-memory images show them.
	// A renderer behind each window surface would cost a GL context per window, and SDL makes
	// one by recreating the window, which puts it back where it was first created: a menu
	// moved into place before it is shown would open in the corner of the screen.
	SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");

	if (SDL_Init(SDL_INIT_VIDEO) != 0) {
		*error = std::string("The display cannot be opened (") + SDL_GetError() +
		         "). Start the program in a desktop session, or set GLOWPLATE_BACKEND=headless "
		         "to run it without a screen.";
		// Releases what SDL kept of the attempt, the hints among it.
		SDL_Quit();
		return false;
	}
	fWakeEvent = SDL_RegisterEvents(1);
	if (fWakeEvent == (uint32)-1) {
		*error = "SDL has no event type left for the display backend.";
		SDL_Quit();
		return false;
	}
	// SDL starts with text input on; it is on only while a text view has the focus.
	SDL_StopTextInput();
	SDL_EventState(SDL_DROPFILE, SDL_DISABLE);
	SDL_EventState(SDL_DROPTEXT, SDL_DISABLE);

	const char* driver = SDL_GetCurrentVideoDriver();
	fUsesX11.store(driver != nullptr && strcmp(driver, "x11") == 0);
	if (fUsesX11.load())
		install_x11_error_handler();
	_ReadScreen();
	_ReadClipboard();
	int x = 0;
	int y = 0;
	SDL_GetGlobalMouseState(&x, &y);
	fTranslator.SetPointer(x, y, 0);

	std::lock_guard<std::mutex> lock(fWakeLock);
	fSdlRunning = true;
	return true;
}

void SdlBackend::_Loop()
{
	EventList out;
	while (true) {
		_RunCommands();
		if (fQuitting.load())
			break;
		SDL_Event event;
		if (SDL_WaitEventTimeout(&event, kIdleWaitMilliseconds) == 1) {
			int handled = 0;
			do {
				_Handle(event, &out);
				_Deliver(&out);
				// A key press waiting for its text keeps the pass going: the text is queued
				// right behind it.
			} while ((++handled < kEventsPerPass || fTranslator.WaitsForText()) &&
			         SDL_PollEvent(&event) == 1);
		}
		fTranslator.Flush(&out);
		_Deliver(&out);
		_ReadScreen();
	}
}

void SdlBackend::_Shutdown()
{
	{
		std::lock_guard<std::mutex> lock(fWakeLock);
		fSdlRunning = false;
	}
	for (auto& entry : fBySdlID)
		entry.second->Destroy();
	fBySdlID.clear();
	if (fTextInputActive)
		SDL_StopTextInput();
	SDL_Event event;
	while (SDL_PollEvent(&event) == 1)
		release_event(event);
	SDL_Quit();
}

void SdlBackend::_RunCommands()
{
	fWakePending.store(false);
	std::vector<Command> commands;
	{
		std::lock_guard<std::mutex> lock(fCommandLock);
		commands.swap(fCommands);
	}
	for (Command& command : commands)
		command();
}

void SdlBackend::_Handle(SDL_Event& event, EventList* out)
{
	if (event.type == SDL_WINDOWEVENT) {
		auto found = fBySdlID.find(event.window.windowID);
		SdlWindow* window = found != fBySdlID.end() ? found->second.get() : nullptr;
		switch (event.window.event) {
		case SDL_WINDOWEVENT_EXPOSED:
		case SDL_WINDOWEVENT_SIZE_CHANGED:
			// The display server lost the pixels, or SDL made a new, empty surface.
			if (window == nullptr)
				break;
			window->PixelsLost();
			window->ShowFrame();
			// An expose the last frame answered needs no redraw by the window.
			if (event.window.event == SDL_WINDOWEVENT_EXPOSED && window->Shadow().HasFrame()) {
				return;
			}
			break;
		case SDL_WINDOWEVENT_FOCUS_GAINED:
			// Another program may have changed the clipboard while this one was away,
			// and not every driver reports that.
			_ReadClipboard();
			if (window != nullptr && !window->AvoidsFocus()) {
				fLastFocused = event.window.windowID;
			} else if (window != nullptr) {
				// Without a window manager X may focus a menu some time after it was
				// shown, past the hand-back in Show.
				auto last = fBySdlID.find(fLastFocused);
				if (last != fBySdlID.end() && last->second->Handle() != nullptr &&
				    (SDL_GetWindowFlags(last->second->Handle()) & SDL_WINDOW_SHOWN) != 0)
					SDL_SetWindowInputFocus(last->second->Handle());
			}
			break;
		default:
			break;
		}
	} else if (event.type == SDL_CLIPBOARDUPDATE) {
		_ReadClipboard();
	}
	fTranslator.Translate(event, out);
	release_event(event);
}

void SdlBackend::_Deliver(EventList* out)
{
	if (fSink != nullptr) {
		for (const InputEvent& event : *out)
			fSink->HandleInput(event);
	}
	out->clear();
}

void SdlBackend::_Create(const std::shared_ptr<SdlWindow>& window,
                         const std::shared_ptr<SdlWindow>& parent)
{
	std::string error;
	if (!window->Create(parent.get(), &error)) {
		fprintf(stderr, "glowplate: %s\n", error.c_str());
		return;
	}
	fBySdlID[window->SdlID()] = window;
	fTranslator.AddWindow(window->SdlID(), window->ID(), graphics::IntRect(),
	                      window->AvoidsFocus());
	_SyncFrame(*window);
}

void SdlBackend::_Destroy(const std::shared_ptr<SdlWindow>& window)
{
	if (fTextWindow == window->ID())
		_StopText(window->ID());
	fBySdlID.erase(window->SdlID());
	fTranslator.RemoveWindow(window->SdlID());
	window->Destroy();
}

void SdlBackend::_SyncFrame(SdlWindow& window)
{
	if (window.Handle() == nullptr)
		return;
	int left = 0;
	int top = 0;
	int width = 0;
	int height = 0;
	SDL_GetWindowPosition(window.Handle(), &left, &top);
	SDL_GetWindowSize(window.Handle(), &width, &height);
	fTranslator.SetWindowFrame(window.SdlID(),
	                           graphics::IntRect(left, top, left + width - 1, top + height - 1));
}

void SdlBackend::_StartText(SdlWindow& window, const graphics::IntRect& caret)
{
	graphics::IntRect frame;
	if (window.Handle() == nullptr || !fTranslator.GetWindowFrame(window.SdlID(), &frame))
		return;
	// SDL places the candidate box relative to the window. Telling it again when nothing
	// moved would make some input methods reset their state, so only changes are passed on.
	graphics::IntRect rect = caret.OffsetByCopy(-frame.left, -frame.top);
	if (caret.IsValid() && (rect != fTextRect || window.ID() != fTextWindow)) {
		SDL_Rect area = {rect.left, rect.top, rect.PixelWidth(), rect.PixelHeight()};
		SDL_SetTextInputRect(&area);
		fTextRect = rect;
	}
	fTextWindow = window.ID();
	if (!fTextInputActive) {
		SDL_StartTextInput();
		fTextInputActive = true;
		fTranslator.SetTextInputActive(true);
	}
}

void SdlBackend::_StopText(backend_window_id window)
{
	// A late stop from a window that lost the focus must not end another window's input.
	if (!fTextInputActive || window != fTextWindow)
		return;
	SDL_StopTextInput();
	fTextInputActive = false;
	fTextWindow = -1;
	fTranslator.SetTextInputActive(false);
}

void SdlBackend::_ReadClipboard()
{
	// Reading another program's X11 selection can take up to a second; it happens here, on
	// the backend's thread, never in a caller's.
	char* text = SDL_GetClipboardText();
	std::lock_guard<std::mutex> lock(fCacheLock);
	fClipboard = text != nullptr ? text : "";
	SDL_free(text);
}

void SdlBackend::_ReadScreen()
{
	// SDL keeps the display's bounds itself, so asking costs no round trip to the server.
	SDL_Rect bounds;
	if (SDL_GetDisplayBounds(0, &bounds) != 0 || bounds.w <= 0 || bounds.h <= 0)
		return;
	std::lock_guard<std::mutex> lock(fCacheLock);
	fScreen = graphics::IntRect(0, 0, bounds.w - 1, bounds.h - 1);
}

} // namespace BPrivate
