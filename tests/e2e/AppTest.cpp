// The application on the real display, as a user meets it: moved by the user, a new text typed
// into the field, a larger lamp size, the picture saved through the panel, quit with Ctrl+Q.
// The saved PNG and the picture on the screen are the renderer's picture for the same text
// and parameters, pixel for pixel; started again, the program shows the text and its picture
// where the window was left.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>

#include <PngCodec.h>
#include <Point.h>

#include "E2ESupport.h"

namespace {

namespace fs = std::filesystem;

// Where the user moves the window; without a window manager its content starts right there.
const int32 kLeft = 120;
const int32 kTop = 90;
// The editor's colours and places, relative to the window: the panel colour just under the
// menu bar, the sign text field, the lamp size field, and a point that the save panel's list
// covers.
const rgb_color kPanel = make_color(216, 216, 216);
const BPoint kUnderMenuBar(250, 25);
const BPoint kTextField(200, 41);
const BPoint kLEDSizeField(140, 266);
const BPoint kUnderPanelList(310, 250);

std::string at(int32 value)
{
	return std::to_string(value);
}

bool click(BPoint inWindow)
{
	return e2e::Xdotool({"mousemove", at(kLeft + (int32)inWindow.x), at(kTop + (int32)inWindow.y)}) &&
	       e2e::Xdotool({"click", "1"});
}

bool wait_for(BPoint inWindow, rgb_color color)
{
	return e2e::WaitForPixel(kLeft + (int32)inWindow.x, kTop + (int32)inWindow.y, color);
}

bool decode(const fs::path& path, graphics::PngImage* image)
{
	std::ifstream in(path, std::ios::binary);
	std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
	return graphics::PngCodec::Decode(bytes.data(), bytes.size(), graphics::PixelLayout::Rgba,
	                                  image) == B_OK;
}

// Whether the screenshot shows the picture with its top left corner at (left, top), as far
// as the screen has room for it.
bool shows(const e2e::Screenshot& shot, const graphics::PngImage& picture, int32 left, int32 top,
           int32 visibleWidth)
{
	int32 width = std::min(picture.width, visibleWidth);
	for (int32 y = 0; y < picture.height; y++) {
		for (int32 x = 0; x < width; x++) {
			const uint8* p = &picture.pixels[((size_t)y * picture.width + x) * 4];
			if (shot.At(left + x, top + y) != make_color(p[0], p[1], p[2]))
				return false;
		}
	}
	return true;
}

// The row at which the picture starts on the screen, searched below the window's top at the
// display's left edge (10 pixels into the window); -1 when it is nowhere.
int32 find_picture(const e2e::Screenshot& shot, const graphics::PngImage& picture)
{
	for (int32 top = kTop; top + picture.height <= shot.height; top++) {
		if (shows(shot, picture, kLeft + 10, top, 600))
			return top;
	}
	return -1;
}

void render_reference(const fs::path& home, const std::string& text, const fs::path& out)
{
	std::string command = "XDG_CONFIG_HOME='" + (home / ".config").string() +
	                      "' GLOWPLATE_BACKEND=headless '" GLOWPLATE_RENDER "' --settings --text '" +
	                      text + "' -o '" + out.string() + "' 2>/dev/null";
	ASSERT_EQ(std::system(command.c_str()), 0);
}

TEST(AppOnTheDisplay, EditsSavesQuitsAndStartsAgainAsItWasLeft)
{
	std::string why;
	if (!e2e::DisplayAvailable(&why))
		GTEST_SKIP() << why;
	char pattern[] = "/tmp/glowplate-e2e-app-XXXXXX";
	ASSERT_NE(mkdtemp(pattern), nullptr);
	fs::path home = pattern;
	std::vector<std::string> environment = {"HOME=" + home.string(),
	                                        "XDG_CONFIG_HOME=" + (home / ".config").string()};
	fs::path saved = home / "sign.png";
	fs::path reference = home / "reference.png";
	int32 pictureTop = -1;
	{
		e2e::Program app(GLOWPLATE_APP, {}, environment);
		ASSERT_TRUE(app.Started());
		// The window carries the desktop's name for the program, which finds it for the move.
		ASSERT_TRUE(e2e::Xdotool({"search", "--sync", "--class", "jp.tamarack.GlowplateMaker",
		                          "windowmove", "%@", at(kLeft), at(kTop)}));
		ASSERT_TRUE(wait_for(kUnderMenuBar, kPanel));

		ASSERT_TRUE(click(kTextField));
		ASSERT_TRUE(e2e::Xdotool({"key", "ctrl+a"}));
		ASSERT_TRUE(e2e::Xdotool({"type", "--delay", "20", "Tokyo 123"}));
		ASSERT_TRUE(click(kLEDSizeField));
		ASSERT_TRUE(e2e::Xdotool({"key", "ctrl+a"}));
		ASSERT_TRUE(e2e::Xdotool({"type", "--delay", "20", "3"}));

		ASSERT_TRUE(e2e::Xdotool({"key", "ctrl+s"}));
		ASSERT_TRUE(wait_for(kUnderPanelList, make_color(255, 255, 255)));
		ASSERT_TRUE(e2e::Xdotool({"type", "--delay", "20", "sign.png"}));
		ASSERT_TRUE(e2e::Xdotool({"key", "Return"}));
		ASSERT_TRUE(wait_for(kUnderPanelList, kPanel));
		ASSERT_TRUE(fs::exists(saved));

		e2e::Screenshot shot;
		ASSERT_TRUE(e2e::TakeScreenshot(&shot));
		ASSERT_TRUE(e2e::Xdotool({"key", "ctrl+q"}));
		EXPECT_EQ(app.Wait(), 0);

		// The parameters the program stored are the ones it drew with.
		render_reference(home, "Tokyo 123", reference);
		graphics::PngImage expected, written;
		ASSERT_TRUE(decode(reference, &expected));
		ASSERT_TRUE(decode(saved, &written));
		EXPECT_EQ(written.width, expected.width);
		EXPECT_EQ(written.height, expected.height);
		EXPECT_TRUE(written.pixels == expected.pixels);
		pictureTop = find_picture(shot, expected);
		EXPECT_GT(pictureTop, kTop) << "the picture is not on the screen as the renderer drew it";
	}
	{
		e2e::Program app(GLOWPLATE_APP, {}, environment);
		ASSERT_TRUE(app.Started());
		ASSERT_TRUE(wait_for(kUnderMenuBar, kPanel));
		graphics::PngImage expected;
		ASSERT_TRUE(decode(reference, &expected));
		e2e::Screenshot shot;
		ASSERT_TRUE(e2e::TakeScreenshot(&shot));
		EXPECT_TRUE(pictureTop > 0 && shows(shot, expected, kLeft + 10, pictureTop, 600));
		ASSERT_TRUE(e2e::Xdotool({"key", "ctrl+q"}));
		EXPECT_EQ(app.Wait(), 0);
	}
	fs::remove_all(home);
}

// A session that ends sends SIGTERM, and Ctrl+C in the terminal SIGINT: the program saves what
// it keeps, as on Ctrl+Q, and ends normally.
TEST(AppOnTheDisplay, TheSignalsThatEndASessionSaveAsCtrlQDoes)
{
	std::string why;
	if (!e2e::DisplayAvailable(&why))
		GTEST_SKIP() << why;
	for (int signal : {SIGTERM, SIGINT}) {
		char pattern[] = "/tmp/glowplate-e2e-signal-XXXXXX";
		ASSERT_NE(mkdtemp(pattern), nullptr);
		fs::path home = pattern;
		fs::path states = home / ".config/Tamarack/Glowplate/Glowplate_ExitStates.arc";
		e2e::Program app(GLOWPLATE_APP, {},
		                 {"HOME=" + home.string(), "XDG_CONFIG_HOME=" + (home / ".config").string()});
		ASSERT_TRUE(app.Started());
		ASSERT_TRUE(e2e::Xdotool({"search", "--sync", "--class", "jp.tamarack.GlowplateMaker",
		                          "windowmove", "%@", at(kLeft), at(kTop)}));
		ASSERT_TRUE(wait_for(kUnderMenuBar, kPanel));
		ASSERT_FALSE(fs::exists(states));
		ASSERT_TRUE(app.Signal(signal));
		EXPECT_EQ(app.Wait(), 0) << "signal " << signal;
		EXPECT_TRUE(fs::exists(states)) << "signal " << signal;
		fs::remove_all(home);
	}
}

} // namespace
