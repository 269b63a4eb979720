// The list of candidates that Tab opens from a completing field: how many rows it shows, the
// two orders, and the keys and clicks that choose an entry or close the list; the field hears
// of it either way and has the keyboard again.
#include <gtest/gtest.h>

#include <Autolock.h>
#include <ListItem.h>
#include <ListView.h>
#include <ScrollBar.h>
#include <TextView.h>

#include "../support/TempFolder.h"
#include "CompletingFieldSupport.h"
#include "TACCandidatesView.h"
#include "TACCandidatesWindow.h"
#include "TToolButton.h"

namespace {

typedef std::vector<BString> Strings;

class CandidatesWindowTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		window = new FieldWindow("Field", BRect(100, 100, 499, 199), folder.Path("C.arc"));
	}
	void TearDown() override { app.Quit(); }

	// Types the text into the field, presses Tab and waits for the list to have the keyboard.
	TACCandidatesWindow* Open(const char* text)
	{
		if (window->IsHidden()) {
			window->Show();
			EXPECT_TRUE(driver::Click(window->field->TextView()));
		}
		driver::Type(text);
		EXPECT_NE(Suggestion(window), "") << "Tab lists only while a suggestion shows";
		driver::Key(B_TAB);
		TACCandidatesWindow* list = nullptr;
		EXPECT_TRUE(driver::WaitFor([&] {
			list = dynamic_cast<TACCandidatesWindow*>(driver::FindWindow("ACCandidatesWindow"));
			if (list == nullptr)
				return false;
			BAutolock lock(list);
			return list->IsActive();
		}));
		EXPECT_EQ(Suggestion(window), "") << "the strip gives way to the list";
		return list;
	}

	Strings Shown(TACCandidatesWindow* list)
	{
		EXPECT_EQ(driver::Sync(list), B_OK);
		BAutolock lock(list);
		return list->CandidatesView()->ShownCandidates();
	}

	// Waits until the list is gone and the field's window has the keyboard again.
	bool Closed()
	{
		return driver::WaitFor([&] {
			if (driver::FindWindow("ACCandidatesWindow") != nullptr)
				return false;
			BAutolock lock(window);
			return window->IsActive() && !window->field->IsCandidatesWindowOpened();
		});
	}

	TestApplication app;
	TempFolder folder;
	FieldWindow* window = nullptr;
};

TEST_F(CandidatesWindowTest, NineRowsShowAtMostAndEnterTakesTheFirst)
{
	Seed(window, {"/S00", "/S01", "/S02", "/S03", "/S04", "/S05", "/S06", "/S07", "/S08", "/S09",
	              "/S10", "/S11", "/T1", "/T2", "/T3"});
	TACCandidatesWindow* list = Open("Ride /S");
	{
		BAutolock lock(list);
		BListView* rows = list->CandidatesView()->ListView();
		EXPECT_EQ(rows->CountItems(), 12);
		float row = rows->ItemAt(0)->Height() + 1;
		EXPECT_EQ(rows->Bounds().Height() + 1, 9 * row);
		float min, max;
		rows->ScrollBar(B_VERTICAL)->GetRange(&min, &max);
		EXPECT_GT(max, 0) << "the rest is scrolled to";
		EXPECT_EQ(rows->CurrentSelection(), 0);
		EXPECT_EQ(list->Look(), B_FLOATING_WINDOW_LOOK);
	}
	driver::Key(B_ENTER);
	ASSERT_TRUE(Closed());
	EXPECT_EQ(TextOf(window), "Ride /S11") << "the most recent";

	list = Open(" /T");
	BListView* rows;
	{
		BAutolock lock(list);
		rows = list->CandidatesView()->ListView();
		EXPECT_EQ(rows->Bounds().Height() + 1, 3 * (rows->ItemAt(0)->Height() + 1));
	}
	// A double click on a row chooses it as well.
	BPoint third;
	{
		BAutolock lock(list);
		third = rows->ConvertToScreen(rows->ItemFrame(2).LeftTop() + BPoint(10, 2));
	}
	driver::ClickAt(third);
	driver::ClickAt(third);
	ASSERT_TRUE(Closed());
	EXPECT_EQ(TextOf(window), "Ride /S11 /T1");
	BAutolock lock(window);
	EXPECT_EQ(window->field->Candidates().front(), "/T1") << "a chosen entry is used";
}

TEST_F(CandidatesWindowTest, TheAlphabeticalOrderIsByBytesAndEscapeChangesNothing)
{
	Seed(window, {"/b", "/B", "/a", "/新宿"});
	TACCandidatesWindow* list = Open("/");
	EXPECT_EQ(Shown(list), (Strings{"/新宿", "/a", "/B", "/b"})) << "most recent first";
	TToolButton* alpha;
	TToolButton* recent;
	{
		BAutolock lock(list);
		alpha = dynamic_cast<TToolButton*>(list->FindView("TBAlpha"));
		recent = dynamic_cast<TToolButton*>(list->FindView("TBLRU"));
		ASSERT_NE(alpha, nullptr);
		ASSERT_NE(recent, nullptr);
		EXPECT_STREQ(alpha->Label(), "Alphabetical");
		EXPECT_EQ(recent->Value(), 1);
	}
	ASSERT_TRUE(driver::Click(alpha));
	EXPECT_EQ(Shown(list), (Strings{"/B", "/a", "/b", "/新宿"}))
	    << "capitals before small letters, Japanese last";
	{
		BAutolock lock(list);
		EXPECT_EQ(recent->Value(), 0) << "the two buttons are a radio pair";
		EXPECT_EQ(list->CandidatesView()->ListView()->CurrentSelection(), 0);
	}
	ASSERT_TRUE(driver::Click(recent));
	EXPECT_EQ(Shown(list), (Strings{"/新宿", "/a", "/B", "/b"}));

	driver::Key(B_ESCAPE);
	ASSERT_TRUE(Closed()) << "the field was told, and has the keyboard again";
	EXPECT_EQ(TextOf(window), "/");
	driver::Type("a");
	EXPECT_EQ(TextOf(window), "/a") << "typing goes on in the field";
}

} // namespace
