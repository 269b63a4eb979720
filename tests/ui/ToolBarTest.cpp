// Tool bars and their buttons, worked through the headless display as a user works them: radio
// groups that separators split, toggles, presses taken back outside the button, flat drawing,
// the images derived from a base image, where items go, and dialog shortcuts that press them.
#include <gtest/gtest.h>

#include <Autolock.h>
#include <Bitmap.h>
#include <TextView.h>
#include <TextControl.h>
#include <Window.h>

#include "MessageRecorder.h"
#include "TDialogView.h"
#include "TDialogWindow.h"
#include "TSeparatorButton.h"
#include "TToolBar.h"
#include "TToolButton.h"
#include "TestApplication.h"
#include "TestDriver.h"
#include "ToolBarColors.h"

namespace {

const uint32 kPressed = 'tbpr';

// A 10 x 10 image: the left half opaque red, the right half fully transparent.
BBitmap* half_red_image()
{
	BBitmap* image = new BBitmap(BRect(0, 0, 9, 9), B_RGBA32);
	uint8* bits = (uint8*)image->Bits();
	for (int32 y = 0; y < 10; y++) {
		for (int32 x = 0; x < 10; x++) {
			uint8* pixel = bits + y * image->BytesPerRow() + x * 4;
			bool opaque = x < 5;
			pixel[0] = 0;
			pixel[1] = 0;
			pixel[2] = opaque ? 255 : 0;
			pixel[3] = opaque ? 255 : 0;
		}
	}
	return image;
}

rgb_color pixel_of(const BBitmap* image, int32 x, int32 y)
{
	const uint8* pixel = (const uint8*)image->Bits() + y * image->BytesPerRow() + x * 4;
	return make_color(pixel[2], pixel[1], pixel[0], pixel[3]);
}

// Everything the recorder got so far, once it has handled all that was sent to it before the
// call: a barrier posted now comes after those messages, so its arrival settles them.
std::vector<BMessage> settled(RecordingLooper* recorder)
{
	auto barriers = [&] {
		size_t count = 0;
		for (const BMessage& message : recorder->Messages())
			count += message.what == RecordingLooper::kBarrier;
		return count;
	};
	size_t before = barriers();
	recorder->PostMessage(RecordingLooper::kBarrier);
	EXPECT_TRUE(driver::WaitFor([&] { return barriers() > before; }));
	std::vector<BMessage> messages;
	for (const BMessage& message : recorder->Messages()) {
		if (message.what != RecordingLooper::kBarrier)
			messages.push_back(message);
	}
	return messages;
}

TToolButton* button(const char* name, uint32 behavior, const char* label = nullptr)
{
	BMessage* message = new BMessage(kPressed);
	message->AddString("name", name);
	return new TToolButton(BRect(0, 0, 1, 1), name, nullptr, label != nullptr ? label : name,
	                       message, behavior);
}

class ToolBarTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		window = new BWindow(BRect(100, 100, 499, 199), "Tools", B_TITLED_WINDOW, 0);
		bar = new TToolBar(BRect(0, 0, 10, 10), "ToolBar", B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP);
		window->AddChild(bar);
	}
	void TearDown() override { app.Quit(); }

	void Show()
	{
		bar->SetTargetForItems(BMessenger(recorder.Looper()));
		window->Show();
		ASSERT_EQ(driver::Sync(window), B_OK);
	}

	// The names of the buttons whose messages came so far.
	std::vector<std::string> Pressed()
	{
		EXPECT_EQ(driver::Sync(window), B_OK);
		std::vector<std::string> names;
		for (const BMessage& message : settled(recorder.Looper()))
			names.push_back(message.GetString("name", ""));
		return names;
	}

	int32 ValueOf(TToolButton* item)
	{
		EXPECT_EQ(driver::Sync(window), B_OK);
		BAutolock lock(window);
		return item->Value();
	}

	TestApplication app;
	RunningRecorder recorder;
	BWindow* window = nullptr;
	TToolBar* bar = nullptr;
};

TEST_F(ToolBarTest, SeparatorsSplitRadioGroupsAndAPushedRadioButtonStaysQuiet)
{
	TToolButton* a = button("A", TToolButton::kToggleBehavior);
	TToolButton* b = button("B", TToolButton::kToggleBehavior);
	TToolButton* c = button("C", TToolButton::kToggleBehavior);
	TToolButton* d = button("D", TToolButton::kToggleBehavior);
	bar->AddItem(a);
	bar->AddItem(b);
	bar->AddSeparatorItem();
	bar->AddItem(c);
	bar->AddItem(d);
	ASSERT_EQ(a->SetRadioMode(true), B_OK);
	ASSERT_EQ(d->SetRadioMode(true), B_OK);
	EXPECT_TRUE(b->IsRadioMode()) << "a brother follows";
	EXPECT_TRUE(c->IsRadioMode());
	a->SetValue(1);
	d->SetValue(1);
	Show();

	ASSERT_TRUE(driver::Click(b));
	EXPECT_EQ(Pressed(), (std::vector<std::string>{"B"}));
	EXPECT_EQ(ValueOf(a), 0) << "B took over in its group";
	EXPECT_EQ(ValueOf(b), 1);
	EXPECT_EQ(ValueOf(d), 1) << "the group beyond the separator is untouched";

	ASSERT_TRUE(driver::Click(b));
	ASSERT_TRUE(driver::Click(c));
	EXPECT_EQ(Pressed(), (std::vector<std::string>{"B", "C"}))
	    << "pressing the button that is on again says nothing";
	EXPECT_EQ(ValueOf(b), 1);
	EXPECT_EQ(ValueOf(c), 1);
	EXPECT_EQ(ValueOf(d), 0);
	BAutolock lock(window);
	EXPECT_EQ(bar->FindPushed(), b);
	EXPECT_EQ(bar->FindPushed(bar->IndexOf(b) + 1), c);
}

TEST_F(ToolBarTest, TogglesFlipAndPushButtonsTakeBackAPressReleasedOutside)
{
	TToolButton* toggle = button("Toggle", TToolButton::kToggleBehavior);
	TToolButton* push = button("Push", TToolButton::kPushBehavior);
	bar->AddItem(toggle);
	bar->AddItem(push);
	EXPECT_EQ(push->SetRadioMode(true), -1) << "a push button has no radio group";
	EXPECT_FALSE(push->IsRadioMode());
	Show();

	ASSERT_TRUE(driver::Click(toggle));
	EXPECT_EQ(ValueOf(toggle), 1);
	ASSERT_TRUE(driver::Click(toggle));
	EXPECT_EQ(ValueOf(toggle), 0);

	BPoint centre = driver::ScreenCentre(push);
	driver::Press(centre);
	ASSERT_EQ(driver::Sync(window), B_OK);
	{
		BAutolock lock(window);
		EXPECT_EQ(push->DrawingState(), TToolButton::kStateOn) << "shown pressed while held";
	}
	driver::MoveTo(centre + BPoint(0, 60));
	ASSERT_EQ(driver::Sync(window), B_OK);
	{
		BAutolock lock(window);
		EXPECT_EQ(push->DrawingState(), TToolButton::kStateOff) << "not while held outside";
	}
	driver::Release(centre + BPoint(0, 60));
	ASSERT_TRUE(driver::Click(push));
	EXPECT_EQ(Pressed(), (std::vector<std::string>{"Toggle", "Toggle", "Push"}));
	EXPECT_EQ(ValueOf(push), 0) << "a push button never stays on";
}

TEST_F(ToolBarTest, ADisabledBarTakesNoPressesAndDrawsItsButtonsDisabled)
{
	TToolButton* push = button("Push", TToolButton::kPushBehavior);
	bar->AddItem(push);
	Show();
	{
		BAutolock lock(window);
		bar->SetEnabled(false);
		EXPECT_FALSE(push->IsUsable());
		EXPECT_EQ(push->DrawingState(), TToolButton::kStateDisabledOff);
	}
	ASSERT_TRUE(driver::Click(push));
	EXPECT_TRUE(Pressed().empty());
}

TEST_F(ToolBarTest, FlatButtonsShowTheirBevelOnlyUnderThePointer)
{
	TToolButton* push = button("Push", TToolButton::kPushBehavior);
	bar->AddItem(push);
	bar->SetButtonFlat(true);
	bar->SetBarFlat(true);
	Show();
	BPoint corner;
	{
		BAutolock lock(window);
		corner = window->ConvertFromScreen(push->ConvertToScreen(BPoint(0, 0)));
	}
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	EXPECT_EQ(driver::PixelAt(window, corner.x, corner.y), panel);
	EXPECT_EQ(driver::PixelAt(window, 0, 0), panel) << "a flat bar has no bevel";

	driver::MoveTo(driver::ScreenCentre(push));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(driver::PixelAt(window, corner.x, corner.y), COLOR_BRIGHT_BORDER);
	EXPECT_EQ(driver::PixelAt(window, corner.x + 2, corner.y + 2), COLOR_HOT_OFF_BG);

	driver::MoveTo(BPoint(450, 180));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(driver::PixelAt(window, corner.x, corner.y), panel) << "flat again once left";

	BAutolock lock(window);
	bar->SetButtonFlat(false);
	bar->SetBarFlat(false);
	lock.Unlock();
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(driver::PixelAt(window, corner.x, corner.y), COLOR_BRIGHT_BORDER);
	EXPECT_EQ(driver::PixelAt(window, 0, 0), COLOR_BRIGHT_BORDER);
}

TEST_F(ToolBarTest, ThePointerLightsAButtonOnlyInTheActiveWindow)
{
	TToolButton* push = button("Push", TToolButton::kPushBehavior);
	bar->AddItem(push);
	Show();
	driver::MoveTo(driver::ScreenCentre(push));
	ASSERT_EQ(driver::Sync(window), B_OK);
	{
		BAutolock lock(window);
		EXPECT_TRUE(push->IsHot());
	}
	BWindow* other = new BWindow(BRect(600, 100, 700, 200), "Other", B_TITLED_WINDOW, 0);
	other->Show();
	ASSERT_TRUE(driver::WaitFor([&] {
		BAutolock lock(window);
		return !window->IsActive() && !push->IsHot();
	}));
	driver::MoveTo(BPoint(450, 180));
	driver::MoveTo(driver::ScreenCentre(push));
	ASSERT_EQ(driver::Sync(window), B_OK);
	BAutolock lock(window);
	EXPECT_FALSE(push->IsHot()) << "entering an inactive window lights nothing";
}

TEST(ToolButtonImagesTest, DerivedImagesFollowTheBaseImagesAlpha)
{
	TToolButton item(BRect(0, 0, 1, 1), "Image", half_red_image(), nullptr,
	                 TToolButton::kPushBehavior);
	EXPECT_EQ(item.Divider(), 9 + 6);
	EXPECT_EQ(item.Bounds().Width(), 9 + 6) << "image only, no label";
	ASSERT_EQ(item.SetDefaultImages(), B_OK);
	EXPECT_EQ(item.SetDefaultImages(), -1) << "nothing left to make";

	const rgb_color red = {255, 0, 0, 255};
	BBitmap* disabled = item.ImageAt(TToolButton::kStateDisabledOff);
	EXPECT_EQ(pixel_of(disabled, 2, 2), COLOR_DISABLED_FILLED);
	EXPECT_EQ(pixel_of(disabled, 7, 2).alpha, 0) << "transparent stays transparent";
	BBitmap* hot = item.ImageAt(TToolButton::kStateHotOff);
	EXPECT_EQ(pixel_of(hot, 2, 2), red);
	EXPECT_EQ(pixel_of(hot, 7, 2), COLOR_HOT_OFF_BG);
	BBitmap* on = item.ImageAt(TToolButton::kStateOn);
	EXPECT_EQ(pixel_of(on, 2, 2), red);
	EXPECT_EQ(pixel_of(on, 7, 2), COLOR_ENABLED_DISABLED_ON_BG);
	BBitmap* disabledOn = item.ImageAt(TToolButton::kStateDisabledOn);
	EXPECT_EQ(pixel_of(disabledOn, 2, 2), COLOR_DISABLED_FILLED);
	EXPECT_EQ(pixel_of(disabledOn, 7, 2), COLOR_ENABLED_DISABLED_ON_BG);

	BBitmap wrongSize(BRect(0, 0, 10, 9), B_RGBA32);
	EXPECT_EQ(item.SetImage(TToolButton::kStateOn, &wrongSize), -1);
	EXPECT_EQ(item.SetImage(TToolButton::kStateCount, nullptr), -1);
	BBitmap eightBit(BRect(0, 0, 9, 9), B_CMAP8);
	EXPECT_EQ(TToolButton::ConvertFilledCopy(&eightBit, red), nullptr);
	EXPECT_EQ(TToolButton::ConvertTransparentCopy(nullptr, red), nullptr);

	TToolButton bare(BRect(0, 0, 1, 1), "Bare", nullptr, "Text", nullptr,
	                 TToolButton::kPushBehavior);
	BBitmap* other = half_red_image();
	EXPECT_EQ(bare.SetImage(TToolButton::kStateDisabledOff, other), -1)
	    << "no state image before a base image";
	EXPECT_EQ(bare.SetDefaultImages(), -1);
	ASSERT_EQ(bare.SetImage(TToolButton::kStateOff, other), B_OK);
	EXPECT_EQ(bare.Divider(), 9 + 6);
	EXPECT_GT(bare.Bounds().Width(), 9 + 6) << "the label still has its room";
}

TEST(ToolBarItemsTest, ItemsGoWhereTheIndexSaysAndSitEdgeToEdge)
{
	TToolBar bar(BRect(0, 0, 300, 10), "Bar", B_FOLLOW_LEFT_TOP);
	TToolButton* first = button("First", TToolButton::kPushBehavior);
	TToolButton* second = button("Second", TToolButton::kPushBehavior);
	TToolButton* tall =
	    new TToolButton(BRect(0, 0, 1, 1), "Tall", new BBitmap(BRect(0, 0, 15, 39), B_RGBA32),
	                    nullptr, TToolButton::kPushBehavior);
	EXPECT_FALSE(bar.AddItem(nullptr));
	EXPECT_TRUE(bar.AddItem(first));
	EXPECT_FALSE(bar.AddItem(second, 2)) << "beyond the count";
	EXPECT_FALSE(bar.AddItem(second, -1));
	EXPECT_EQ(bar.CountItems(), 1);
	EXPECT_EQ(second->Parent(), nullptr) << "a refused item is not taken";
	EXPECT_TRUE(bar.AddItem(second, 0));
	EXPECT_FALSE(bar.AddItem(second)) << "an item is on one bar once";
	EXPECT_TRUE(bar.AddItem(tall, 1));
	EXPECT_EQ(bar.ItemAt(0), second);
	EXPECT_EQ(bar.ItemAt(1), tall);
	EXPECT_EQ(bar.ItemAt(2), first);
	EXPECT_EQ(bar.ItemAt(3), nullptr);
	EXPECT_EQ(bar.IndexOf(first), 2);
	EXPECT_EQ(bar.FindItem("Tall"), tall);
	EXPECT_EQ(bar.FindItem("None"), nullptr);

	EXPECT_EQ(second->Frame().LeftTop(), BPoint(3, 3));
	EXPECT_EQ(tall->Frame().left, second->Frame().right + 1);
	EXPECT_EQ(first->Frame().left, tall->Frame().right + 1);
	EXPECT_EQ(bar.Bounds().Height(), 39 + 6 + 6) << "the bar grew to the tallest item";
	float width, height;
	bar.GetPreferredSize(&width, &height);
	EXPECT_EQ(width, first->Frame().right + 3);
	EXPECT_EQ(height, 39 + 6 + 6);

	EXPECT_TRUE(bar.AddSeparatorItem());
	TToolButton* separator = bar.ItemAt(3);
	ASSERT_NE(dynamic_cast<TSeparatorButton*>(separator), nullptr);
	EXPECT_EQ(separator->Bounds().Height(), tall->Bounds().Height());
	EXPECT_EQ(separator->Bounds().Width(), TSeparatorButton::kWidth);
}

// A dialog whose tool buttons answer to Alt and the letters their labels mark.
class ShortcutDialog : public TDialogWindow {
public:
	ShortcutDialog() : TDialogWindow(BRect(100, 300, 399, 399), "Dialog", B_TITLED_WINDOW, 0)
	{
		TDialogView* view = new TDialogView(Bounds(), "View", B_FOLLOW_ALL, B_WILL_DRAW);
		AddChild(view);
		bar = new TToolBar(BRect(0, 0, 10, 10), "ToolBar", B_FOLLOW_LEFT_TOP);
		view->AddChild(bar);
		toggle = button("Bold", TToolButton::kToggleBehavior, "Bold (B)");
		push = button("Print", TToolButton::kPushBehavior, "Print (P)");
		bar->AddItem(toggle);
		bar->AddItem(push);
		text = new BTextControl(BRect(10, 60, 200, 80), "Text", "Text", "", nullptr);
		view->AddChild(text);
	}

	TToolBar* bar;
	TToolButton* toggle;
	TToolButton* push;
	BTextControl* text;
};

TEST(ToolButtonShortcutTest, AltAndTheMarkedLetterWorkTheButtonAndLeaveTheFocus)
{
	TestApplication app;
	RunningRecorder recorder;
	ShortcutDialog* dialog = new ShortcutDialog;
	dialog->bar->SetTargetForItems(BMessenger(recorder.Looper()));
	dialog->Show();
	ASSERT_TRUE(driver::Click(dialog->text->TextView()));
	driver::Shortcut('b', B_CONTROL_KEY);
	driver::Shortcut('p', B_CONTROL_KEY);
	ASSERT_EQ(driver::Sync(dialog), B_OK);
	std::vector<BMessage> messages = settled(recorder.Looper());
	ASSERT_EQ(messages.size(), 2u);
	EXPECT_STREQ(messages[0].GetString("name", ""), "Bold");
	EXPECT_STREQ(messages[1].GetString("name", ""), "Print");
	BAutolock lock(dialog);
	EXPECT_EQ(dialog->toggle->Value(), 1);
	EXPECT_EQ(dialog->push->Value(), 0) << "a push button is not left pressed";
	EXPECT_EQ(dialog->CurrentFocus(), dialog->text->TextView());
	lock.Unlock();
	app.Quit();
}

} // namespace
