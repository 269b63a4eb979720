// A program whose resources are missing (a damaged executable) cannot build its window: it
// says so in one alert, ends with status 0 once the alert is answered, and still saves its
// records.
#include <gtest/gtest.h>

#include <filesystem>

#include <Alert.h>
#include <Autolock.h>
#include <Button.h>
#include <TextView.h>

#include <TGlowplateApp.h>

#include "AppRun.h"
#include "TestDriver.h"

namespace {

TEST(AppWithoutResources, OneAlertThenAnOrderlyEndWithTheRecordsSaved)
{
	AppRun run;
	run.Start();
	BAlert* alert = nullptr;
	ASSERT_TRUE(driver::WaitFor([&] {
		if (be_app == nullptr)
			return false;
		for (int32 i = 0; BWindow* window = be_app->WindowAt(i); i++) {
			alert = dynamic_cast<BAlert*>(window);
			if (alert != nullptr)
				return driver::Sync(alert) == B_OK;
		}
		return false;
	}));
	{
		BAutolock lock(alert);
		EXPECT_STREQ(alert->Title(), "* Glowplate Maker *");
		EXPECT_STREQ(alert->Text(),
		             "* Glowplate Maker *\n\nメインウィンドウを表示できません。\n"
		             "実行ファイルが破損している可能性があります。");
		ASSERT_EQ(alert->CountButtons(), 1);
		EXPECT_STREQ(alert->ButtonAt(0)->Label(), "了解(U)");
	}
	driver::Key('u');
	ASSERT_TRUE(run.WaitForEnd());
	EXPECT_TRUE(std::filesystem::exists(run.SettingsFile("Glowplate_Property.arc")));
	EXPECT_TRUE(std::filesystem::exists(run.SettingsFile("Glowplate_ExitStates.arc")));
}

} // namespace
