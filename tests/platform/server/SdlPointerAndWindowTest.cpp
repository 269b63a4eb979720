// The pointer, the wheel and what happens to windows, as the SDL backend reports them.
#include <View.h>

#include "SdlTestSupport.h"

namespace sdltest {
namespace {

class SdlPointerAndWindowTest : public SdlBackendTest {
protected:
	SDL_Event Button(bool down, Uint8 button, Sint32 x, Sint32 y)
	{
		SDL_Event event = {};
		event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
		event.button.windowID = sdlWindow;
		event.button.button = button;
		event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
		event.button.clicks = 1;
		event.button.x = x;
		event.button.y = y;
		return event;
	}

	SDL_Event Motion(Sint32 x, Sint32 y, Uint32 state)
	{
		SDL_Event event = {};
		event.type = SDL_MOUSEMOTION;
		event.motion.windowID = sdlWindow;
		event.motion.x = x;
		event.motion.y = y;
		event.motion.state = state;
		return event;
	}

	SDL_Event Wheel(float x, float y, Sint32 atX, Sint32 atY)
	{
		SDL_Event event = {};
		event.type = SDL_MOUSEWHEEL;
		event.wheel.windowID = sdlWindow;
		event.wheel.x = (Sint32)x;
		event.wheel.y = (Sint32)y;
		event.wheel.preciseX = x;
		event.wheel.preciseY = y;
		event.wheel.mouseX = atX;
		event.wheel.mouseY = atY;
		return event;
	}
};

TEST_F(SdlPointerAndWindowTest, ButtonsAreMasksAndPositionsAreScreenPixels)
{
	Push({Motion(10, 20, 0)});
	Push({Button(true, SDL_BUTTON_LEFT, 10, 20)});
	Push({Button(true, SDL_BUTTON_RIGHT, 11, 20)});
	Push({Motion(12, 22, SDL_BUTTON_LMASK | SDL_BUTTON_RMASK)});
	Push({Button(false, SDL_BUTTON_LEFT, 12, 22)});
	Push({Button(true, SDL_BUTTON_MIDDLE, 12, 22)});
	// Extra buttons mean nothing to the platform.
	Push({Button(true, SDL_BUTTON_X1, 12, 22)});
	std::vector<InputEvent> events = Translated();
	ASSERT_EQ(events.size(), 6u);
	EXPECT_EQ(events[0].type, InputEvent::MouseMoved);
	EXPECT_EQ(events[0].x, kLeft + 10);
	EXPECT_EQ(events[0].y, kTop + 20);
	EXPECT_EQ(events[0].buttons, 0u);
	EXPECT_EQ(events[1].type, InputEvent::MouseDown);
	EXPECT_EQ(events[1].buttons, (uint32)B_PRIMARY_MOUSE_BUTTON);
	EXPECT_EQ(events[2].buttons, (uint32)(B_PRIMARY_MOUSE_BUTTON | B_SECONDARY_MOUSE_BUTTON));
	EXPECT_EQ(events[2].x, kLeft + 11);
	EXPECT_EQ(events[3].type, InputEvent::MouseMoved);
	EXPECT_EQ(events[3].buttons, (uint32)(B_PRIMARY_MOUSE_BUTTON | B_SECONDARY_MOUSE_BUTTON));
	// A release reports the buttons still down.
	EXPECT_EQ(events[4].type, InputEvent::MouseUp);
	EXPECT_EQ(events[4].buttons, (uint32)B_SECONDARY_MOUSE_BUTTON);
	EXPECT_EQ(events[5].buttons, (uint32)(B_SECONDARY_MOUSE_BUTTON | B_TERTIARY_MOUSE_BUTTON));
	for (const InputEvent& event : events)
		EXPECT_EQ(event.window, window);

	float x = 0;
	float y = 0;
	uint32 buttons = 0;
	backend.GetPointer(&x, &y, &buttons);
	EXPECT_EQ(x, kLeft + 12);
	EXPECT_EQ(y, kTop + 22);
	EXPECT_EQ(buttons, (uint32)(B_SECONDARY_MOUSE_BUTTON | B_TERTIARY_MOUSE_BUTTON));
}

TEST_F(SdlPointerAndWindowTest, WheelStepsArePositiveDownwardsAndToTheRight)
{
	Push({Wheel(0, 1, 5, 6)});
	Push({Wheel(0, -2, 5, 6)});
	Push({Wheel(1.5f, 0, 7, 8)});
	std::vector<InputEvent> wheels = of_type(Translated(), InputEvent::Wheel);
	ASSERT_EQ(wheels.size(), 3u);
	EXPECT_EQ(wheels[0].deltaY, -1);
	EXPECT_EQ(wheels[0].x, kLeft + 5);
	EXPECT_EQ(wheels[0].y, kTop + 6);
	EXPECT_EQ(wheels[1].deltaY, 2);
	EXPECT_EQ(wheels[2].deltaX, 1.5f);
	EXPECT_EQ(wheels[2].deltaY, 0);
}

TEST_F(SdlPointerAndWindowTest, WindowEventsAreReportedWithTheNewFrame)
{
	Push({WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED)});
	Push({WindowEvent(SDL_WINDOWEVENT_MOVED, 300, 200)});
	// The pointer is placed by the window's new position.
	Push({Motion(1, 2, 0)});
	// SDL follows every resize with SIZE_CHANGED, including the program's own; only the
	// resize by the user is reported.
	Push({WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 400, 300)});
	Push({WindowEvent(SDL_WINDOWEVENT_RESIZED, 400, 300)});
	// The window never presented a frame, so the backend cannot answer an expose itself.
	Push({WindowEvent(SDL_WINDOWEVENT_EXPOSED)});
	Push({WindowEvent(SDL_WINDOWEVENT_LEAVE)});
	Push({WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST)});
	std::vector<InputEvent> events = Translated();
	ASSERT_EQ(events.size(), 7u);
	EXPECT_EQ(events[0].type, InputEvent::WindowActivated);
	EXPECT_EQ(events[1].type, InputEvent::WindowMoved);
	EXPECT_EQ(events[1].left, 300);
	EXPECT_EQ(events[1].top, 200);
	EXPECT_EQ(events[1].width, kWidth);
	EXPECT_EQ(events[1].height, kHeight);
	EXPECT_EQ(events[2].type, InputEvent::MouseMoved);
	EXPECT_EQ(events[2].x, 301);
	EXPECT_EQ(events[2].y, 202);
	EXPECT_EQ(events[3].type, InputEvent::WindowResized);
	EXPECT_EQ(events[3].left, 300);
	EXPECT_EQ(events[3].width, 400);
	EXPECT_EQ(events[3].height, 300);
	EXPECT_EQ(events[4].type, InputEvent::Exposed);
	EXPECT_EQ(events[5].type, InputEvent::MouseLeft);
	EXPECT_EQ(events[6].type, InputEvent::WindowDeactivated);
	for (const InputEvent& event : events)
		EXPECT_EQ(event.window, window);
}

TEST_F(SdlPointerAndWindowTest, FocusTakenAndGivenBackAtOnceIsNoChange)
{
	BPrivate::WindowSpec tip;
	tip.kind = BPrivate::WindowKind::ToolTip;
	tip.avoidFocus = true;
	BPrivate::backend_window_id tipWindow = backend.CreateWindow(tip);
	ASSERT_TRUE(Sync());
	SDL_Event tipGained = WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
	tipGained.window.windowID = backend.SdlWindowID(tipWindow);
	SDL_Event tipLost = WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
	tipLost.window.windowID = tipGained.window.windowID;
	// What SDL reports when it shows a tip without a window manager and the backend hands
	// the focus back.
	Push({WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST), tipGained, tipLost,
	      WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED)});
	EXPECT_TRUE(Translated().empty());
	// The server may focus the tip later, in another pass; the backend hands the focus back
	// then, and the window never stopped being the active one.
	Push({WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST), tipGained});
	EXPECT_TRUE(Translated().empty());
	Push({tipLost, WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED)});
	EXPECT_TRUE(Translated().empty());
	// A loss that stands is reported, before what follows it.
	Push({WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST), WindowEvent(SDL_WINDOWEVENT_EXPOSED)});
	std::vector<InputEvent> events = Translated();
	ASSERT_EQ(events.size(), 2u);
	EXPECT_EQ(events[0].type, InputEvent::WindowDeactivated);
	EXPECT_EQ(events[0].window, window);
	EXPECT_EQ(events[1].type, InputEvent::Exposed);
}

TEST_F(SdlPointerAndWindowTest, EventsOfADestroyedWindowAreDropped)
{
	uint32 gone = sdlWindow;
	backend.DestroyWindow(window);
	ASSERT_TRUE(Sync());
	BPrivate::WindowSpec spec;
	window = backend.CreateWindow(spec);
	ASSERT_TRUE(Sync());
	sdlWindow = backend.SdlWindowID(window);
	ASSERT_NE(sdlWindow, gone);
	SDL_Event click = Button(true, SDL_BUTTON_LEFT, 1, 1);
	click.button.windowID = gone;
	SDL_Event close = WindowEvent(SDL_WINDOWEVENT_CLOSE);
	close.window.windowID = gone;
	Push({click, close});
	EXPECT_TRUE(Translated().empty());
	// Calls for the destroyed window are ignored.
	backend.ShowWindow(window - 1);
	backend.MoveWindow(window - 1, 5, 5);
	EXPECT_EQ(backend.SdlWindowID(window - 1), 0u);
}

TEST_F(SdlPointerAndWindowTest, WindowKindsAndLimitsReachSdl)
{
	BPrivate::WindowSpec tip;
	tip.kind = BPrivate::WindowKind::ToolTip;
	tip.avoidFocus = true;
	BPrivate::backend_window_id tipWindow = backend.CreateWindow(tip);
	BPrivate::WindowSpec menu;
	menu.kind = BPrivate::WindowKind::PopUpMenu;
	BPrivate::backend_window_id menuWindow = backend.CreateWindow(menu);
	BPrivate::WindowSpec fixed;
	fixed.kind = BPrivate::WindowKind::Modal;
	fixed.resizable = false;
	fixed.parent = window;
	BPrivate::backend_window_id fixedWindow = backend.CreateWindow(fixed);
	// The minimum above the maximum: the maximum gives way.
	backend.SetSizeLimits(window, 150, 120, 80, 80);
	ASSERT_TRUE(Sync());

	auto flags = [this](BPrivate::backend_window_id id) {
		Uint32 value = 0;
		Sync([&] { value = SDL_GetWindowFlags(SDL_GetWindowFromID(backend.SdlWindowID(id))); });
		return value;
	};
	EXPECT_NE(flags(tipWindow) & SDL_WINDOW_TOOLTIP, 0u);
	EXPECT_NE(flags(tipWindow) & SDL_WINDOW_BORDERLESS, 0u);
	EXPECT_NE(flags(menuWindow) & SDL_WINDOW_POPUP_MENU, 0u);
	EXPECT_NE(flags(menuWindow) & SDL_WINDOW_ALWAYS_ON_TOP, 0u);
	EXPECT_EQ(flags(fixedWindow) & SDL_WINDOW_RESIZABLE, 0u);
	EXPECT_NE(flags(window) & SDL_WINDOW_RESIZABLE, 0u);
	EXPECT_EQ(flags(window) & SDL_WINDOW_ALLOW_HIGHDPI, 0u);

	int minWidth = 0, minHeight = 0, maxWidth = 0, maxHeight = 0, width = 0, height = 0;
	Sync([&] {
		SDL_Window* handle = SDL_GetWindowFromID(sdlWindow);
		SDL_GetWindowMinimumSize(handle, &minWidth, &minHeight);
		SDL_GetWindowMaximumSize(handle, &maxWidth, &maxHeight);
		SDL_GetWindowSize(handle, &width, &height);
	});
	EXPECT_EQ(minWidth, 150);
	EXPECT_EQ(maxWidth, 150);
	EXPECT_EQ(minHeight, 80);
	EXPECT_EQ(maxHeight, 80);
	EXPECT_EQ(width, 150);
	EXPECT_EQ(height, 80);
}

} // namespace
} // namespace sdltest
