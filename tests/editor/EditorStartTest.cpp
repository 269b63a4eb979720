// The editor as it starts without settings: the controls filled from the records' defaults,
// the first picture made by the fields' own modification messages, the labels, the favourite
// grid and the preview well where they belong, and what it leaves in the exit state.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include <Box.h>
#include <Button.h>
#include <CheckBox.h>
#include <ColorControl.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <StringView.h>

#include <TDisplayView.h>
#include <TExitStates.h>
#include <TPaletteView.h>
#include <TProperty.h>
#include <ViewTreeArchive.h>

#include "EditorTesting.h"
#include "FrameSnapshot.h"

namespace {

using namespace editortest;

TEST_F(EditorTest, StartsFromTheDefaultsAndShowsTheStoredTextWithoutUserAction)
{
	EXPECT_EQ(FieldText("TxtCtrlDisplayText"), "各駅停車");
	EXPECT_EQ(FieldText("TxtCtrlLEDSize"), "2");
	EXPECT_EQ(FieldText("TxtCtrlLEDGap"), "1");
	EXPECT_EQ(FieldText("TxtCtrlResolutionY"), "24");
	EXPECT_EQ(FieldText("TxtCtrlMarginLeft"), "0");
	EXPECT_EQ(FieldText("TxtCtrlMarginTop"), "0");
	EXPECT_EQ(FieldText("TxtCtrlMarginRight"), "0");
	EXPECT_EQ(FieldText("TxtCtrlMarginBottom"), "0");
	EXPECT_EQ(FieldText("TxtCtrlSrcScreenFontSize"), "200");
	EXPECT_TRUE(Locked([&] { return Find<BCheckBox>("CBoxCorrectHoarse")->Value() != 0; }));

	// The picture on screen is the stored text's, exactly as the renderer makes it.
	const Picture expected = render_aside("各駅停車");
	ASSERT_GT(expected.width, 100);
	EXPECT_EQ(expected.height, 24 * 3 - 1);
	const Picture shown = ScreenPicture();
	EXPECT_TRUE(shown == expected) << describe(shown) << " against " << describe(expected);
	EXPECT_EQ(Locked([&] { return window->Bounds().Height(); }), ExpectedWindowHeight());
}

TEST_F(EditorTest, LabelsComeFromTheDictionaryAndTheDividersFitThem)
{
	BAutolock lock(window);
	EXPECT_STREQ(Find<BButton>("ButtonSave")->Label(), "保存");
	EXPECT_TRUE(Find<BButton>("ButtonRegenerate")->IsHidden());
	EXPECT_STREQ(Find<BBox>("BoxProperty")->Label(), "設定");
	EXPECT_STREQ(Find<BBox>("BoxFavoriteColorSet")->Label(), "お気に入りのカラーセット");
	EXPECT_STREQ(Find<BStringView>("StrViewMargin")->Text(), "余白 LED 数");
	EXPECT_STREQ(Find<BStringView>("StrViewFG")->Text(), "FG");
	EXPECT_STREQ(Find<BStringView>("StrViewFreehandProtect")->Text(), "");
	EXPECT_STREQ(Find<BCheckBox>("CBoxCorrectHoarse")->Label(), "文字が掠れた場合に補正する");

	BTextControl* size = Find<BTextControl>("TxtCtrlLEDSize");
	EXPECT_STREQ(size->Label(), "LED サイズ：");
	EXPECT_FLOAT_EQ(size->Divider(), std::ceil(size->StringWidth("LED サイズ：")) + 5);
	BMenuField* font = Find<BMenuField>("MFieldFontFamily");
	EXPECT_STREQ(font->Label(), "フォント：");
	EXPECT_FLOAT_EQ(font->Divider(), std::ceil(font->StringWidth("フォント：")) + 2);
}

TEST_F(EditorTest, TheFavouriteGridHangsOffTheFGCaptionAndThePreviewFollowsItsCaption)
{
	BAutolock lock(window);
	for (int32 set = 0; set < TGlowplateView::kFavoriteSets; set++) {
		const float left = 45 + 25 * set;
		BButton* button = editor->FavoriteButton(set);
		EXPECT_EQ(button->Frame(), BRect(left, 20, left + 19, 35)) << set;
		EXPECT_EQ(button->Label(), std::to_string(set + 1));
		for (int32 row = 0; row < TGlowplateView::kColorsPerSet; row++) {
			const float top = 40 + 25 * row;
			EXPECT_EQ(editor->FavoriteWell(set, row)->Frame(),
			          BRect(left, top, left + 19, top + 19));
		}
	}
	BStringView* caption = Find<BStringView>("StrViewColorPreview");
	EXPECT_EQ(caption->Frame().Width(),
	          std::ceil(caption->StringWidth("選択された色（お気に入りにドロップで登録）")) + 2);
	EXPECT_EQ(editor->PreviewWell()->Frame().LeftTop(),
	          BPoint(caption->Frame().right + 10, caption->Frame().top));
}

// The buttons are only 20 x 16 pixels: each must show its whole number inside its border.
TEST_F(EditorTest, TheSmallFavouriteButtonsShowTheirNumbersWhole)
{
	Sync();
	FrameSnapshot frame(window);
	std::vector<std::vector<bool>> inks;
	for (int32 set = 0; set < TGlowplateView::kFavoriteSets; set++) {
		SCOPED_TRACE(set + 1);
		BRect button = Locked([&] {
			BButton* view = editor->FavoriteButton(set);
			return window->ConvertFromScreen(view->ConvertToScreen(view->Bounds()));
		});
		std::vector<bool> ink;
		BRect inked;
		for (int32 y = (int32)button.top; y <= (int32)button.bottom; y++) {
			for (int32 x = (int32)button.left; x <= (int32)button.right; x++) {
				const rgb_color pixel = frame.At(x, y);
				const bool dark = pixel.red + pixel.green + pixel.blue < 3 * 0x60;
				ink.push_back(dark);
				if (dark)
					inked = inked.IsValid() ? inked | BRect(x, y, x, y) : BRect(x, y, x, y);
			}
		}
		ASSERT_TRUE(inked.IsValid()) << "no label drawn";
		// Clear of the border on every side, so nothing of the digit is cut off.
		EXPECT_GT(inked.left, button.left + 1);
		EXPECT_LT(inked.right, button.right - 1);
		EXPECT_GT(inked.top, button.top + 1);
		EXPECT_LT(inked.bottom, button.bottom - 1);
		EXPECT_GE(inked.Height(), 6) << "a digit of a readable size";
		for (const std::vector<bool>& other : inks)
			EXPECT_NE(ink, other) << "two buttons look alike";
		inks.push_back(ink);
	}
}

TEST_F(EditorTest, MovingTheFGCaptionInTheArchiveMovesTheWholeGrid)
{
	Close();
	BMessage archive = build_glowplate_view_archive();
	// The caption lies three levels down: the editor, the property box, the favourite box.
	std::function<bool(BMessage*)> move = [&](BMessage* view) {
		if (strcmp(view->GetString("_name", ""), "StrViewFG") == 0)
			return view->ReplaceRect("_frame", BRect(20, 45, 50, 65)) == B_OK;
		BMessage child;
		for (int32 i = 0; view->FindMessage("_views", i, &child) == B_OK; i++) {
			if (move(&child))
				return view->ReplaceMessage("_views", i, &child) == B_OK;
		}
		return false;
	};
	ASSERT_TRUE(move(&archive));
	ASSERT_TRUE(Open(archive));
	BAutolock lock(window);
	EXPECT_EQ(editor->FavoriteWell(0, 0)->Frame(), BRect(55, 45, 74, 64));
	EXPECT_EQ(editor->FavoriteWell(8, 2)->Frame(), BRect(255, 95, 274, 114));
	EXPECT_EQ(editor->FavoriteButton(8)->Frame(), BRect(255, 20, 274, 40));
}

TEST_F(EditorTest, LeavingKeepsTheTextEvenEmptyAndTheFavouritesInTheExitState)
{
	const rgb_color red = make_color(200, 10, 20, 255);
	{
		BAutolock lock(window);
		editor->FavoriteWell(3, 2)->SetColor(red);
	}
	Retype("TxtCtrlDisplayText", "");
	// The picture still shows the last text.
	EXPECT_TRUE(ScreenPicture() == render_aside("各駅停車"));
	Close();
	EXPECT_EQ(gExitStates.mDisplayText, "");
	EXPECT_EQ(gExitStates.mFavoriteColorSets[3][2], red);
}

} // namespace
