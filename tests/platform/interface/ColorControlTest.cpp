// The colour control: ramps clicked and dragged, numbers typed, what is sent and what is not,
// and its archive.
#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <Autolock.h>
#include <ColorControl.h>
#include <Message.h>
#include <TextControl.h>
#include <TextView.h>
#include <Window.h>

#include "PlatformText.h"
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
	// The control speaks the language the test asks for, whatever the machine's locale is.
	virtual BPrivate::PlatformLanguage Language() const
	{
		return BPrivate::PlatformLanguage::kEnglish;
	}

	void SetUp() override
	{
		BPrivate::set_platform_language(Language());
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

	// The labels of the three number fields, after checking that the fields stand in one
	// column inside the control and that each label ends before its number begins.
	std::vector<std::string> FieldLabels()
	{
		BAutolock lock(window);
		std::vector<std::string> labels;
		float left = -1;
		for (const char* name : {"_red", "_green", "_blue"}) {
			BTextControl* field = dynamic_cast<BTextControl*>(control->FindView(name));
			if (field == nullptr || field->Label() == nullptr) {
				ADD_FAILURE() << name;
				continue;
			}
			if (left < 0)
				left = field->Frame().left;
			EXPECT_EQ(field->Frame().left, left) << name;
			EXPECT_LE(field->Frame().right, control->Bounds().right) << name;
			EXPECT_LT(field->StringWidth(field->Label()), field->Divider() - 3) << field->Label();
			labels.push_back(field->Label());
		}
		return labels;
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
	EXPECT_EQ(FieldLabels(), (std::vector<std::string>{"Red:", "Green:", "Blue:"}));
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

class JapaneseColorControlTest : public ColorControlTest {
protected:
	BPrivate::PlatformLanguage Language() const override
	{
		return BPrivate::PlatformLanguage::kJapanese;
	}
};

TEST_F(JapaneseColorControlTest,
       TheFieldsAreLabelledInJapaneseAndTheArchiveIsTheSameInEveryLanguage)
{
	EXPECT_EQ(FieldLabels(), (std::vector<std::string>{"赤：", "緑：", "青："}));
	{
		BAutolock lock(window);
		EXPECT_EQ(control->Frame().Width(), 286) << "the frame does not depend on the language";
	}

	// A program archives its views when it is built, in whatever language its builder had: the
	// archive is the same in every language, and the labels belong to the user who reads them.
	auto flatten = [](BPrivate::PlatformLanguage language, BMessage* archive) {
		BPrivate::set_platform_language(language);
		BColorControl control(BPoint(10, 80), B_CELLS_32x8, 6, "ColCtrlColor");
		EXPECT_EQ(control.Archive(archive), B_OK);
		std::vector<char> bytes(archive->FlattenedSize());
		EXPECT_EQ(archive->Flatten(bytes.data(), (ssize_t)bytes.size()), B_OK);
		return bytes;
	};
	BMessage archive, englishArchive;
	EXPECT_EQ(flatten(BPrivate::PlatformLanguage::kJapanese, &archive),
	          flatten(BPrivate::PlatformLanguage::kEnglish, &englishArchive));
	BPrivate::set_platform_language(BPrivate::PlatformLanguage::kJapanese);
	std::unique_ptr<BArchivable> object(instantiate_object(&archive));
	BColorControl* rebuilt = dynamic_cast<BColorControl*>(object.get());
	ASSERT_NE(rebuilt, nullptr);
	BTextControl* blue = dynamic_cast<BTextControl*>(rebuilt->FindView("_blue"));
	ASSERT_NE(blue, nullptr);
	EXPECT_STREQ(blue->Label(), "青：");
}

} // namespace
