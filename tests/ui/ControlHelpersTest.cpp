// Clicking buttons visibly, closing windows held in pointers, and fitting controls to their
// labels.
#include <gtest/gtest.h>

#include <cmath>
#include <mutex>
#include <vector>

#include <Autolock.h>
#include <Button.h>
#include <CheckBox.h>
#include <RadioButton.h>
#include <Window.h>

#include "TestApplication.h"
#include "TestDriver.h"
#include "UIUtils.h"

namespace {

const uint32 kClicked = 'clkd';
const uint32 kClickIt = 'clik';

// A button that notes every value it is given, the values it is drawn with and the value it
// has when it is invoked.
class RecordingButton : public BButton {
public:
	RecordingButton(BRect frame) : BButton(frame, "Button", "Press", new BMessage(kClicked)) {}

	void SetValue(int32 value) override
	{
		values.push_back(value);
		BButton::SetValue(value);
	}
	void Draw(BRect updateRect) override
	{
		drawnWith.push_back(Value());
		BButton::Draw(updateRect);
	}
	status_t Invoke(BMessage* message = nullptr) override
	{
		invokedWith.push_back(Value());
		return BButton::Invoke(message);
	}

	std::vector<int32> values;
	std::vector<int32> drawnWith;
	std::vector<int32> invokedWith;
};

// Clicks its button from its own thread when told to, as a shortcut handler does, and counts
// the button's messages.
class ClickingWindow : public BWindow {
public:
	ClickingWindow() : BWindow(BRect(50, 50, 249, 149), "Clicking", B_TITLED_WINDOW, 0)
	{
		button = new RecordingButton(BRect(10, 10, 89, 34));
		AddChild(button);
	}
	void MessageReceived(BMessage* message) override
	{
		if (message->what == kClickIt) {
			click_button(message->GetBool("null", false) ? nullptr : button,
			             message->GetBool("force", false));
		} else if (message->what == kClicked) {
			clicks++;
		} else {
			BWindow::MessageReceived(message);
		}
	}

	RecordingButton* button;
	int32 clicks = 0;
};

class ControlHelpersTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		window = new ClickingWindow;
		window->Show();
		ASSERT_EQ(driver::Sync(window), B_OK);
	}
	void TearDown() override { app.Quit(); }

	void Click(bool force, bool null = false)
	{
		BMessage message(kClickIt);
		message.AddBool("force", force);
		message.AddBool("null", null);
		window->PostMessage(&message);
		ASSERT_EQ(driver::Sync(window), B_OK);
	}

	TestApplication app;
	ClickingWindow* window = nullptr;
};

TEST_F(ControlHelpersTest, ClickButtonShowsTheButtonPressedThenInvokesItOnce)
{
	{
		BAutolock lock(window);
		window->button->drawnWith.clear();
	}
	Click(false);
	BAutolock lock(window);
	EXPECT_EQ(window->button->values, (std::vector<int32>{1, 0}));
	// The window was drawn with the button pressed before the wait, not only afterwards.
	ASSERT_FALSE(window->button->drawnWith.empty());
	EXPECT_EQ(window->button->drawnWith.front(), 1);
	EXPECT_EQ(window->button->invokedWith, (std::vector<int32>{0}));
	EXPECT_EQ(window->clicks, 1);
}

TEST_F(ControlHelpersTest, ADisabledButtonIsClickedOnlyWhenForced)
{
	{
		BAutolock lock(window);
		window->button->SetEnabled(false);
		window->button->values.clear();
	}
	Click(false);
	Click(false, true);
	{
		BAutolock lock(window);
		EXPECT_TRUE(window->button->values.empty());
		EXPECT_TRUE(window->button->invokedWith.empty());
		EXPECT_EQ(window->clicks, 0);
	}
	Click(true);
	BAutolock lock(window);
	EXPECT_EQ(window->button->values, (std::vector<int32>{1, 0}));
	EXPECT_EQ(window->clicks, 1);
}

TEST_F(ControlHelpersTest, CloseWindowQuitsTheWindowAndForgetsIt)
{
	BWindow* none = nullptr;
	close_window(&none);
	EXPECT_EQ(none, nullptr);
	close_window((BWindow**)nullptr);

	ClickingWindow* other = new ClickingWindow;
	other->SetTitle("Other");
	other->Show();
	ASSERT_EQ(driver::Sync(other), B_OK);
	// A pointer to the window's own class works as well.
	close_window(&other);
	EXPECT_EQ(other, nullptr);
	EXPECT_EQ(driver::FindWindow("Other"), nullptr);

	BWindow* base = window;
	close_window(&base);
	EXPECT_EQ(base, nullptr);
	EXPECT_EQ(driver::FindWindow("Clicking"), nullptr);
}

TEST_F(ControlHelpersTest, ControlsFitTheirLabelsAndKeepTheirHeights)
{
	BButton* button =
	    new BButton(BRect(10, 50, 20, 74), "Wide", "A rather long label", new BMessage('wide'));
	BCheckBox* check = new BCheckBox(BRect(10, 80, 20, 99), "Check", "Check me", nullptr);
	BRadioButton* radio = new BRadioButton(BRect(10, 100, 20, 119), "Radio", "Pick me", nullptr);
	BCheckBox* unlabelled = new BCheckBox(BRect(10, 120, 90, 139), "Bare", nullptr, nullptr);
	BAutolock lock(window);
	window->AddChild(button);
	window->AddChild(check);
	window->AddChild(radio);
	window->AddChild(unlabelled);

	float preferredWidth = 0, preferredHeight = 0;
	button->GetPreferredSize(&preferredWidth, &preferredHeight);
	adjust_button_width(button);
	EXPECT_EQ(button->Bounds().Width(), std::ceil(preferredWidth));
	EXPECT_EQ(button->Bounds().Height(), 24);

	adjust_cbox_width(check);
	EXPECT_EQ(check->Bounds().Width(), std::ceil(check->StringWidth("Check me")) + 15 + 6);
	EXPECT_EQ(check->Bounds().Height(), 19);

	adjust_rbutton_width(radio);
	EXPECT_EQ(radio->Bounds().Width(), std::ceil(radio->StringWidth("Pick me")) + 17 + 2);
	EXPECT_EQ(radio->Bounds().Height(), 19);

	adjust_cbox_width(unlabelled);
	EXPECT_EQ(unlabelled->Bounds().Width(), 21);
	adjust_button_width(nullptr);
}

} // namespace
