// The toolkit as a user meets it, in the gallery on the real display: typing into a text
// field, choosing from a menu of the menu bar, answering an alert with its letter and
// saving through the save panel, which has the keyboard as soon as it is up.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "E2ESupport.h"

namespace {

namespace fs = std::filesystem;

// The gallery's window is at (60, 60), its menu bar 19 pixels high; the name field starts
// 20 pixels into the view and 30 down, the alert button at (20, 288) of the view.
const char* const kNameField[] = {"250", "120"};
const char* const kFileTitle[] = {"78", "68"};
const char* const kSaveItem[] = {"90", "90"};
const char* const kAlertButton[] = {"120", "380"};

bool ClickAt(const char* const point[2])
{
	return e2e::Xdotool({"mousemove", point[0], point[1]}) && e2e::Xdotool({"click", "1"});
}

TEST(GalleryOnTheDisplay, TypesChoosesAnswersAndSaves)
{
	std::string why;
	if (!e2e::DisplayAvailable(&why))
		GTEST_SKIP() << why;
	char pattern[] = "/tmp/glowplate-gallery-XXXXXX";
	ASSERT_NE(mkdtemp(pattern), nullptr);
	fs::path home = pattern;
	e2e::Program gallery(GLOWPLATE_GALLERY, {"--trace"}, {"HOME=" + home.string()});
	ASSERT_TRUE(gallery.Started());
	ASSERT_TRUE(gallery.WaitForLine("ready"));

	ASSERT_TRUE(ClickAt(kNameField));
	ASSERT_TRUE(e2e::Xdotool({"type", "--delay", "20", "Hakata"}));
	EXPECT_TRUE(gallery.WaitForLine("text Hakata"));
	ASSERT_TRUE(e2e::Xdotool({"key", "Return"}));
	EXPECT_TRUE(gallery.WaitForLine("entered Hakata"));

	ASSERT_TRUE(ClickAt(kAlertButton));
	ASSERT_TRUE(gallery.WaitForLine("alert shown"));
	// The alert shows its buttons' letters; "n" answers the middle one.
	ASSERT_TRUE(e2e::Xdotool({"sleep", "0.2", "key", "n"}));
	EXPECT_TRUE(gallery.WaitForLine("alert answered 1"));

	ASSERT_TRUE(ClickAt(kFileTitle));
	// The menu's light background where the window has its darker panel colour.
	ASSERT_TRUE(e2e::WaitForPixel(62, 85, make_color(237, 237, 237)));
	ASSERT_TRUE(ClickAt(kSaveItem));
	ASSERT_TRUE(gallery.WaitForLine("panel shown"));
	ASSERT_TRUE(e2e::Xdotool({"sleep", "0.2", "type", "--delay", "20", "board.txt"}));
	ASSERT_TRUE(e2e::Xdotool({"key", "Return"}));
	std::string saved = "saved " + (home / "board.txt").string();
	EXPECT_TRUE(gallery.WaitForLine(saved));
	std::ifstream file(home / "board.txt");
	std::stringstream content;
	content << file.rdbuf();
	EXPECT_EQ(content.str(), "Saved by the gallery.\n");

	ASSERT_TRUE(e2e::Xdotool({"key", "ctrl+q"}));
	EXPECT_EQ(gallery.Wait(), 0);
	fs::remove_all(home);
}

} // namespace
