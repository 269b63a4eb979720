// Buttons, check boxes and radio buttons through real input: what invokes, what does not, the
// default button, disabled controls, and archives.
#include <gtest/gtest.h>

#include <mutex>

#include <Autolock.h>
#include <Button.h>
#include <CheckBox.h>
#include <Message.h>
#include <RadioButton.h>
#include <Window.h>

#include "StylePainter.h"
#include "TestApplication.h"
#include "TestDriver.h"

namespace {

// A window that keeps every message its controls send it.
class SinkWindow : public BWindow {
public:
	SinkWindow() : BWindow(BRect(100, 100, 399, 299), "Controls", B_TITLED_WINDOW, 0) {}
	void MessageReceived(BMessage* message) override
	{
		if (message->what >= 'ct00' && message->what <= 'ctzz') {
			std::lock_guard<std::mutex> lock(fLock);
			fMessages.push_back(*message);
			return;
		}
		BWindow::MessageReceived(message);
	}
	std::vector<BMessage> Messages()
	{
		std::lock_guard<std::mutex> lock(fLock);
		return fMessages;
	}
	std::vector<uint32> Codes()
	{
		std::vector<uint32> codes;
		for (const BMessage& message : Messages())
			codes.push_back(message.what);
		return codes;
	}

private:
	std::mutex fLock;
	std::vector<BMessage> fMessages;
};

class ButtonTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		window = new SinkWindow;
		button = new BButton(BRect(10, 10, 89, 34), "Button", "Press", new BMessage('ctbt'));
		check = new BCheckBox(BRect(10, 50, 150, 70), "Check", "Check me", new BMessage('ctcb'));
		radioA = new BRadioButton(BRect(10, 80, 150, 100), "RadioA", "A", new BMessage('ctra'));
		radioB = new BRadioButton(BRect(10, 110, 150, 130), "RadioB", "B", new BMessage('ctrb'));
		window->AddChild(button);
		window->AddChild(check);
		window->AddChild(radioA);
		window->AddChild(radioB);
		window->Show();
		ASSERT_EQ(driver::Sync(window), B_OK);
	}
	void TearDown() override { app.Quit(); }

	TestApplication app;
	SinkWindow* window = nullptr;
	BButton* button = nullptr;
	BCheckBox* check = nullptr;
	BRadioButton* radioA = nullptr;
	BRadioButton* radioB = nullptr;
};

TEST_F(ButtonTest, AButtonInvokesOnAReleaseInsideAndOnSpaceAndNeverOnSetValue)
{
	ASSERT_TRUE(driver::Click(button));
	ASSERT_EQ(driver::Sync(window), B_OK);
	ASSERT_EQ(window->Messages().size(), 1u);
	BMessage sent = window->Messages()[0];
	EXPECT_TRUE(sent.HasInt64("when"));
	void* source = nullptr;
	EXPECT_EQ(sent.FindPointer("source", &source), B_OK);
	EXPECT_EQ(source, (void*)button);

	// Pressed, dragged out and released outside: taken back.
	BPoint centre = driver::ScreenCentre(button);
	driver::Press(centre);
	driver::MoveTo(centre + BPoint(100, 0));
	driver::Release(centre + BPoint(100, 0));
	{
		BAutolock lock(window);
		button->SetValue(1);
		button->SetValue(0);
		button->MakeFocus(true);
	}
	driver::Key(B_SPACE);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(window->Codes(), (std::vector<uint32>{'ctbt', 'ctbt'}));

	// Disabled, it takes nothing, and Tab passes it by.
	{
		BAutolock lock(window);
		button->SetEnabled(false);
		EXPECT_FALSE(button->IsFocus());
	}
	driver::ClickAt(centre);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(window->Messages().size(), 2u);
}

TEST_F(ButtonTest, EnterClicksTheDefaultButtonWhateverHasTheFocus)
{
	{
		BAutolock lock(window);
		button->MakeDefault(true);
		EXPECT_TRUE(button->IsDefault());
		EXPECT_EQ(window->DefaultButton(), button);
		check->MakeFocus(true);
	}
	driver::Key(B_ENTER);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(window->Codes(), (std::vector<uint32>{'ctbt'}));
	// The default button draws its ring in the highlight colour at its edge.
	EXPECT_EQ(driver::PixelAt(window, 10 + 40, 10), BPrivate::StylePainter::HighlightColor());
}

TEST_F(ButtonTest, CheckBoxesToggleAndRadioButtonsChooseOneOfTheirSiblings)
{
	ASSERT_TRUE(driver::Click(check));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(check->Value(), B_CONTROL_ON);
	{
		BAutolock lock(window);
		check->MakeFocus(true);
	}
	driver::Key(B_SPACE);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(check->Value(), B_CONTROL_OFF);

	ASSERT_TRUE(driver::Click(radioA));
	ASSERT_TRUE(driver::Click(radioB));
	ASSERT_TRUE(driver::Click(radioB)); // already chosen: nothing
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(radioA->Value(), B_CONTROL_OFF);
	EXPECT_EQ(radioB->Value(), B_CONTROL_ON);
	EXPECT_EQ(window->Codes(), (std::vector<uint32>{'ctcb', 'ctcb', 'ctra', 'ctrb'}));
	EXPECT_EQ(window->Messages()[0].GetInt32("be:value", -1), 1);
	{
		BAutolock lock(window);
		radioA->SetValue(1);
	}
	EXPECT_EQ(radioB->Value(), B_CONTROL_OFF);
	EXPECT_EQ(window->Messages().size(), 4u);
}

TEST_F(ButtonTest, LabelsStartWhereTheSizingHelpersExpect)
{
	BAutolock lock(window);
	float width, height;
	check->GetPreferredSize(&width, &height);
	EXPECT_EQ(width, std::ceil(check->StringWidth("Check me")) + 21);
	radioA->GetPreferredSize(&width, &height);
	EXPECT_EQ(width, std::ceil(radioA->StringWidth("A")) + 19);
}

TEST(ControlArchiveTest, ControlsComeBackFromTheirArchivesWithTheirState)
{
	BButton button(BRect(1, 2, 81, 27), "Save", "保存", new BMessage('save'));
	BCheckBox check(BRect(0, 0, 100, 20), "CBox", "Correct", new BMessage('ccrh'));
	check.SetValue(B_CONTROL_ON);
	check.SetEnabled(false);
	BRadioButton radio(BRect(0, 0, 100, 20), "Radio", "One", nullptr);

	BMessage buttonArchive, checkArchive, radioArchive;
	ASSERT_EQ(button.Archive(&buttonArchive), B_OK);
	ASSERT_EQ(check.Archive(&checkArchive), B_OK);
	ASSERT_EQ(radio.Archive(&radioArchive), B_OK);
	EXPECT_STREQ(buttonArchive.GetString("_label", ""), "保存");
	EXPECT_EQ(checkArchive.GetInt32("_val", 0), 1);
	EXPECT_TRUE(checkArchive.GetBool("_disable", false));
	// A value of 0 is not written, which the shared preferences rely on.
	EXPECT_FALSE(radioArchive.HasInt32("_val"));

	std::unique_ptr<BArchivable> object(instantiate_object(&buttonArchive));
	BButton* rebuilt = dynamic_cast<BButton*>(object.get());
	ASSERT_NE(rebuilt, nullptr);
	EXPECT_STREQ(rebuilt->Label(), "保存");
	EXPECT_EQ(rebuilt->Command(), (uint32)'save');
	EXPECT_EQ(rebuilt->Frame(), BRect(1, 2, 81, 27));

	std::unique_ptr<BArchivable> checkObject(instantiate_object(&checkArchive));
	BCheckBox* rebuiltCheck = dynamic_cast<BCheckBox*>(checkObject.get());
	ASSERT_NE(rebuiltCheck, nullptr);
	EXPECT_EQ(rebuiltCheck->Value(), B_CONTROL_ON);
	EXPECT_FALSE(rebuiltCheck->IsEnabled());
	std::unique_ptr<BArchivable> radioObject(instantiate_object(&radioArchive));
	EXPECT_NE(dynamic_cast<BRadioButton*>(radioObject.get()), nullptr);

	// Damaged archives give defaults, not crashes.
	BMessage damaged;
	damaged.AddString("class", "BCheckBox");
	damaged.AddInt32("_label", 7);
	damaged.AddString("_val", "x");
	std::unique_ptr<BArchivable> damagedObject(instantiate_object(&damaged));
	BCheckBox* fromDamaged = dynamic_cast<BCheckBox*>(damagedObject.get());
	ASSERT_NE(fromDamaged, nullptr);
	EXPECT_EQ(fromDamaged->Label(), nullptr);
	EXPECT_EQ(fromDamaged->Value(), 0);
}

} // namespace
