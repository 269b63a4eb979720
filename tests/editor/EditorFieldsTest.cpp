// The parameter fields worked through the keyboard: which entries each field takes, what a
// refused entry leaves alone, the regenerated or redrawn picture, the scroll bar over a wide
// picture, and the window whose height follows the picture after every refresh.
#include <gtest/gtest.h>

#include <CheckBox.h>
#include <ScrollBar.h>
#include <Window.h>

#include <TDisplayView.h>
#include <TProperty.h>

#include "EditorTesting.h"

namespace {

using namespace editortest;

class EditorFieldsTest : public EditorTest {
protected:
	// The shown picture is the renderer's for the text and the current parameters, and the
	// window fits it.
	void ExpectPictureOf(const char* text)
	{
		const Picture shown = ScreenPicture();
		// Of a picture wider than the container, the part from its start is visible.
		const Picture expected = crop(render_aside(text), shown.width);
		EXPECT_TRUE(shown == expected) << describe(shown) << " against " << describe(expected);
		ExpectWindowFitted();
	}

	void ExpectWindowFitted()
	{
		const float height = ExpectedWindowHeight();
		BAutolock lock(window);
		EXPECT_EQ(window->Bounds().Height(), height);
		float minWidth, maxWidth, minHeight, maxHeight;
		window->GetSizeLimits(&minWidth, &maxWidth, &minHeight, &maxHeight);
		EXPECT_EQ(minWidth, 50);
		EXPECT_EQ(maxWidth, 10000);
		EXPECT_EQ(minHeight, height);
		EXPECT_EQ(maxHeight, height);
	}

	BScrollBar* ScrollBar() { return Find<BScrollBar>("ScrlBarH"); }
};

TEST_F(EditorFieldsTest, TheLampSizeRefusesZeroNegativeAndTextAndKeepsWhatWasTyped)
{
	const Picture before = ScreenPicture();
	for (const char* entry : {"0", "-3", "abc"}) {
		Retype("TxtCtrlLEDSize", entry);
		EXPECT_EQ(FieldText("TxtCtrlLEDSize"), entry);
		EXPECT_EQ(gProperty.mLEDSize, 2) << entry;
		EXPECT_TRUE(ScreenPicture() == before) << entry;
	}
	Retype("TxtCtrlLEDSize", "3");
	EXPECT_EQ(gProperty.mLEDSize, 3);
	ExpectPictureOf("各駅停車");
}

TEST_F(EditorFieldsTest, TheGapTakesZeroAndReadsTextAsZero)
{
	Retype("TxtCtrlLEDGap", "4");
	EXPECT_EQ(gProperty.mLEDGap, 4);
	Retype("TxtCtrlLEDGap", "abc");
	EXPECT_EQ(gProperty.mLEDGap, 0);
	ExpectPictureOf("各駅停車");
	Retype("TxtCtrlLEDGap", "2");
	Retype("TxtCtrlLEDGap", "0");
	EXPECT_EQ(gProperty.mLEDGap, 0);
	ExpectPictureOf("各駅停車");
}

TEST_F(EditorFieldsTest, EachMarginTakesWhatIsAtLeastZeroAndTheSignIsRegenerated)
{
	Retype("TxtCtrlMarginRight", "3");
	Retype("TxtCtrlMarginLeft", "2");
	Retype("TxtCtrlMarginTop", "x");
	Retype("TxtCtrlMarginRight", "-1");
	Retype("TxtCtrlMarginBottom", "4");
	EXPECT_EQ(gProperty.mMargin[TProperty::kMarginLeft], 2);
	EXPECT_EQ(gProperty.mMargin[TProperty::kMarginTop], 0);
	EXPECT_EQ(gProperty.mMargin[TProperty::kMarginRight], 3) << "-1 is skipped";
	EXPECT_EQ(gProperty.mMargin[TProperty::kMarginBottom], 4);
	EXPECT_EQ(FieldText("TxtCtrlMarginRight"), "-1");
	// 24 text rows and 4 below, three pixels a lamp less the last gap.
	EXPECT_EQ(Locked([&] { return editor->DisplayView()->Bounds().Height() + 1; }), 28 * 3 - 1);
	ExpectPictureOf("各駅停車");
}

TEST_F(EditorFieldsTest, RowsAndFontSizeRegenerateAndTheFontSizeIsAWholeNumber)
{
	Retype("TxtCtrlResolutionY", "12");
	EXPECT_EQ(gProperty.mResolutionY, 12);
	ExpectPictureOf("各駅停車");
	Retype("TxtCtrlSrcScreenFontSize", "12.7");
	EXPECT_EQ(gProperty.mSrcScreenFontSize, 12.0f);
	ExpectPictureOf("各駅停車");
	Retype("TxtCtrlSrcScreenFontSize", "0");
	EXPECT_EQ(gProperty.mSrcScreenFontSize, 12.0f);

	// The check box regenerates with the correction off.
	ASSERT_TRUE(driver::Click(Find<BCheckBox>("CBoxCorrectHoarse")));
	Sync();
	EXPECT_FALSE(gProperty.mCorrectHoarse);
	ExpectPictureOf("各駅停車");
}

TEST_F(EditorFieldsTest, EveryKeystrokeIsAChangeSoTypingTwelveSetsOneThenTwelve)
{
	Retype("TxtCtrlLEDSize", "");
	EXPECT_EQ(FieldText("TxtCtrlLEDSize"), "");
	EXPECT_EQ(gProperty.mLEDSize, 2) << "an empty field reads as 0, which is refused";
	driver::Type("1");
	Sync();
	EXPECT_EQ(gProperty.mLEDSize, 1);
	ExpectPictureOf("各駅停車");
	driver::Type("2");
	Sync();
	EXPECT_EQ(gProperty.mLEDSize, 12);
	ExpectPictureOf("各駅停車");
	driver::Key(B_BACKSPACE);
	Sync();
	EXPECT_EQ(gProperty.mLEDSize, 1);
	driver::Key(B_BACKSPACE);
	Sync();
	EXPECT_EQ(gProperty.mLEDSize, 1);
}

TEST_F(EditorFieldsTest, TheTextFollowsTypingAndAnEmptyTextKeepsTheLastPicture)
{
	TypeAtEnd("TxtCtrlDisplayText", " 東京");
	ExpectPictureOf("各駅停車 東京");
	Retype("TxtCtrlDisplayText", "");
	ExpectPictureOf("各駅停車 東京");
	// Parameters still change the picture's size while the text is empty.
	Retype("TxtCtrlLEDSize", "3");
	ExpectPictureOf("各駅停車 東京");
	driver::Key(B_ENTER);
	Sync();
	EXPECT_EQ(FieldText("TxtCtrlDisplayText"), "");
}

TEST_F(EditorFieldsTest, TheScrollBarCoversAWidePictureAndTheWidthStaysFree)
{
	auto range = [&] {
		BAutolock lock(window);
		float min, max;
		ScrollBar()->GetRange(&min, &max);
		return std::make_pair(min, max);
	};
	auto widths = [&] {
		BAutolock lock(window);
		return std::make_pair(editor->DisplayView()->Bounds().Width(),
		                      editor->DisplayView()->Parent()->Bounds().Width());
	};
	// A picture narrower than the container: nothing to scroll, all of it visible.
	EXPECT_EQ(range(), std::make_pair(0.0f, 0.0f));
	EXPECT_EQ(Locked([&] { return ScrollBar()->Proportion(); }), 1.0f);

	Retype("TxtCtrlDisplayText", "各駅停車 Tokyo 東京行き 快速急行");
	auto [display, container] = widths();
	ASSERT_GT(display, container);
	EXPECT_EQ(range(), std::make_pair(0.0f, display - container));
	EXPECT_FLOAT_EQ(Locked([&] { return ScrollBar()->Proportion(); }), container / display);
	ExpectWindowFitted();

	// The width follows the user within its limits, the height never; a narrower window
	// scrolls further.
	{
		BAutolock lock(window);
		window->ResizeTo(300, 900);
	}
	Sync();
	EXPECT_EQ(Locked([&] { return window->Bounds().Width(); }), 300);
	ExpectWindowFitted();
	std::tie(display, container) = widths();
	EXPECT_EQ(container, 280);
	EXPECT_EQ(range(), std::make_pair(0.0f, display - container));
	{
		BAutolock lock(window);
		window->ResizeTo(20, 10);
	}
	EXPECT_EQ(Locked([&] { return window->Bounds().Width(); }), 50);
	ExpectWindowFitted();

	// Scrolled to the end and back to a short text: the range shrinks and the picture shows
	// from its start.
	{
		BAutolock lock(window);
		window->ResizeTo(620, 10);
		ScrollBar()->SetValue(100000);
	}
	Retype("TxtCtrlDisplayText", "快速");
	EXPECT_EQ(range(), std::make_pair(0.0f, 0.0f));
	EXPECT_EQ(Locked([&] { return editor->DisplayView()->Bounds().left; }), 0);
	ExpectPictureOf("快速");
}

// Entries beyond what a picture can have are refused like entries below the bounds: the
// field keeps them, the parameter and the picture stay.
TEST_F(EditorFieldsTest, ValuesThatMakeAPictureTooLargeForItsCoordinatesAreRefused)
{
	const Picture before = ScreenPicture();
	const struct {
		const char* field;
		const char* entry;
	} tooLarge[] = {
	    {"TxtCtrlLEDSize", "99999999"},      {"TxtCtrlLEDGap", "99999999"},
	    {"TxtCtrlResolutionY", "99999999"},  {"TxtCtrlMarginLeft", "99999999"},
	    {"TxtCtrlMarginBottom", "99999999"}, {"TxtCtrlLEDSize", "99999999999"},
	    {"TxtCtrlLEDGap", "4294967298"},     {"TxtCtrlSrcScreenFontSize", "99999999999"},
	};
	for (const auto& value : tooLarge) {
		SCOPED_TRACE(std::string(value.field) + " " + value.entry);
		Paste(value.field, value.entry);
		EXPECT_EQ(FieldText(value.field), value.entry);
		EXPECT_EQ(gProperty.mLEDSize, 2);
		EXPECT_EQ(gProperty.mLEDGap, 1);
		EXPECT_EQ(gProperty.mResolutionY, 24);
		EXPECT_EQ(gProperty.mSrcScreenFontSize, 200.0f);
		for (int32 margin : gProperty.mMargin)
			EXPECT_EQ(margin, 0);
		EXPECT_TRUE(ScreenPicture() == before);
		ExpectWindowFitted();
	}
	// A margin field holding a refused number does not hold back the others.
	Retype("TxtCtrlMarginTop", "3");
	EXPECT_EQ(gProperty.mMargin[TProperty::kMarginTop], 3);
	EXPECT_EQ(gProperty.mMargin[TProperty::kMarginLeft], 0);

	// With the text emptied the picture stays, and so do the checks against it.
	Retype("TxtCtrlDisplayText", "");
	Paste("TxtCtrlResolutionY", "99999999");
	EXPECT_EQ(gProperty.mResolutionY, 24);
	Retype("TxtCtrlDisplayText", "快速");
	ExpectPictureOf("快速");
}

} // namespace
