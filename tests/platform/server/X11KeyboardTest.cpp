// The live keyboard state from a real X server (the Xvfb that scripts/with-display.sh starts),
// with keys pressed through XTEST by xdotool. Skipped where there is no display.
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include <InterfaceDefs.h>
#include <ModifiersSource.h>
#include <X11Keyboard.h>

namespace {

bool have_display_and_xdotool()
{
	const char* display = getenv("DISPLAY");
	return display != nullptr && display[0] != '\0' &&
	       std::system("command -v xdotool >/dev/null 2>&1") == 0;
}

// Holds a key down for the length of a scope, so a failing test leaves no key stuck in the
// server for the tests that follow.
class HeldKey {
public:
	explicit HeldKey(const char* key) : fKey(key)
	{
		fHeld = std::system(("xdotool keydown " + fKey).c_str()) == 0;
	}
	~HeldKey() { Release(); }
	bool Held() const { return fHeld; }
	void Release()
	{
		if (fHeld)
			std::system(("xdotool keyup " + fKey).c_str());
		fHeld = false;
	}

private:
	std::string fKey;
	bool fHeld = false;
};

// The server applies another client's request when it gets to it; ask until the state is the
// expected one or the deadline passes.
bool wait_for_modifiers(uint32 mask, uint32 expected)
{
	auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
	uint32 modifiers = 0;
	while (std::chrono::steady_clock::now() < deadline) {
		if (!BPrivate::read_x11_modifiers(&modifiers))
			return false;
		if ((modifiers & mask) == expected)
			return true;
		std::this_thread::yield();
	}
	return false;
}

uint32 shift_only()
{
	return B_SHIFT_KEY;
}

TEST(X11KeyboardTest, AKeyHeldThroughTheServerIsReportedUntilReleased)
{
	if (!have_display_and_xdotool())
		GTEST_SKIP() << "needs DISPLAY and xdotool";
	ASSERT_TRUE(BPrivate::x11_server_answers());
	const uint32 shift = B_SHIFT_KEY | B_LEFT_SHIFT_KEY | B_RIGHT_SHIFT_KEY;
	ASSERT_TRUE(wait_for_modifiers(shift, 0));
	{
		HeldKey key("shift");
		ASSERT_TRUE(key.Held());
		EXPECT_TRUE(wait_for_modifiers(shift, B_SHIFT_KEY | B_LEFT_SHIFT_KEY));
		key.Release();
		EXPECT_TRUE(wait_for_modifiers(shift, 0));
	}
	{
		// xdotool holds the left Ctrl as well when it presses the right one.
		HeldKey key("Control_R");
		ASSERT_TRUE(key.Held());
		const uint32 right = B_COMMAND_KEY | B_RIGHT_COMMAND_KEY;
		EXPECT_TRUE(wait_for_modifiers(right, right));
	}
}

TEST(X11KeyboardTest, ModifiersAskTheSourceThenTheServerThenTheHeadlessState)
{
	if (!have_display_and_xdotool())
		GTEST_SKIP() << "needs DISPLAY and xdotool";
	const char* saved = getenv("GLOWPLATE_BACKEND");
	std::string backend = saved != nullptr ? saved : "";
	// The reader's connection is open before the key goes down: a server whose last client
	// leaves may reset, and forget the key with everything else.
	ASSERT_TRUE(BPrivate::x11_server_answers());
	HeldKey key("shift");
	ASSERT_TRUE(key.Held());
	ASSERT_TRUE(wait_for_modifiers(B_SHIFT_KEY, B_SHIFT_KEY));
	BPrivate::set_headless_modifiers(B_OPTION_KEY);

	unsetenv("GLOWPLATE_BACKEND");
	EXPECT_EQ(modifiers() & (B_SHIFT_KEY | B_OPTION_KEY), (uint32)B_SHIFT_KEY);
	setenv("GLOWPLATE_BACKEND", "headless", 1);
	EXPECT_EQ(modifiers(), (uint32)B_OPTION_KEY);
	BPrivate::set_modifiers_source(shift_only);
	EXPECT_EQ(modifiers(), (uint32)B_SHIFT_KEY);

	BPrivate::set_modifiers_source(nullptr);
	BPrivate::set_headless_modifiers(0);
	if (saved != nullptr)
		setenv("GLOWPLATE_BACKEND", backend.c_str(), 1);
	else
		unsetenv("GLOWPLATE_BACKEND");
}

TEST(X11KeyboardDeathTest, NoServerIsAFailureAndNotACrash)
{
	// A fresh process, so the reader's connection is opened for the first time there.
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	EXPECT_EXIT(
	    {
		    setenv("DISPLAY", ":9999", 1);
		    uint32 modifiers = 77;
		    bool read = BPrivate::read_x11_modifiers(&modifiers);
		    bool answers = BPrivate::x11_server_answers();
		    exit(!read && !answers && modifiers == 77 ? 0 : 1);
	    },
	    testing::ExitedWithCode(0), "");
}

} // namespace
