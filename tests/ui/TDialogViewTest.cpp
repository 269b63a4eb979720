// Keyboard shortcuts of dialogs through real keys: Alt with the letter a label marks works the
// control (buttons, check boxes, radio buttons, menu fields, other controls), Escape clicks the
// button named "ButtonCancel", Enter the focused button, a multi-line text's line break or the
// default button; a view that claims Enter and Escape gets them. FindViewEx looks inside tabs
// that are not on display.
#include <gtest/gtest.h>

#include <mutex>

#include <Autolock.h>
#include <Button.h>
#include <CheckBox.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <PopUpMenu.h>
#include <RadioButton.h>
#include <TabView.h>
#include <TextControl.h>
#include <TextView.h>

#include <TDialogView.h>
#include <TDialogWindow.h>
#include <TKeyClaimer.h>

#include "TestApplication.h"
#include "TestDriver.h"

namespace {

// A text field that takes Enter and Escape itself while its text has the focus, as a
// completing one does.
class ClaimingControl : public BTextControl, public TKeyClaimer {
public:
	ClaimingControl() : BTextControl(BRect(10, 250, 200, 270), "Claimer", "", "", nullptr) {}
	void KeyDown(const char* bytes, int32) override { keys.push_back(bytes[0]); }
	std::vector<char> keys;
};

// The dialog's content, which keeps the codes of the messages its controls send it.
class RecordingDialogView : public TDialogView {
public:
	RecordingDialogView() : TDialogView(BRect(0, 0, 399, 299), "Dialog", B_FOLLOW_ALL, B_WILL_DRAW)
	{
		Add(new BButton(BRect(10, 10, 90, 35), "ButtonSave", "Save(S)", new BMessage('save')));
		Add(new BButton(BRect(100, 10, 180, 35), "ButtonCancel", "Cancel", new BMessage('cncl')));
		Add(new BButton(BRect(190, 10, 270, 35), "ButtonOK", "OK", new BMessage('okay')));
		BButton* gone =
		    new BButton(BRect(280, 10, 360, 35), "ButtonGone", "Gone(G)", new BMessage('gone'));
		gone->SetEnabled(false);
		Add(gone);
		Add(new BCheckBox(BRect(10, 50, 150, 70), "CBoxFlat", "Flat(F)", new BMessage('flat')));
		Add(new BRadioButton(BRect(10, 80, 150, 100), "RadioA", "Alpha(A)", new BMessage('alfa')));
		Add(new BRadioButton(BRect(10, 110, 150, 130), "RadioB", "Beta(B)", new BMessage('beta')));
		BPopUpMenu* menu = new BPopUpMenu("kinds");
		menu->AddItem(new BMenuItem("One", new BMessage('one ')));
		Add(new BMenuField(BRect(10, 140, 200, 160), "MFieldKind", "Kind(K)", menu));
		Add(new BTextControl(BRect(10, 170, 200, 190), "TxtCtrlName", "Name(N)", "", nullptr));
		Add(new BTextView(BRect(10, 200, 200, 240), "TextNotes", BRect(0, 0, 190, 40),
		                  B_FOLLOW_NONE, B_WILL_DRAW | B_NAVIGABLE));
		claimer = new ClaimingControl;
		AddChild(claimer);
	}

	void AttachedToWindow() override
	{
		TDialogView::AttachedToWindow();
		SetTargetToThis(this, false);
		static_cast<BButton*>(FindView("ButtonOK"))->MakeDefault(true);
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what >= 'a' << 24 && message->what <= 'zzzz') {
			std::lock_guard<std::mutex> lock(fLock);
			fCodes.push_back(message->what);
			return;
		}
		TDialogView::MessageReceived(message);
	}

	std::vector<uint32> Codes()
	{
		std::lock_guard<std::mutex> lock(fLock);
		return fCodes;
	}

	ClaimingControl* claimer;

private:
	void Add(BView* view) { AddChild(view); }

	std::mutex fLock;
	std::vector<uint32> fCodes;
};

class TDialogViewTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		window = new TDialogWindow(BRect(100, 100, 499, 399), "Dialog", B_TITLED_WINDOW, 0);
		view = new RecordingDialogView;
		window->AddChild(view);
		window->Show();
		ASSERT_EQ(driver::Sync(window), B_OK);
	}

	BView* Find(const char* name)
	{
		return driver::FindView((std::string("Dialog/") + name).c_str());
	}

	std::vector<uint32> After(const std::function<void()>& input)
	{
		size_t before = view->Codes().size();
		input();
		EXPECT_EQ(driver::Sync(window), B_OK);
		std::vector<uint32> codes = view->Codes();
		return std::vector<uint32>(codes.begin() + before, codes.end());
	}

	BView* Focus()
	{
		BAutolock lock(window);
		return window->CurrentFocus();
	}

	TestApplication app;
	TDialogWindow* window = nullptr;
	RecordingDialogView* view = nullptr;
};

using Codes = std::vector<uint32>;

TEST_F(TDialogViewTest, AltWithTheMarkedLetterWorksEachKindOfControl)
{
	EXPECT_EQ(After([] { driver::Shortcut('s', B_CONTROL_KEY); }), Codes{'save'});

	BCheckBox* flat = static_cast<BCheckBox*>(Find("CBoxFlat"));
	EXPECT_EQ(After([] { driver::Shortcut('f', B_CONTROL_KEY); }), Codes{'flat'});
	EXPECT_EQ(flat->Value(), B_CONTROL_ON);
	EXPECT_EQ(Focus(), flat);
	EXPECT_EQ(After([] { driver::Shortcut('f', B_CONTROL_KEY); }), Codes{'flat'});
	EXPECT_EQ(flat->Value(), B_CONTROL_OFF) << "toggled back";

	EXPECT_EQ(After([] { driver::Shortcut('b', B_CONTROL_KEY); }), Codes{'beta'});
	EXPECT_EQ(static_cast<BRadioButton*>(Find("RadioB"))->Value(), B_CONTROL_ON);
	EXPECT_EQ(Focus(), Find("RadioB"));

	EXPECT_TRUE(After([] { driver::Shortcut('k', B_CONTROL_KEY); }).empty());
	EXPECT_EQ(Focus(), Find("MFieldKind"));
	EXPECT_TRUE(After([] { driver::Shortcut('n', B_CONTROL_KEY); }).empty());
	EXPECT_EQ(Focus(), static_cast<BTextControl*>(Find("TxtCtrlName"))->TextView());

	// A disabled control and a letter no label marks take nothing; a plain letter is typed.
	EXPECT_TRUE(After([] { driver::Shortcut('g', B_CONTROL_KEY); }).empty());
	EXPECT_TRUE(After([] { driver::Shortcut('x', B_CONTROL_KEY); }).empty());
	EXPECT_TRUE(After([] { driver::Type("s"); }).empty());
	EXPECT_STREQ(static_cast<BTextControl*>(Find("TxtCtrlName"))->Text(), "s");
}

TEST_F(TDialogViewTest, EscapeClicksTheCancelButtonAndEnterTheFocusedOrDefaultButton)
{
	EXPECT_EQ(After([] { driver::Key(B_ESCAPE); }), Codes{'cncl'})
	    << "although its label marks no letter";

	ASSERT_TRUE(driver::Click(static_cast<BTextControl*>(Find("TxtCtrlName"))->TextView()));
	EXPECT_EQ(After([] { driver::Key(B_ENTER); }), Codes{'okay'});

	{
		BAutolock lock(window);
		Find("ButtonSave")->MakeFocus(true);
	}
	EXPECT_EQ(After([] { driver::Key(B_ENTER); }), Codes{'save'});

	// Without a default button Enter does nothing.
	{
		BAutolock lock(window);
		window->SetDefaultButton(nullptr);
		Find("TxtCtrlName")->MakeFocus(true);
	}
	EXPECT_TRUE(After([] { driver::Key(B_ENTER); }).empty());
}

TEST_F(TDialogViewTest, EnterBreaksTheLineOfAMultiLineTextAndClaimersGetTheirKeys)
{
	BTextView* notes = static_cast<BTextView*>(Find("TextNotes"));
	ASSERT_TRUE(driver::Click(notes));
	driver::Type("a");
	EXPECT_TRUE(After([] { driver::Key(B_ENTER); }).empty());
	EXPECT_STREQ(notes->Text(), "a\n");

	ASSERT_TRUE(driver::Click(view->claimer->TextView()));
	EXPECT_TRUE(After([] {
		            driver::Key(B_ENTER);
		            driver::Key(B_ESCAPE);
	            }).empty())
	    << "neither the default button nor Cancel";
	EXPECT_EQ(view->claimer->keys, (std::vector<char>{'\n', '\x1b'}));
}

TEST(FindViewExTest, FindsViewsInsideTabsThatAreNotOnDisplay)
{
	TestApplication app;
	BWindow* window = new BWindow(BRect(0, 0, 300, 200), "Tabs", B_TITLED_WINDOW, 0);
	TBasicView* content = new TBasicView(BRect(0, 0, 300, 200), "Content", B_FOLLOW_ALL, 0);
	BTabView* tabs = new BTabView(BRect(0, 0, 300, 200), "Tabs");
	BView* first = new BView(BRect(0, 0, 100, 100), "First", B_FOLLOW_NONE, 0);
	BView* second = new BView(BRect(0, 0, 100, 100), "Second", B_FOLLOW_NONE, 0);
	BView* inner = new BView(BRect(0, 0, 10, 10), "Inner", B_FOLLOW_NONE, 0);
	second->AddChild(inner);
	tabs->AddTab(first);
	tabs->AddTab(second);
	content->AddChild(tabs);
	window->AddChild(content);
	window->Show();
	ASSERT_EQ(driver::Sync(window), B_OK);

	BAutolock lock(window);
	EXPECT_EQ(content->FindView("Inner"), nullptr) << "the second tab is not on display";
	EXPECT_EQ(content->FindViewEx("Inner"), inner);
	EXPECT_EQ(content->FindViewEx("First"), first);
	EXPECT_EQ(content->FindViewEx("Nothing"), nullptr);
	EXPECT_EQ(content->FindViewEx(nullptr, "Inner"), nullptr);
}

} // namespace
