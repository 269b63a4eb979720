// Frames, the clipboard, the screen and starting up, through the SDL backend.
#include "SdlTestSupport.h"

namespace sdltest {
namespace {

struct Frame {
	Frame(int32 width, int32 height, uint32 bgra)
	    : pixels((size_t)width * height, bgra),
	      buffer((uint8*)pixels.data(), width, height, width * 4)
	{
	}
	void Fill(const graphics::IntRect& rect, uint32 bgra)
	{
		for (int32 y = rect.top; y <= rect.bottom; y++) {
			for (int32 x = rect.left; x <= rect.right; x++)
				pixels[(size_t)y * buffer.width + x] = bgra;
		}
	}
	std::vector<uint32> pixels;
	graphics::PixelBuffer buffer;
};

// Four bytes in memory: blue, green, red, alpha.
const uint32 kRed = 0xffff0000;
const uint32 kBlue = 0xff0000ff;
const uint32 kGreen = 0xff00ff00;

class SdlPresentTest : public SdlBackendTest {
protected:
	uint32 ShadowPixel(int32 x, int32 y)
	{
		std::vector<uint8> pixels;
		int32 width = 0;
		int32 height = 0;
		EXPECT_TRUE(backend.CopyShadowBuffer(window, &pixels, &width, &height));
		uint32 value = 0;
		if (x < width && y < height)
			memcpy(&value, pixels.data() + ((size_t)y * width + x) * 4, 4);
		return value;
	}

	// What the window's surface shows, read on the backend's thread once every frame
	// presented before has been passed on. The alpha byte is not part of what a screen shows.
	uint32 ScreenPixel(int32 x, int32 y, int* width = nullptr, int* height = nullptr)
	{
		uint32 value = 0;
		EXPECT_TRUE(Sync([&] {
			SDL_Surface* surface = SDL_GetWindowSurface(SDL_GetWindowFromID(sdlWindow));
			ASSERT_NE(surface, nullptr);
			ASSERT_EQ(surface->format->BytesPerPixel, 4);
			if (width != nullptr)
				*width = surface->w;
			if (height != nullptr)
				*height = surface->h;
			if (x < surface->w && y < surface->h)
				memcpy(&value, (uint8*)surface->pixels + y * surface->pitch + x * 4, 4);
		}));
		return value & 0x00ffffff;
	}
};

TEST_F(SdlPresentTest, OnlyTheDirtyRectanglesAreCopied)
{
	Frame frame(kWidth, kHeight, kRed);
	backend.Present(window, frame.buffer, {frame.buffer.Bounds()});
	frame.Fill(graphics::IntRect(10, 10, 19, 19), kBlue);
	frame.Fill(graphics::IntRect(50, 50, 59, 59), kGreen);
	// Rectangles reaching outside the frame are clipped to it.
	backend.Present(window, frame.buffer,
	                {graphics::IntRect(10, 10, 19, 19), graphics::IntRect(190, 90, 900, 900)});
	EXPECT_EQ(ShadowPixel(10, 10), kBlue);
	EXPECT_EQ(ShadowPixel(19, 19), kBlue);
	EXPECT_EQ(ShadowPixel(20, 20), kRed);
	EXPECT_EQ(ShadowPixel(55, 55), kRed);
	EXPECT_EQ(ScreenPixel(15, 15), kBlue & 0x00ffffff);
	EXPECT_EQ(ScreenPixel(9, 9), kRed & 0x00ffffff);
	EXPECT_EQ(ScreenPixel(55, 55), kRed & 0x00ffffff);
	EXPECT_EQ(ScreenPixel(kWidth - 1, kHeight - 1), kRed & 0x00ffffff);
}

TEST_F(SdlPresentTest, AFrameOfAnotherSizeReplacesTheShadowBuffer)
{
	backend.ResizeWindow(window, 300, 150);
	Frame large(300, 150, kGreen);
	// Only a corner is dirty, but a frame of a new size is taken whole.
	backend.Present(window, large.buffer, {graphics::IntRect(0, 0, 0, 0)});
	int width = 0;
	int height = 0;
	EXPECT_EQ(ScreenPixel(299, 149, &width, &height), kGreen & 0x00ffffff);
	EXPECT_EQ(width, 300);
	EXPECT_EQ(height, 150);
	EXPECT_EQ(ShadowPixel(299, 149), kGreen);

	// A frame drawn before the resize reached the window thread still shows where it fits.
	Frame small(kWidth, kHeight, kBlue);
	backend.Present(window, small.buffer, {small.buffer.Bounds()});
	EXPECT_EQ(ScreenPixel(kWidth - 1, kHeight - 1), kBlue & 0x00ffffff);
	std::vector<uint8> pixels;
	int32 shadowWidth = 0;
	int32 shadowHeight = 0;
	ASSERT_TRUE(backend.CopyShadowBuffer(window, &pixels, &shadowWidth, &shadowHeight));
	EXPECT_EQ(shadowWidth, kWidth);
	EXPECT_EQ(shadowHeight, kHeight);

	// Nothing to take from an unusable frame.
	backend.Present(window, graphics::PixelBuffer(), {graphics::IntRect(0, 0, 5, 5)});
	EXPECT_EQ(ShadowPixel(0, 0), kBlue);
}

TEST_F(SdlPresentTest, AnExposeShowsTheLastFrameAgain)
{
	Frame frame(kWidth, kHeight, kBlue);
	backend.Present(window, frame.buffer, {frame.buffer.Bounds()});
	ASSERT_EQ(ScreenPixel(3, 3), kBlue & 0x00ffffff);
	// The display server lost the pixels.
	Sync([this] {
		SDL_Surface* surface = SDL_GetWindowSurface(SDL_GetWindowFromID(sdlWindow));
		SDL_FillRect(surface, nullptr, 0);
	});
	Push({WindowEvent(SDL_WINDOWEVENT_EXPOSED)});
	// The backend answered it; the window need not draw again.
	EXPECT_TRUE(of_type(Translated(), InputEvent::Exposed).empty());
	EXPECT_EQ(ScreenPixel(3, 3), kBlue & 0x00ffffff);
}

TEST_F(SdlPresentTest, ClipboardWritesReachSdlAndReadsComeFromTheCopy)
{
	const std::string text = "Glowplate 各駅停車";
	backend.SetClipboardText(text);
	EXPECT_EQ(backend.ClipboardText(), text);
	std::string held;
	Sync([&] {
		char* current = SDL_GetClipboardText();
		held = current;
		SDL_free(current);
	});
	EXPECT_EQ(held, text);
	// Another program's change arrives as a clipboard update.
	Sync([] { SDL_SetClipboardText("from elsewhere"); });
	SDL_Event update = {};
	update.type = SDL_CLIPBOARDUPDATE;
	Push({update});
	Translated();
	EXPECT_EQ(backend.ClipboardText(), "from elsewhere");
}

TEST_F(SdlPresentTest, TheScreenIsTheDisplaysBounds)
{
	graphics::IntRect screen = backend.ScreenFrame();
	SDL_Rect bounds = {};
	Sync([&] { SDL_GetDisplayBounds(0, &bounds); });
	EXPECT_EQ(screen, graphics::IntRect(0, 0, bounds.w - 1, bounds.h - 1));
	EXPECT_GT(bounds.w, 0);
}

TEST_F(SdlPresentTest, OneBackendAtATimeAndEachStartsOnce)
{
	BPrivate::SdlBackend second;
	RecordingSink otherSink;
	std::string error;
	EXPECT_EQ(second.Start(&otherSink, &error), B_NOT_ALLOWED);
	EXPECT_FALSE(error.empty());
	error.clear();
	EXPECT_EQ(backend.Start(&sink, &error), B_NOT_ALLOWED);
	EXPECT_FALSE(error.empty());
}

TEST(SdlBackendStartTest, AnUnusableDriverIsReportedWithAMessage)
{
	setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
	BPrivate::SdlBackend backend;
	RecordingSink sink;
	std::string error;
	EXPECT_EQ(backend.Start(&sink, &error), B_ERROR);
	EXPECT_NE(error.find("display"), std::string::npos) << error;
	// Calls on a backend that never ran are harmless.
	BPrivate::backend_window_id window = backend.CreateWindow(BPrivate::WindowSpec());
	backend.ShowWindow(window);
	backend.SetClipboardText("x");
	backend.Stop();
	// The failed start left SDL free for the next backend.
	setenv("SDL_VIDEODRIVER", "dummy", 1);
	BPrivate::SdlBackend next;
	EXPECT_EQ(next.Start(&sink, &error), B_OK) << error;
	next.Stop();
}

} // namespace
} // namespace sdltest
