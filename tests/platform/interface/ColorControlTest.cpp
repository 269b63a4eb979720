// The colour control: ramps clicked and dragged, numbers typed, what is sent and what is not,
// and its archive.
#include <gtest/gtest.h>

#include <mutex>

#include <Autolock.h>
#include <ColorControl.h>
#include <Message.h>
#include <TextControl.h>
#include <TextView.h>
#include <Window.h>

#include "TestApplication.h"
#include "TestDriver.h"

namespace {

class ColorWindow : public BWindow {
public:
	ColorWindow() : BWindow(BRect(100, 100, 499, 299), "Colours", B_TITLED_WINDOW, 0) {}
	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'cclc') {
			std::lock_guard<std::mutex> lock(fLock);
			values.push_back(message->GetInt32("be:value", -1));
			return;
		}
		BWindow::MessageReceived(message);
	}
	std::vector<int32> Values()
	{
		std::lock_guard<std::mutex> lock(fLock);
		return values;
	}

private:
	std::mutex fLock;
	std::vector<int32> values;
};

class ColorControlTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		window = new ColorWindow;
		control = new BColorControl(BPoint(10, 10), B_CELLS_32x8, 6, "ColCtrlColor",
		                            new BMessage('cclc'));
		window->AddChild(control);
		window->Show();
		ASSERT_EQ(driver::Sync(window), B_OK);
	}
	void TearDown() override { app.Quit(); }

	// A point of the control on the screen.
	BPoint At(float x, float y)
	{
		BAutolock lock(window);
		return control->ConvertToScreen(BPoint(x, y));
	}

	TestApplication app;
	ColorWindow* window = nullptr;
	BColorControl* control = nullptr;
};

TEST_F(ColorControlTest, ItIsAsLargeAsItsCellsAndFieldsNeed)
{
	BAutolock lock(window);
	// 32 cells of 6 pixels, then the three number fields: the frame the editor's archive has.
	EXPECT_EQ(control->Frame().Width(), 286);
	EXPECT_GE(control->Frame().Height(), 65);
	EXPECT_LE(control->Frame().Height(), 70);
	EXPECT_NE(control->FindView("_red"), nullptr);
}

TEST_F(ColorControlTest, ClickingAndDraggingTheRampsSendsEveryChange)
{
	// The red band is the second of four 12-pixel bands; its left end is 0, its right 255.
	driver::ClickAt(At(190, 18));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(control->ValueAsColor(), make_color(255, 0, 0, 255));
	driver::Press(At(1, 30));  // green band, left end
	driver::MoveTo(At(190, 30));
	driver::Release(At(190, 30));
	driver::ClickAt(At(190, 30)); // the same green again: no change, nothing sent
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(control->Value(), (int32)0xffff0000);
	EXPECT_EQ(window->Values(), (std::vector<int32>{(int32)0xff000000, (int32)0xffff0000}));

	// The grey ramp sets all three.
	driver::ClickAt(At(1, 6));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(control->Value(), 0);
}

TEST_F(ColorControlTest, SetValueSendsNothingAndTheNumbersFollow)
{
	{
		BAutolock lock(window);
		control->SetValue(make_color(12, 34, 56, 0));
		EXPECT_EQ(control->Value(), (12 << 24) | (34 << 16) | (56 << 8));
		// The colour is always opaque, whatever alpha was given.
		EXPECT_EQ(control->ValueAsColor(), make_color(12, 34, 56, 255));
		BTextControl* green = dynamic_cast<BTextControl*>(control->FindView("_green"));
		ASSERT_NE(green, nullptr);
		EXPECT_STREQ(green->Text(), "34");
	}
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_TRUE(window->Values().empty());

	// Typing a number sends the change; a number above 255 counts as 255.
	BTextControl* blue;
	{
		BAutolock lock(window);
		blue = dynamic_cast<BTextControl*>(control->FindView("_blue"));
		blue->TextView()->MakeFocus(true);
		blue->TextView()->SelectAll();
	}
	driver::Type("300");
	// The key, the field's notice to the control and the control's message: three hops.
	ASSERT_TRUE(driver::WaitFor([&] {
		return !window->Values().empty() &&
		       window->Values().back() == ((12 << 24) | (34 << 16) | (255 << 8));
	}));
	EXPECT_EQ(control->ValueAsColor(), make_color(12, 34, 255, 255));
	EXPECT_EQ(window->Values().back(), (12 << 24) | (34 << 16) | (255 << 8));
}

TEST(ColorControlArchiveTest, TheRebuiltControlFindsItsFieldsAndKeepsItsValue)
{
	BColorControl control(BPoint(10, 80), B_CELLS_32x8, 6, "ColCtrlColor", new BMessage('cclc'));
	control.SetValue(make_color(200, 100, 50));
	BMessage archive;
	ASSERT_EQ(control.Archive(&archive), B_OK);
	EXPECT_EQ(archive.GetInt32("_layout", 0), (int32)B_CELLS_32x8);
	EXPECT_EQ(archive.GetFloat("_csize", 0), 6);
	std::unique_ptr<BArchivable> object(instantiate_object(&archive));
	BColorControl* rebuilt = dynamic_cast<BColorControl*>(object.get());
	ASSERT_NE(rebuilt, nullptr);
	EXPECT_EQ(rebuilt->CountChildren(), 3);
	EXPECT_EQ(rebuilt->ValueAsColor(), make_color(200, 100, 50, 255));
	EXPECT_EQ(rebuilt->Frame(), control.Frame());
	EXPECT_EQ(rebuilt->Command(), (uint32)'cclc');
}

} // namespace
