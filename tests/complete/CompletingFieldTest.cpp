// A completing field worked through the headless display with the keys a user presses: the
// suggestion strip that follows the typing, Shift+Enter, Tab and Escape, learning on Enter and
// on leaving the field, the same keys inside a dialog, and two fields of one storage file in
// two windows that see each other's candidates at once.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include <Autolock.h>
#include <Button.h>
#include <TextView.h>
#include <Window.h>

#include "../support/TempFolder.h"
#include "CompletingFieldSupport.h"
#include "TACFavoriteWindow.h"
#include "TDialogView.h"
#include "TDialogWindow.h"

namespace {

typedef std::vector<BString> Strings;

class CompletingFieldTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		window = new FieldWindow("Field", BRect(100, 100, 499, 199), Path());
		Seed(window, {"/Shinagawa", "/Shinjuku"});
		window->Show();
		ASSERT_TRUE(driver::Click(window->field->TextView()));
	}
	void TearDown() override { app.Quit(); }

	std::string Path() { return folder.Path("Completion.arc"); }

	TestApplication app;
	TempFolder folder;
	FieldWindow* window = nullptr;
};

TEST_F(CompletingFieldTest, TheSuggestionFollowsTheTypingWithoutTakingTheFocus)
{
	driver::Type("Tokyo/Shi");
	EXPECT_EQ(Suggestion(window), "/Shinjuku") << "the most recent match";
	TACFavoriteWindow* strip = FavoriteWindow();
	ASSERT_NE(strip, nullptr);
	{
		BAutolock lock(window);
		BRect field = window->field->ConvertToScreen(window->field->Bounds());
		EXPECT_GE(strip->Frame().top, field.bottom) << "below the field";
		EXPECT_GT(strip->Frame().left, field.left + window->field->Divider())
		    << "at the caret, not at the field's start";
		EXPECT_TRUE(window->IsActive());
	}
	EXPECT_NE(strip->Flags() & B_AVOID_FOCUS, 0u);

	driver::Type("na");
	EXPECT_EQ(Suggestion(window), "/Shinagawa");
	EXPECT_EQ(FavoriteWindow(), strip) << "the same strip, with a new text";
	driver::Type("x");
	EXPECT_EQ(Suggestion(window), "") << "no match, no strip";
	driver::Key(B_BACKSPACE);
	EXPECT_EQ(Suggestion(window), "/Shinagawa");
	driver::Key(B_ESCAPE);
	EXPECT_EQ(Suggestion(window), "");
	EXPECT_EQ(TextOf(window), "Tokyo/Shina") << "Escape changes no text";
}

TEST_F(CompletingFieldTest, ShiftEnterTakesTheSuggestionAndPlainEnterLearns)
{
	driver::Type("Tokyo/Shi");
	driver::Key(B_ENTER, B_SHIFT_KEY);
	EXPECT_EQ(TextOf(window), "Tokyo/Shinjuku");
	EXPECT_EQ(Suggestion(window), "");
	{
		BAutolock lock(window);
		EXPECT_EQ(window->field->SearchTargetEndPos(), 14) << "the caret after it";
		EXPECT_EQ(window->entered, 0) << "Shift+Enter is not Enter";
	}
	driver::Type(" x/Umeda");
	driver::Key(B_ENTER);
	ASSERT_EQ(driver::Sync(window), B_OK);
	BAutolock lock(window);
	EXPECT_EQ(window->field->Candidates(), (Strings{"/Umeda", "/Shinjuku", "/Shinagawa"}));
	EXPECT_EQ(window->entered, 1) << "the field's own Enter still happens";
}

TEST_F(CompletingFieldTest, TabLeavesAFieldWithoutSuggestionAndLeavingLearns)
{
	driver::Type("Kobe/Sannomiya");
	driver::Key(B_TAB);
	ASSERT_EQ(driver::Sync(window), B_OK);
	BAutolock lock(window);
	EXPECT_EQ(window->CurrentFocus(), window->other->TextView());
	EXPECT_EQ(window->field->Candidates().front(), "/Sannomiya");
}

TEST_F(CompletingFieldTest, AClickElsewhereClosesTheSuggestionAndLearns)
{
	driver::Type("Nara/Shi");
	EXPECT_EQ(Suggestion(window), "/Shinjuku");
	ASSERT_TRUE(driver::Click(window->other->TextView()));
	EXPECT_TRUE(driver::WaitFor([&] {
		BAutolock lock(window);
		return window->field->Candidates().front() == "/Shi";
	}));
	EXPECT_EQ(Suggestion(window), "");
}

TEST_F(CompletingFieldTest, ASelectedRangeMatchesNothing)
{
	driver::Type("Tokyo/Shi");
	EXPECT_EQ(Suggestion(window), "/Shinjuku");
	driver::Key(B_LEFT_ARROW, B_SHIFT_KEY);
	EXPECT_EQ(Suggestion(window), "") << "the strip closes on the key that selects";
	BAutolock lock(window);
	BString best;
	EXPECT_EQ(window->field->SearchTargetEndPos(), -1);
	EXPECT_EQ(window->field->GetMatchCandidates(&best, nullptr), -1);

	// A candidate that arrives now goes in as a paste would, in place of the selection.
	window->field->TextView()->Select(0, 5);
	window->field->Deter("/Ueno");
	EXPECT_STREQ(window->field->Text(), "/Ueno/Shi");
	EXPECT_EQ(window->field->Candidates().front(), "/Ueno");
}

// A field in a dialog gets Enter and Escape from the dialog's shortcut handling.
class FieldDialog : public TDialogWindow {
public:
	FieldDialog(const std::string& path)
	    : TDialogWindow(BRect(100, 300, 499, 399), "Dialog", B_TITLED_WINDOW, 0)
	{
		TDialogView* view = new TDialogView(Bounds(), "View", B_FOLLOW_ALL, B_WILL_DRAW);
		AddChild(view);
		field = new TACTextControl(BRect(10, 10, 290, 30), "Field", "Station", "", nullptr);
		field->SetTrigger("/");
		field->SetTo(path.c_str());
		view->AddChild(field);
		BButton* ok = new BButton(BRect(200, 60, 280, 84), "ButtonOK", "OK", new BMessage('okay'));
		BButton* cancel =
		    new BButton(BRect(100, 60, 180, 84), "ButtonCancel", "Cancel", new BMessage('cncl'));
		view->AddChild(ok);
		view->AddChild(cancel);
		SetDefaultButton(ok);
	}
	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'okay')
			ok++;
		else if (message->what == 'cncl')
			cancelled++;
		else
			TDialogWindow::MessageReceived(message);
	}

	TACTextControl* field;
	int32 ok = 0;
	int32 cancelled = 0;
};

TEST(CompletingFieldDialogTest, EnterAndEscapeServeTheFieldBeforeTheButtons)
{
	TestApplication app;
	TempFolder folder;
	FieldDialog* dialog = new FieldDialog(folder.Path("Completion.arc"));
	{
		BAutolock lock(dialog);
		dialog->field->AddCandidate("/Shinjuku");
	}
	dialog->Show();
	ASSERT_TRUE(driver::Click(dialog->field->TextView()));
	driver::Type("/Shi");
	EXPECT_EQ(Suggestion(dialog), "/Shinjuku");
	driver::Key(B_ESCAPE);
	EXPECT_EQ(Suggestion(dialog), "");
	driver::Type("n");
	driver::Key(B_ENTER, B_SHIFT_KEY);
	ASSERT_EQ(driver::Sync(dialog), B_OK);
	{
		BAutolock lock(dialog);
		EXPECT_STREQ(dialog->field->Text(), "/Shinjuku");
		EXPECT_EQ(dialog->cancelled, 0) << "Escape only put the strip away";
		EXPECT_EQ(dialog->ok, 0);
	}
	driver::Key(B_ENTER);
	ASSERT_TRUE(driver::WaitFor([&] {
		BAutolock lock(dialog);
		return dialog->ok == 1;
	})) << "a field without a message lets plain Enter reach the default button";
	app.Quit();
}

// A window that makes a field when told to, which takes the lock of the fields' registry.
class FieldMakingWindow : public FieldWindow {
public:
	using FieldWindow::FieldWindow;
	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'make') {
			delete new TACTextControl(BRect(0, 0, 9, 9), "Made", "", "", nullptr);
			made = true;
		} else if (message->what == 'add ') {
			adding = true;
			field->AddCandidate("/Nara");
		} else if (message->what != 'fill') {
			FieldWindow::MessageReceived(message);
		}
	}
	std::atomic<bool> made{false};
	std::atomic<bool> adding{false};
};

// The fields of one storage file in two windows.
class CompletingFieldMatesTest : public ::testing::Test {
protected:
	void TearDown() override { app.Quit(); }

	// A shown window of the storage file, one below the other.
	FieldMakingWindow* Make(const char* title)
	{
		float top = 100 + 200 * made++;
		FieldMakingWindow* window =
		    new FieldMakingWindow(title, BRect(100, top, 499, top + 99), path);
		window->Show();
		return window;
	}

	TestApplication app;
	TempFolder folder;
	std::string path = folder.Path("Completion.arc");
	int32 made = 0;
};

TEST_F(CompletingFieldMatesTest, AFieldSeesWhatAnotherWindowsFieldLearnedWithoutReadingTheFile)
{
	FieldWindow* first = Make("First");
	FieldWindow* second = Make("Second");
	TempFolder elsewhere;
	FieldWindow* stranger =
	    new FieldWindow("Stranger", BRect(600, 100, 999, 199), elsewhere.Path("Other.arc"));
	stranger->Show();
	std::filesystem::remove(path);

	ASSERT_TRUE(driver::Click(first->field->TextView()));
	driver::Type("Nara/Kintetsu");
	driver::Key(B_ENTER);
	ASSERT_TRUE(driver::WaitFor([&] {
		BAutolock lock(second);
		return second->field->Candidates() == Strings{"/Kintetsu"};
	}));
	{
		BAutolock lock(stranger);
		EXPECT_TRUE(stranger->field->Candidates().empty()) << "another storage file";
	}
	ASSERT_TRUE(driver::Click(second->field->TextView()));
	driver::Type("/Kin");
	EXPECT_EQ(Suggestion(second), "/Kintetsu");
}

TEST_F(CompletingFieldMatesTest, ASaveReachesAFullWindowThatWaitsForTheRegistry)
{
	FieldMakingWindow* saver = Make("Saver");
	FieldMakingWindow* busy = Make("Busy");
	ASSERT_EQ(driver::Sync(busy), B_OK);

	// The busy window will first make a field, and its queue is full behind that.
	ASSERT_TRUE(busy->Lock());
	busy->PostMessage('make');
	for (int32 i = 0; i < 100000 && busy->PostMessage('fill') == B_OK; i++) {
	}
	saver->PostMessage('add ');
	ASSERT_TRUE(driver::WaitFor([&] { return saver->adding.load(); }));
	busy->Unlock();

	EXPECT_TRUE(driver::WaitFor([&] { return busy->made.load(); }));
	EXPECT_TRUE(driver::WaitFor([&] {
		BAutolock lock(busy);
		return busy->field->Candidates() == Strings{"/Nara"};
	}));
	EXPECT_EQ(driver::Sync(saver), B_OK);
}

} // namespace
