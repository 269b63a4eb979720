// Boxes and string views as the user sees them: captions aligned and centred on their
// baseline, drawn whole, sized to their text; a box's label standing in its top line.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include <Autolock.h>
#include <Box.h>
#include <Message.h>
#include <StringView.h>
#include <Window.h>

#include "FrameSnapshot.h"
#include "PixelTestUtils.h"
#include "TestApplication.h"
#include "TestDriver.h"

namespace {

struct Ink {
	int32 left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
	bool Empty() const { return right < 0; }
};

// A window at (100, 100) with the box "Box" (10, 10)-(300, 200) and the views the test adds
// to it; the box stands on the panel's colour.
class BoxAndStringViewTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		window = new BWindow(BRect(100, 100, 499, 399), "Boxes", B_TITLED_WINDOW, 0);
		box = new BBox(BRect(10, 10, 300, 200), "Box");
	}

	void TearDown() override { app.Quit(); }

	BStringView* AddCaption(BRect frame, const char* text, alignment align)
	{
		BStringView* view = new BStringView(frame, "Caption", text);
		view->SetAlignment(align);
		box->AddChild(view);
		return view;
	}

	void ShowWindow()
	{
		window->AddChild(box);
		window->Show();
		ASSERT_EQ(driver::Sync(window), B_OK);
	}

	// The pixels that are not the background within the rectangle (window coordinates).
	Ink InkIn(BRect rect)
	{
		rgb_color background = ui_color(B_PANEL_BACKGROUND_COLOR);
		FrameSnapshot frame(window);
		Ink ink;
		for (int32 y = (int32)rect.top; y <= (int32)rect.bottom; y++) {
			for (int32 x = (int32)rect.left; x <= (int32)rect.right; x++) {
				if (frame.At(x, y) == background)
					continue;
				ink.left = std::min(ink.left, x);
				ink.right = std::max(ink.right, x);
				ink.top = std::min(ink.top, y);
				ink.bottom = std::max(ink.bottom, y);
			}
		}
		return ink;
	}

	TestApplication app;
	BWindow* window = nullptr;
	BBox* box = nullptr;
};

} // namespace

TEST_F(BoxAndStringViewTest, ACentredCaptionSitsInTheMiddleOnTheBaseline)
{
	// The editor's "FG" caption: (10, 40)-(40, 60) in its box, centred.
	BStringView* caption = AddCaption(BRect(10, 40, 40, 60), "FG", B_ALIGN_CENTER);
	ShowWindow();
	Ink ink = InkIn(BRect(20, 50, 50, 70));
	ASSERT_FALSE(ink.Empty());
	int32 leftMargin = ink.left - 20;
	int32 rightMargin = 50 - ink.right;
	EXPECT_LE(std::abs(leftMargin - rightMargin), 1) << leftMargin << " " << rightMargin;

	// Capitals stand on the baseline, which centres the font's height in the view.
	font_height metrics;
	{
		BAutolock lock(window);
		caption->GetFontHeight(&metrics);
	}
	float top = 50 + (21 - (metrics.ascent + metrics.descent)) / 2;
	int32 baseline = (int32)std::floor(top + metrics.ascent + 0.5f);
	EXPECT_GE(ink.bottom, baseline - 1);
	EXPECT_LE(ink.bottom, baseline);
	EXPECT_GE(ink.top, 50);
}

TEST_F(BoxAndStringViewTest, CaptionsAlignLeftAndRightAndAreNeverCutShort)
{
	AddCaption(BRect(10, 20, 109, 40), "FG", B_ALIGN_LEFT);
	AddCaption(BRect(10, 50, 109, 70), "FG", B_ALIGN_RIGHT);
	// The same text in a view too narrow for it, and in one wide enough.
	AddCaption(BRect(10, 80, 29, 100), "Wide caption", B_ALIGN_LEFT);
	AddCaption(BRect(10, 110, 209, 130), "Wide caption", B_ALIGN_LEFT);
	ShowWindow();

	Ink left = InkIn(BRect(20, 30, 119, 50));
	ASSERT_FALSE(left.Empty());
	EXPECT_LE(left.left - 20, 2);
	Ink right = InkIn(BRect(20, 60, 119, 80));
	ASSERT_FALSE(right.Empty());
	EXPECT_LE(119 - right.right, 2);
	EXPECT_EQ(right.right - right.left, left.right - left.left);

	// The narrow view shows the start of the text itself, not a shortened form of it.
	FrameSnapshot frame(window);
	for (int32 y = 0; y <= 20; y++) {
		for (int32 x = 20; x <= 39; x++) {
			ASSERT_EQ(frame.At(x, 90 + y), frame.At(x, 120 + y)) << x << ", " << y;
		}
	}
}

TEST_F(BoxAndStringViewTest, APreferredSizeFitsTheText)
{
	BStringView* caption = AddCaption(BRect(10, 20, 11, 21), "FG", B_ALIGN_LEFT);
	ShowWindow();
	BAutolock lock(window);
	font_height metrics;
	caption->GetFontHeight(&metrics);
	float width, height;
	caption->GetPreferredSize(&width, &height);
	EXPECT_EQ(width, std::ceil(caption->StringWidth("FG")));
	EXPECT_EQ(height, std::ceil(metrics.ascent + metrics.descent + metrics.leading));
	caption->SetText("A longer caption");
	caption->ResizeToPreferred();
	EXPECT_EQ(caption->Bounds().Width(), std::ceil(caption->StringWidth("A longer caption")));
	EXPECT_EQ(caption->Bounds().Height(), height);
	caption->SetText(nullptr);
	EXPECT_STREQ(caption->Text(), "");
}

TEST_F(BoxAndStringViewTest, TheLabelStandsInTheTopLineOfTheFrame)
{
	box->SetLabel("Settings");
	ShowWindow();
	float labelWidth;
	float line;
	{
		BAutolock lock(window);
		labelWidth = std::ceil(box->StringWidth("Settings"));
		line = box->TopBorderOffset();
		EXPECT_GE(box->InnerFrame().top, line);
	}
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	int32 y = 10 + (int32)line;
	// The line runs up to 3 pixels before the label, and on from 3 pixels after it.
	EXPECT_NE(driver::PixelAt(window, 10 + 4, y), panel);
	EXPECT_NE(driver::PixelAt(window, 10 + 7, y), panel);
	EXPECT_EQ(driver::PixelAt(window, 10 + 8, y), panel);
	EXPECT_EQ(driver::PixelAt(window, 10 + 9, y), panel);
	int32 after = 10 + 10 + (int32)labelWidth - 1 + 3;
	EXPECT_EQ(driver::PixelAt(window, after - 1, y), panel);
	EXPECT_NE(driver::PixelAt(window, after, y), panel);
	// The label's text lies across that line, 10 pixels from the box's left.
	Ink ink = InkIn(BRect(10 + 8, 10, after - 2, 10 + 2 * line + 1));
	ASSERT_FALSE(ink.Empty());
	EXPECT_LE(ink.left - 20, 2);
	EXPECT_LT(ink.top, y);
	EXPECT_GT(ink.bottom, y);

	// Without a label the line is the box's top edge.
	{
		BAutolock lock(window);
		box->SetLabel(nullptr);
	}
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_NE(driver::PixelAt(window, 10 + 30, 10), panel);
	EXPECT_EQ(driver::PixelAt(window, 10 + 30, y), panel);
}

TEST(BoxAndStringViewArchiveTest, FieldsOfTheWrongTypeLeaveTheDefaults)
{
	BMessage archive;
	archive.AddString("class", "BStringView");
	archive.AddString("_name", "Caption");
	archive.AddRect("_frame", BRect(0, 0, 30, 20));
	archive.AddString("_align", "centre");
	archive.AddInt32("_text", 42);
	BStringView* caption = dynamic_cast<BStringView*>(instantiate_object(&archive));
	ASSERT_NE(caption, nullptr);
	EXPECT_EQ(caption->Alignment(), B_ALIGN_LEFT);
	EXPECT_STREQ(caption->Text(), "");
	delete caption;

	archive.MakeEmpty();
	archive.AddString("class", "BBox");
	archive.AddFloat("_style", 1);
	archive.AddInt32("_label", 7);
	BBox* plain = dynamic_cast<BBox*>(instantiate_object(&archive));
	ASSERT_NE(plain, nullptr);
	EXPECT_EQ(plain->Border(), B_FANCY_BORDER);
	EXPECT_EQ(plain->Label(), nullptr);
	delete plain;

	// An alignment or border out of range is the default as well.
	archive.MakeEmpty();
	archive.AddString("class", "BBox");
	archive.AddInt32("_style", 99);
	plain = dynamic_cast<BBox*>(instantiate_object(&archive));
	ASSERT_NE(plain, nullptr);
	EXPECT_EQ(plain->Border(), B_FANCY_BORDER);
	delete plain;
}
