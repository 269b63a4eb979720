// The sign colours through the colour menu, the colour control, the favourite wells and
// buttons, and colours dragged between wells and kept from one run to the next.
#include <gtest/gtest.h>

#include <Button.h>
#include <ColorControl.h>
#include <Menu.h>
#include <MenuField.h>
#include <MenuBar.h>
#include <MenuItem.h>

#include <TExitStates.h>
#include <TPaletteView.h>
#include <TProperty.h>
#include <ViewTreeArchive.h>

#include "EditorTesting.h"
#include "MenuTestSupport.h"

namespace {

using namespace editortest;

const rgb_color kWhite = make_color(255, 255, 255, 255);
const rgb_color kGreen = make_color(0, 128, 0, 255);
const rgb_color kBlack = make_color(0, 0, 0, 255);

class EditorColorsTest : public EditorTest {
protected:
	void ChooseColor(int32 index)
	{
		BMenuField* field = Find<BMenuField>("MFieldColor");
		ASSERT_TRUE(driver::Click(field->MenuBar()));
		BMenu* menu = Locked([&] { return field->Menu(); });
		ASSERT_NE(menutest::WaitOpen(menu), nullptr);
		driver::ClickAt(menutest::ItemCentre(Locked([&] { return menu->ItemAt(index); })));
		ASSERT_TRUE(menutest::WaitClosed(menu));
		Sync();
	}

	std::string ColorFieldText()
	{
		BAutolock lock(window);
		return Find<BMenuField>("MFieldColor")->MenuItem()->Label();
	}

	int32 ControlValue()
	{
		BAutolock lock(window);
		return Find<BColorControl>("ColCtrlColor")->Value();
	}

	rgb_color WellColor(TPaletteView* well)
	{
		BAutolock lock(window);
		return well->Color();
	}

	void SetWell(int32 set, int32 row, rgb_color color)
	{
		BAutolock lock(window);
		editor->FavoriteWell(set, row)->SetColor(color);
	}

	BPoint Centre(BView* view) { return driver::ScreenCentre(view); }

	// Presses, moves past the gesture threshold (the well starts its drag then), and releases
	// over the target.
	void Drag(BPoint from, BPoint to)
	{
		driver::Press(from);
		driver::MoveTo(BPoint(from.x + 5, from.y + 5));
		Sync();
		driver::MoveTo(to);
		driver::Release(to);
		Sync();
	}

	static int32 Packed(rgb_color color)
	{
		return (int32)(((uint32)color.red << 24) | ((uint32)color.green << 16) |
		               ((uint32)color.blue << 8));
	}
};

TEST_F(EditorColorsTest, AtStartFGIsChosenAndShownInTheControlAndThePreview)
{
	EXPECT_EQ(ColorFieldText(), "文字色 (FG)");
	EXPECT_TRUE(
	    Locked([&] { return Find<BMenuField>("MFieldColor")->Menu()->ItemAt(0)->IsMarked(); }));
	EXPECT_EQ(ControlValue(), Packed(kWhite));
	EXPECT_EQ(WellColor(editor->PreviewWell()), kWhite);
}

TEST_F(EditorColorsTest, ChoosingWhichColourToEditChangesOnlyTheControlAndThePreview)
{
	const Picture before = ScreenPicture();
	ChooseColor(2);
	EXPECT_EQ(ColorFieldText(), "隙間色 (Gap)");
	EXPECT_EQ(ControlValue(), Packed(kBlack));
	EXPECT_EQ(WellColor(editor->PreviewWell()), kBlack);
	EXPECT_TRUE(ScreenPicture() == before);
	EXPECT_EQ(gProperty.mColors[TProperty::kColorFG], kWhite);
	EXPECT_EQ(gProperty.mColors[TProperty::kColorBG], kGreen);

	// The control changes the colour being edited: a blue of 200 typed into its field.
	ChooseColor(1);
	Retype("_blue", "200");
	// The field tells the control, which tells the editor.
	ASSERT_TRUE(driver::WaitFor([&] {
		return Locked([&] { return gProperty.mColors[TProperty::kColorBG]; }) ==
		       make_color(0, 128, 200, 255);
	}));
	Sync();
	EXPECT_EQ(WellColor(editor->PreviewWell()), make_color(0, 128, 200, 255));
	EXPECT_TRUE(ScreenPicture() == render_aside("各駅停車"));
}

TEST_F(EditorColorsTest, AWellGivesItsColourToTheColourBeingEditedWhateverItsRow)
{
	const rgb_color orange = make_color(250, 140, 20, 255);
	SetWell(4, 0, orange);
	ChooseColor(1);
	ASSERT_TRUE(driver::Click(editor->FavoriteWell(4, 0)));
	Sync();
	EXPECT_EQ(gProperty.mColors[TProperty::kColorBG], orange);
	EXPECT_EQ(gProperty.mColors[TProperty::kColorFG], kWhite);
	EXPECT_EQ(ControlValue(), Packed(orange));
	EXPECT_EQ(WellColor(editor->PreviewWell()), orange);
	EXPECT_TRUE(ScreenPicture() == render_aside("各駅停車"));
	EXPECT_EQ(WellColor(editor->FavoriteWell(4, 0)), orange);
}

TEST_F(EditorColorsTest, ANumberedButtonGivesItsWholeSet)
{
	const rgb_color set[3] = {make_color(255, 200, 0, 255), make_color(40, 0, 0, 255),
	                          make_color(10, 10, 60, 255)};
	for (int32 row = 0; row < 3; row++)
		SetWell(6, row, set[row]);
	ChooseColor(2);
	ASSERT_TRUE(driver::Click(editor->FavoriteButton(6)));
	Sync();
	for (int32 row = 0; row < 3; row++)
		EXPECT_EQ(gProperty.mColors[row], set[row]) << row;
	EXPECT_EQ(ControlValue(), Packed(set[2]));
	EXPECT_TRUE(ScreenPicture() == render_aside("各駅停車"));
}

TEST_F(EditorColorsTest, ADraggedColourIsDroppedOnAWellAndKeptAfterARestart)
{
	// A colour with its own alpha, so that the drop is seen to carry all four bytes.
	const rgb_color faint = make_color(30, 160, 220, 128);
	{
		BAutolock lock(window);
		editor->PreviewWell()->SetColor(faint);
	}
	TPaletteView* target = editor->FavoriteWell(2, 1);
	const BPoint from = Centre(editor->PreviewWell());
	const BPoint to = Centre(target);
	Drag(from, to);
	ASSERT_TRUE(driver::WaitFor([&] { return WellColor(target) == faint; }));
	Sync();
	EXPECT_EQ(WellColor(editor->PreviewWell()), faint) << "the source keeps its colour";
	// Neither the drag nor the drop is a click: the sign's colours are as they were.
	EXPECT_EQ(gProperty.mColors[TProperty::kColorFG], kWhite);
	EXPECT_EQ(gProperty.mColors[TProperty::kColorBG], kGreen);

	// Between two favourite wells as well.
	Drag(to, Centre(editor->FavoriteWell(8, 2)));
	ASSERT_TRUE(driver::WaitFor([&] { return WellColor(editor->FavoriteWell(8, 2)) == faint; }));

	Close();
	EXPECT_EQ(gExitStates.mFavoriteColorSets[2][1], faint);
	ASSERT_TRUE(Open(build_glowplate_view_archive()));
	EXPECT_EQ(WellColor(editor->FavoriteWell(2, 1)), faint);
	EXPECT_EQ(WellColor(editor->FavoriteWell(8, 2)), faint);
}

TEST_F(EditorColorsTest, OnlyARawFourByteColourSetsAWell)
{
	TPaletteView* well = editor->FavoriteWell(0, 0);
	BMessenger messenger(well);
	const rgb_color blue = make_color(0, 0, 255, 255);
	BMessage typed(MSG_COLOR_DROP);
	typed.AddData("Color", B_RGB_COLOR_TYPE, &blue, sizeof(blue));
	BMessage empty(MSG_COLOR_DROP);
	BMessage shortRaw(MSG_COLOR_DROP);
	shortRaw.AddData("Color", B_RAW_TYPE, &blue, 3);
	for (BMessage* message : {&typed, &empty, &shortRaw})
		ASSERT_EQ(messenger.SendMessage(message), B_OK);
	Sync();
	EXPECT_EQ(WellColor(well), kBlack);
	BMessage raw = TPaletteView::ColorMessage(blue);
	ASSERT_EQ(messenger.SendMessage(&raw), B_OK);
	Sync();
	EXPECT_EQ(WellColor(well), blue);
}

} // namespace
