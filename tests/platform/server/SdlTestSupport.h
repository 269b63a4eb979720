// A real SdlBackend on SDL's dummy video driver, fed with events pushed into SDL's queue the
// way the X11 driver would queue them, and a sink that records what comes out. Waiting is on
// conditions with a generous deadline; a barrier (a close request pushed behind the events
// under test) tells when everything before it was translated.
#ifndef SDL_TEST_SUPPORT_H
#define SDL_TEST_SUPPORT_H

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <functional>
#include <future>
#include <mutex>
#include <vector>

#include <SDL.h>
#include <gtest/gtest.h>

#include <SdlBackend.h>

namespace sdltest {

using BPrivate::InputEvent;

const auto kDeadline = std::chrono::seconds(10);

class RecordingSink : public BPrivate::InputSink {
public:
	void HandleInput(const InputEvent& event) override
	{
		std::lock_guard<std::mutex> lock(fLock);
		fEvents.push_back(event);
		fChanged.notify_all();
	}

	// Waits until the recorded events satisfy `done`; false at the deadline.
	bool WaitFor(const std::function<bool(const std::vector<InputEvent>&)>& done)
	{
		std::unique_lock<std::mutex> lock(fLock);
		return fChanged.wait_for(lock, kDeadline, [&] { return done(fEvents); });
	}

	std::vector<InputEvent> Take()
	{
		std::lock_guard<std::mutex> lock(fLock);
		std::vector<InputEvent> events;
		events.swap(fEvents);
		return events;
	}

private:
	std::mutex fLock;
	std::condition_variable fChanged;
	std::vector<InputEvent> fEvents;
};

inline std::vector<InputEvent> of_type(const std::vector<InputEvent>& events, InputEvent::Type type)
{
	std::vector<InputEvent> found;
	for (const InputEvent& event : events) {
		if (event.type == type)
			found.push_back(event);
	}
	return found;
}

// One window at (100, 50), 200 x 100 pixels, on a started backend.
class SdlBackendTest : public testing::Test {
protected:
	static constexpr int32 kLeft = 100;
	static constexpr int32 kTop = 50;
	static constexpr int32 kWidth = 200;
	static constexpr int32 kHeight = 100;

	void SetUp() override
	{
		setenv("SDL_VIDEODRIVER", "dummy", 1);
		std::string error;
		ASSERT_EQ(backend.Start(&sink, &error), B_OK) << error;
		BPrivate::WindowSpec spec;
		spec.title = "test";
		spec.left = kLeft;
		spec.top = kTop;
		spec.width = kWidth;
		spec.height = kHeight;
		window = backend.CreateWindow(spec);
		ASSERT_TRUE(Sync());
		sdlWindow = backend.SdlWindowID(window);
		ASSERT_NE(sdlWindow, 0u);
		// Whatever SDL itself reported while creating the window is not under test.
		sink.Take();
	}

	void TearDown() override { backend.Stop(); }

	// Returns once every command queued before has run on the backend's thread.
	bool Sync(std::function<void()> work = {})
	{
		std::promise<void> done;
		std::future<void> ran = done.get_future();
		backend.RunOnBackendThread([&] {
			if (work)
				work();
			done.set_value();
		});
		return ran.wait_for(kDeadline) == std::future_status::ready;
	}

	// Adds the events to SDL's queue in one step, as the X11 driver does with a key press and
	// the text it typed.
	void Push(std::vector<SDL_Event> events)
	{
		ASSERT_EQ(SDL_PeepEvents(events.data(), (int)events.size(), SDL_ADDEVENT, 0, 0),
		          (int)events.size());
	}

	// Everything translated from the events pushed so far, up to a close request pushed
	// behind them (not included).
	std::vector<InputEvent> Translated()
	{
		Push({WindowEvent(SDL_WINDOWEVENT_CLOSE)});
		EXPECT_TRUE(sink.WaitFor([](const std::vector<InputEvent>& events) {
			return !of_type(events, InputEvent::CloseRequested).empty();
		}));
		std::vector<InputEvent> events = sink.Take();
		while (!events.empty() && events.back().type != InputEvent::CloseRequested)
			events.pop_back();
		if (!events.empty())
			events.pop_back();
		return events;
	}

	SDL_Event Key(bool down, SDL_Scancode scancode, SDL_Keycode key, Uint16 modifiers = 0,
	              bool repeat = false)
	{
		SDL_Event event = {};
		event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
		event.key.windowID = sdlWindow;
		event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
		event.key.repeat = repeat ? 1 : 0;
		event.key.keysym.scancode = scancode;
		event.key.keysym.sym = key;
		event.key.keysym.mod = modifiers;
		return event;
	}

	SDL_Event Text(const char* text)
	{
		SDL_Event event = {};
		event.type = SDL_TEXTINPUT;
		event.text.windowID = sdlWindow;
		SDL_strlcpy(event.text.text, text, sizeof(event.text.text));
		return event;
	}

	SDL_Event WindowEvent(Uint8 which, Sint32 data1 = 0, Sint32 data2 = 0)
	{
		SDL_Event event = {};
		event.type = SDL_WINDOWEVENT;
		event.window.windowID = sdlWindow;
		event.window.event = which;
		event.window.data1 = data1;
		event.window.data2 = data2;
		return event;
	}

	void StartText()
	{
		backend.StartTextInput(window,
		                       graphics::IntRect(kLeft + 10, kTop + 10, kLeft + 11, kTop + 25));
		ASSERT_TRUE(Sync());
	}

	RecordingSink sink;
	BPrivate::SdlBackend backend;
	BPrivate::backend_window_id window = -1;
	uint32 sdlWindow = 0;
};

} // namespace sdltest

#endif
