// The gallery's demo of the tool bar and the completing field, as a user tries it: the field
// keeps its stations in the settings folder, completes after "/", and the bar's tipped buttons
// list the stations and choose how many the field keeps.
#include <gtest/gtest.h>

#include <cstdlib>

#include <Autolock.h>
#include <TextView.h>
#include <Window.h>

#include "../support/TempFolder.h"
#include "CompletingFieldSupport.h"
#include "GalleryCompletion.h"
#include "TACCandidatesView.h"
#include "TACCandidatesWindow.h"
#include "TToolBar.h"
#include "TToolButton.h"
#include "TToolTip.h"

namespace {

class DemoWindow : public BWindow {
public:
	DemoWindow() : BWindow(BRect(100, 100, 459, 219), "Gallery", B_TITLED_WINDOW, 0)
	{
		BView* content = new BView(Bounds(), "Content", B_FOLLOW_ALL, B_WILL_DRAW);
		content->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
		AddChild(content);
		demo = add_completion_demo(content, BPoint(10, 10), this);
	}
	void MessageReceived(BMessage* message) override
	{
		if (message->what == kMsgCompletionDemoReport)
			reports.push_back(message->GetString("text", ""));
		else
			BWindow::MessageReceived(message);
	}

	BView* demo;
	std::vector<std::string> reports;
};

class GalleryCompletionTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		const char* old = getenv("XDG_CONFIG_HOME");
		oldConfig = old != nullptr ? old : "";
		hadConfig = old != nullptr;
		setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
		window = new DemoWindow;
		window->Show();
	}
	void TearDown() override
	{
		app.Quit();
		if (hadConfig)
			setenv("XDG_CONFIG_HOME", oldConfig.c_str(), 1);
		else
			unsetenv("XDG_CONFIG_HOME");
	}

	template <class View>
	View* Find(const char* name)
	{
		BAutolock lock(window);
		return dynamic_cast<View*>(window->FindView(name));
	}

	TempFolder config;
	std::string oldConfig;
	bool hadConfig = false;
	TestApplication app;
	DemoWindow* window = nullptr;
};

TEST_F(GalleryCompletionTest, TheFieldCompletesStationsKeptInTheSettingsFolder)
{
	TACTextControl* field = Find<TACTextControl>("DemoCompletion");
	ASSERT_NE(field, nullptr);
	{
		BAutolock lock(window);
		EXPECT_EQ(field->Trigger(), "/");
		EXPECT_EQ(field->StorageFName(),
		          config.Path("Tamarack/Glowplate/Gallery_Completion.arc").c_str());
		EXPECT_FALSE(field->Candidates().empty()) << "a first run has stations to try";
	}
	EXPECT_FALSE(config.Read("Tamarack/Glowplate/Gallery_Completion.arc").empty());

	ASSERT_TRUE(driver::Click(field->TextView()));
	driver::Type("Yamanote /Shi");
	EXPECT_EQ(Suggestion(window), "/Shibuya");
	TToolButton* list = Find<TToolButton>("DemoList");
	ASSERT_NE(list, nullptr);
	ASSERT_TRUE(driver::Click(list));
	TACCandidatesWindow* candidates = nullptr;
	ASSERT_TRUE(driver::WaitFor([&] {
		candidates = dynamic_cast<TACCandidatesWindow*>(driver::FindWindow("ACCandidatesWindow"));
		return candidates != nullptr;
	}));
	EXPECT_EQ(Suggestion(window), "/Shibuya") << "the strip stays while the list is open";
	{
		BAutolock lock(candidates);
		EXPECT_EQ(candidates->CandidatesView()->ShownCandidates(),
		          (std::vector<BString>{"/Shibuya", "/Shinjuku", "/Shinagawa"}));
	}
	ASSERT_TRUE(driver::WaitFor([&] {
		BAutolock lock(candidates);
		return candidates->IsActive();
	}));
	driver::Key(B_DOWN_ARROW);
	driver::Key(B_ENTER);
	EXPECT_TRUE(driver::WaitFor([&] {
		BAutolock lock(window);
		return BString(field->Text()) == "Yamanote /Shinjuku";
	}));
	EXPECT_EQ(Suggestion(window), "") << "the strip followed the chosen text";
	BAutolock lock(window);
	EXPECT_EQ(window->reports, (std::vector<std::string>{"List pressed"}));
}

TEST_F(GalleryCompletionTest, TheBarHasThreeTippedButtonsAndChoosesTheFieldsLimit)
{
	TToolBar* bar = Find<TToolBar>("DemoToolBar");
	ASSERT_NE(bar, nullptr);
	TToolButton* few = Find<TToolButton>("DemoKeepFew");
	TACTextControl* field = Find<TACTextControl>("DemoCompletion");
	{
		BAutolock lock(window);
		int32 tipped = 0;
		for (int32 i = 0; i < bar->CountItems(); i++)
			tipped += bar->ItemAt(i)->Tip()[0] != '\0';
		EXPECT_EQ(tipped, 3);
		float width, height;
		bar->GetPreferredSize(&width, &height);
		EXPECT_EQ(bar->Bounds().Width(), width) << "the bar keeps to its buttons' width";
		EXPECT_EQ(few->DrawingState(), TToolButton::kStateOff);
		few->ToolTip()->SetDelayTime(0);
	}
	TToolTip::SetLastHideTime(0);
	driver::MoveTo(driver::ScreenCentre(few));
	ASSERT_TRUE(driver::WaitFor([&] { return TToolTip::IsAnyToolTipWindowOpened(); }));
	ASSERT_TRUE(driver::Click(few));
	ASSERT_TRUE(driver::WaitFor([&] {
		BAutolock lock(window);
		return !window->reports.empty();
	}));
	BAutolock lock(window);
	EXPECT_EQ(window->reports, (std::vector<std::string>{"The field keeps 5 stations"}));
	EXPECT_EQ(few->Value(), 1);
	EXPECT_EQ(field->Candidates().size(), 5u);
	lock.Unlock();
	EXPECT_TRUE(driver::WaitFor([] { return !TToolTip::IsAnyToolTipWindowOpened(); }))
	    << "the click put the tip away";
}

} // namespace
