#include <climits>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

#include <AlertCaption.h>
#include <TGlowplateAppPrivacy.h>
#include <TLocale.h>

#include "SettingsTestEnvironment.h"

namespace {

using AlertCaptionTest = SettingsTest;

TEST(AppIdentityTest, TheExecutableIsThisTestProgram)
{
	char buffer[PATH_MAX];
	ssize_t length = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
	ASSERT_GT(length, 0);
	std::string path(buffer, (size_t)length);

	TGlowplateAppPrivacy privacy;
	EXPECT_STREQ(privacy.ExeName().String(), path.substr(path.rfind('/') + 1).c_str());
	EXPECT_STREQ(privacy.ExePath().String(), path.substr(0, path.rfind('/') + 1).c_str());
	EXPECT_STREQ(privacy.mAccKeyFormat.String(), "");
	EXPECT_STREQ(gAppPrivacy.ExeName().String(), privacy.ExeName().String());
}

TEST_F(AlertCaptionTest, CaptionNamesTheApplicationInTheDictionarysWords)
{
	ASSERT_EQ(gLocale.CountEntries(), 0);
	EXPECT_STREQ(alert_caption().String(), "* Glowplate Maker *");

	// Both the caption and the name are keys, and every placeholder is replaced.
	std::string folder = Config() + "/dictionaries";
	WriteFile(folder + "/Language/Dictionaries/test.enUS",
	          "* %AppName% *\t[%AppName%|%AppName%]\nGlowplate Maker\tグロー\n");
	ASSERT_EQ(gLocale.LoadLanguageFile(folder.c_str(), "test.jaJP", false), B_OK);
	EXPECT_STREQ(alert_caption().String(), "[グロー|グロー]");

	// Leave the program's locale empty again for the other tests.
	WriteFile(folder + "/Language/Dictionaries/test.enUS", "");
	ASSERT_EQ(gLocale.LoadLanguageFile(folder.c_str(), "test.jaJP", false), B_OK);
	EXPECT_EQ(gLocale.CountEntries(), 0);
}

} // namespace
