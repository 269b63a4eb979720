// A real window on the X display through the SDL backend: it shows what its view draws where
// it should, and a pointer click, typed text and Ctrl+Q from xdotool reach the program.
#include <gtest/gtest.h>

#include "E2ESupport.h"

namespace {

TEST(WindowOnTheDisplay, ShowsItsPictureAndTakesClicksKeysAndCtrlQ)
{
	std::string why;
	if (!e2e::DisplayAvailable(&why))
		GTEST_SKIP() << why;
	e2e::Program probe(GLOWPLATE_WINDOW_PROBE, {});
	ASSERT_TRUE(probe.Started());
	ASSERT_TRUE(probe.WaitForLine("ready"));

	// The window's content starts at (100, 100): the red square at 110..149, the blue one at
	// 160..199.
	ASSERT_TRUE(e2e::WaitForPixel(110, 110, make_color(255, 0, 0)));
	e2e::Screenshot shot;
	ASSERT_TRUE(e2e::TakeScreenshot(&shot));
	EXPECT_EQ(shot.At(149, 149), make_color(255, 0, 0));
	EXPECT_EQ(shot.At(150, 150), make_color(255, 255, 255));
	EXPECT_EQ(shot.At(160, 110), make_color(0, 0, 255));
	EXPECT_EQ(shot.At(109, 110), make_color(255, 255, 255));

	ASSERT_TRUE(e2e::Xdotool({"mousemove", "150", "170"}));
	ASSERT_TRUE(e2e::Xdotool({"click", "1"}));
	EXPECT_TRUE(probe.WaitForLine("down 50 70"));
	EXPECT_TRUE(probe.WaitForLine("up 50 70"));

	ASSERT_TRUE(e2e::Xdotool({"type", "--delay", "20", "Hi!"}));
	EXPECT_TRUE(probe.WaitForLine("key H"));
	EXPECT_TRUE(probe.WaitForLine("key i"));
	EXPECT_TRUE(probe.WaitForLine("key !"));

	ASSERT_TRUE(e2e::Xdotool({"key", "ctrl+q"}));
	EXPECT_EQ(probe.Wait(), 0);
}

} // namespace
