// The names by which the desktop matches the program's windows to its launcher and icon: the
// desktop entry's file name, its icon and window class, the metainfo's id, and the class the
// program gives its windows must all be the same.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <AppLifecycle.h>

namespace {

std::string read_file(const std::string& path)
{
	std::ifstream in(path);
	std::stringstream content;
	content << in.rdbuf();
	return content.str();
}

TEST(DesktopIdentity, TheEntryTheMetainfoAndTheWindowClassNameTheProgramAlike)
{
	const std::string id = kDesktopAppId;
	std::string entry = read_file(std::string(GLOWPLATE_DESKTOP_DIR) + "/" + id + ".desktop");
	ASSERT_FALSE(entry.empty());
	EXPECT_NE(entry.find("\nIcon=" + id + "\n"), std::string::npos);
	EXPECT_NE(entry.find("\nStartupWMClass=" + id + "\n"), std::string::npos);
	EXPECT_NE(entry.find("\nExec=glowplate\n"), std::string::npos);
	std::string metainfo =
	    read_file(std::string(GLOWPLATE_DESKTOP_DIR) + "/" + id + ".metainfo.xml");
	EXPECT_NE(metainfo.find("<id>" + id + "</id>"), std::string::npos);
	EXPECT_NE(metainfo.find("<launchable type=\"desktop-id\">" + id + ".desktop</launchable>"),
	          std::string::npos);

	unsetenv("SDL_VIDEO_X11_WMCLASS");
	prepare_display_identity();
	ASSERT_NE(getenv("SDL_VIDEO_X11_WMCLASS"), nullptr);
	EXPECT_EQ(std::string(getenv("SDL_VIDEO_X11_WMCLASS")), id);
	// A class the user chose stays.
	setenv("SDL_VIDEO_X11_WMCLASS", "mine", 1);
	prepare_display_identity();
	EXPECT_EQ(std::string(getenv("SDL_VIDEO_X11_WMCLASS")), "mine");
}

} // namespace
