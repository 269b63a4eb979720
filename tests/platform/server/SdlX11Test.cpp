// The SDL backend on a real X server without a window manager (the Xvfb of
// scripts/with-display.sh): activating a window must really give it the keyboard, and a tool
// tip shown afterwards must not take it away. Skipped where there is no display.
#include <InterfaceDefs.h>

#include "SdlTestSupport.h"

// Xlib defines macros (None, Bool) that clash with GoogleTest's names; it comes last.
#include <SDL_syswm.h>
#include <X11/Xlib.h>

namespace sdltest {
namespace {

class SdlX11Test : public testing::Test {
protected:
	void SetUp() override
	{
		const char* display = getenv("DISPLAY");
		if (display == nullptr || display[0] == '\0')
			GTEST_SKIP() << "needs DISPLAY";
		unsetenv("SDL_VIDEODRIVER");
		fServer = XOpenDisplay(nullptr);
		ASSERT_NE(fServer, nullptr);
		std::string error;
		ASSERT_EQ(backend.Start(&sink, &error), B_OK) << error;
	}

	void TearDown() override
	{
		backend.Stop();
		if (fServer != nullptr)
			XCloseDisplay(fServer);
	}

	BPrivate::backend_window_id Create(BPrivate::WindowKind kind, bool avoidFocus)
	{
		BPrivate::WindowSpec spec;
		spec.kind = kind;
		spec.avoidFocus = avoidFocus;
		spec.left = 40;
		spec.top = 40;
		spec.width = 120;
		spec.height = 80;
		return backend.CreateWindow(spec);
	}

	// The X window of a backend window, once every request the backend made before has
	// reached the server.
	Window XWindow(BPrivate::backend_window_id window)
	{
		Window found = 0;
		std::promise<void> done;
		backend.RunOnBackendThread([&] {
			SDL_SysWMinfo info;
			SDL_VERSION(&info.version);
			SDL_Window* handle = SDL_GetWindowFromID(backend.SdlWindowID(window));
			if (handle != nullptr && SDL_GetWindowWMInfo(handle, &info)) {
				XSync(info.info.x11.display, False);
				found = info.info.x11.window;
			}
			done.set_value();
		});
		EXPECT_EQ(done.get_future().wait_for(kDeadline), std::future_status::ready);
		return found;
	}

	// Everything the server reported about the backend's requests so far, translated: SDL
	// reads the server's answers and events, and a close request queued behind them marks
	// their end.
	std::vector<InputEvent> Settle(BPrivate::backend_window_id window)
	{
		std::vector<InputEvent> before = sink.Take();
		backend.RunOnBackendThread([&] {
			SDL_SysWMinfo info;
			SDL_VERSION(&info.version);
			SDL_Window* handle = SDL_GetWindowFromID(backend.SdlWindowID(window));
			if (handle != nullptr && SDL_GetWindowWMInfo(handle, &info))
				XSync(info.info.x11.display, False);
			SDL_PumpEvents();
			SDL_Event close = {};
			close.type = SDL_WINDOWEVENT;
			close.window.event = SDL_WINDOWEVENT_CLOSE;
			close.window.windowID = backend.SdlWindowID(window);
			SDL_PushEvent(&close);
		});
		EXPECT_TRUE(sink.WaitFor([](const std::vector<InputEvent>& events) {
			return !of_type(events, InputEvent::CloseRequested).empty();
		}));
		std::vector<InputEvent> after = sink.Take();
		before.insert(before.end(), after.begin(), after.end());
		return before;
	}

	Window Focus()
	{
		Window focus = 0;
		int revert = 0;
		XGetInputFocus(fServer, &focus, &revert);
		return focus;
	}

	RecordingSink sink;
	BPrivate::SdlBackend backend;
	Display* fServer = nullptr;
};

TEST_F(SdlX11Test, AnActivatedWindowKeepsTheKeyboardWhenATipAppears)
{
	BPrivate::backend_window_id document = Create(BPrivate::WindowKind::Normal, false);
	backend.ShowWindow(document);
	backend.ActivateWindow(document);
	EXPECT_TRUE(sink.WaitFor([&](const std::vector<InputEvent>& events) {
		for (const InputEvent& event : events) {
			if (event.type == InputEvent::WindowActivated && event.window == document)
				return true;
		}
		return false;
	}));
	Window documentWindow = XWindow(document);
	ASSERT_NE(documentWindow, 0u);
	EXPECT_EQ(Focus(), documentWindow);
	Settle(document);

	BPrivate::backend_window_id tip = Create(BPrivate::WindowKind::ToolTip, true);
	backend.ShowWindow(tip);
	Window tipWindow = XWindow(tip);
	ASSERT_NE(tipWindow, 0u);
	EXPECT_EQ(Focus(), documentWindow);
	// No window manager will ever place or focus a tip.
	XWindowAttributes attributes;
	ASSERT_NE(XGetWindowAttributes(fServer, tipWindow, &attributes), 0);
	EXPECT_TRUE(attributes.override_redirect);
	EXPECT_EQ(attributes.map_state, IsViewable);

	// SDL focused the tip on showing it and the backend focused the document again; neither
	// change reaches the program.
	std::vector<InputEvent> events = Settle(document);
	for (const InputEvent& event : events) {
		if (event.type == InputEvent::WindowActivated ||
		    event.type == InputEvent::WindowDeactivated) {
			ADD_FAILURE() << "focus change " << event.type << " of window " << event.window;
		}
	}
}

// Real key presses through XTEST: the text SDL sends after each press is merged into it once,
// text that comes with Ctrl held is dropped, and keys that type nothing get their bytes.
TEST_F(SdlX11Test, TypedKeysArriveOnceWithTheirText)
{
	if (std::system("command -v xdotool >/dev/null 2>&1") != 0)
		GTEST_SKIP() << "needs xdotool";
	BPrivate::backend_window_id document = Create(BPrivate::WindowKind::Normal, false);
	backend.ShowWindow(document);
	backend.ActivateWindow(document);
	backend.StartTextInput(document, graphics::IntRect(50, 50, 51, 65));
	ASSERT_TRUE(sink.WaitFor([&](const std::vector<InputEvent>& events) {
		return !of_type(events, InputEvent::WindowActivated).empty();
	}));
	Settle(document);

	ASSERT_EQ(std::system("xdotool type --delay 0 'aB' && xdotool key ctrl+q BackSpace"), 0);
	std::vector<InputEvent> downs;
	ASSERT_TRUE(sink.WaitFor([&](const std::vector<InputEvent>& events) {
		downs.clear();
		for (const InputEvent& event : events) {
			if (event.type == InputEvent::KeyDown && !event.bytes.empty())
				downs.push_back(event);
		}
		return downs.size() >= 4 && downs.back().rawChar == B_BACKSPACE;
	}));
	std::vector<InputEvent> events = Settle(document);
	EXPECT_TRUE(of_type(events, InputEvent::TextCommitted).empty());
	ASSERT_EQ(downs.size(), 4u);
	EXPECT_EQ(downs[0].bytes, "a");
	EXPECT_EQ(downs[0].key, 0x3c);
	EXPECT_EQ(downs[1].bytes, "B");
	EXPECT_EQ(downs[1].rawChar, 'b');
	EXPECT_NE(downs[1].modifiers & B_SHIFT_KEY, 0u);
	EXPECT_EQ(downs[2].bytes, "q");
	EXPECT_NE(downs[2].modifiers & B_COMMAND_KEY, 0u);
	EXPECT_EQ(downs[3].bytes, std::string(1, (char)B_BACKSPACE));
}

// Where a pop-up menu is shown: the place it was moved to while hidden, after its first frame
// reached the screen (the window surface must not make SDL recreate the window at the
// place it was created), and the document keeps the keyboard even when the server focuses
// the menu later, as X does without a window manager.
TEST_F(SdlX11Test, APopUpMenuOpensWhereItWasMovedAndLeavesTheFocusAlone)
{
	BPrivate::backend_window_id document = Create(BPrivate::WindowKind::Normal, false);
	backend.ShowWindow(document);
	backend.ActivateWindow(document);
	ASSERT_TRUE(sink.WaitFor([&](const std::vector<InputEvent>& events) {
		return !of_type(events, InputEvent::WindowActivated).empty();
	}));
	Window documentWindow = XWindow(document);
	Settle(document);

	BPrivate::backend_window_id menu = Create(BPrivate::WindowKind::PopUpMenu, true);
	std::vector<uint32> pixels(60 * 30, 0xff808080);
	graphics::PixelBuffer frame((uint8*)pixels.data(), 60, 30, 60 * 4);
	backend.ResizeWindow(menu, 60, 30);
	backend.MoveWindow(menu, 70, 95);
	backend.Present(menu, frame, {frame.Bounds()});
	backend.ShowWindow(menu);
	Window menuWindow = XWindow(menu);
	ASSERT_NE(menuWindow, 0u);
	int x = -1;
	int y = -1;
	Window child = 0;
	XTranslateCoordinates(fServer, menuWindow, DefaultRootWindow(fServer), 0, 0, &x, &y, &child);
	EXPECT_EQ(x, 70);
	EXPECT_EQ(y, 95);

	XSetInputFocus(fServer, menuWindow, RevertToParent, CurrentTime);
	XSync(fServer, False);
	std::vector<InputEvent> events = Settle(document);
	Settle(document);
	EXPECT_EQ(Focus(), documentWindow);
	for (const InputEvent& event : events) {
		if (event.type == InputEvent::WindowDeactivated)
			ADD_FAILURE() << "window " << event.window << " lost the keyboard";
	}
}

// A request that names a window the server no longer knows, as SDL's wake-up of its event
// loop may, is reported to the program's error handler, which must not end the program.
TEST_F(SdlX11Test, ARequestAboutAVanishedWindowDoesNotEndTheProgram)
{
	BPrivate::backend_window_id document = Create(BPrivate::WindowKind::Normal, false);
	backend.ShowWindow(document);
	Window gone = XCreateSimpleWindow(fServer, DefaultRootWindow(fServer), 0, 0, 1, 1, 0, 0, 0);
	XDestroyWindow(fServer, gone);
	XSync(fServer, False);
	bool sent = false;
	backend.RunOnBackendThread([&] {
		SDL_SysWMinfo info;
		SDL_VERSION(&info.version);
		SDL_Window* handle = SDL_GetWindowFromID(backend.SdlWindowID(document));
		if (handle != nullptr && SDL_GetWindowWMInfo(handle, &info)) {
			XEvent event = {};
			event.xclient.type = ClientMessage;
			event.xclient.window = gone;
			event.xclient.format = 32;
			XSendEvent(info.info.x11.display, gone, False, NoEventMask, &event);
			XSync(info.info.x11.display, False);
			sent = true;
		}
	});
	Settle(document);
	EXPECT_TRUE(sent);
}

} // namespace
} // namespace sdltest
