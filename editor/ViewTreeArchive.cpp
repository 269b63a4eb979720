#include "ViewTreeArchive.h"

#include <memory>
#include <set>
#include <string>

#include <Box.h>
#include <Button.h>
#include <CheckBox.h>
#include <ColorControl.h>
#include <Font.h>
#include <InterfaceDefs.h>
#include <MenuField.h>
#include <PopUpMenu.h>
#include <StringView.h>
#include <TextControl.h>
#include <View.h>

#include "EditorLocaleKeys.h"

namespace {

// The font the archive names for the text controls and the boxes. A system without it gives
// those views the platform's plain font at the same size when the tree is rebuilt.
const char kFontFamily[] = "Haru";
const char kFontStyle[] = "Regular";
const float kFontSize = 12;

const uint32 kFollow = B_FOLLOW_LEFT | B_FOLLOW_TOP;
const uint32 kButtonFlags = B_WILL_DRAW | B_NAVIGABLE | B_FULL_UPDATE_ON_RESIZE;
const float kDivider = 90;

// Builds the tree and remembers which views carry the archived font.
class TreeBuilder {
public:
	BView* TextControl(BView* parent, BRect frame, const char* name, const char* label,
	                   alignment textAlignment)
	{
		BTextControl* control = new BTextControl(frame, name, label, "", nullptr, kFollow);
		control->SetDivider(kDivider);
		control->SetAlignment(B_ALIGN_LEFT, textAlignment);
		return Add(parent, control, true);
	}

	BView* MenuField(BView* parent, BRect frame, const char* name, const char* label)
	{
		// The pop-up menu "Menu" keeps one item marked; the editor fills it.
		BPopUpMenu* menu = new BPopUpMenu("Menu", true, true);
		BMenuField* field = new BMenuField(frame, name, label, menu, kFollow);
		field->SetDivider(kDivider);
		return Add(parent, field, false);
	}

	BView* StringView(BView* parent, BRect frame, const char* name, const char* text,
	                  alignment textAlignment = B_ALIGN_LEFT)
	{
		BStringView* view = new BStringView(frame, name, text, kFollow);
		view->SetAlignment(textAlignment);
		return Add(parent, view, false);
	}

	BView* Button(BView* parent, BRect frame, const char* name, const char* label)
	{
		return Add(parent, new BButton(frame, name, label, nullptr, kFollow, kButtonFlags), false);
	}

	BView* Box(BView* parent, BRect frame, const char* name)
	{
		BBox* box = new BBox(frame, name, kFollow);
		box->SetLabel(nullptr);
		return Add(parent, box, true);
	}

	BView* Add(BView* parent, BView* view, bool archivedFont)
	{
		if (archivedFont) {
			// The font is set so that the archive holds every font field; the family and
			// style are named afterwards, since a family the system lacks cannot be set.
			BFont font(be_plain_font);
			font.SetSize(kFontSize);
			view->SetFont(&font);
			mFontViews.insert(view->Name());
		}
		parent->AddChild(view);
		return view;
	}

	// Names the archived font in the archives of the views that carry it, at any depth.
	void NameFonts(BMessage* archive) const
	{
		const char* name = nullptr;
		if (archive->FindString("_name", &name) == B_OK && mFontViews.count(name) != 0) {
			archive->ReplaceString("_fname", 0, kFontFamily);
			archive->ReplaceString("_fname", 1, kFontStyle);
		}
		BMessage child;
		for (int32 i = 0; archive->FindMessage("_views", i, &child) == B_OK; i++) {
			NameFonts(&child);
			archive->ReplaceMessage("_views", i, &child);
		}
	}

private:
	std::set<std::string> mFontViews;
};

void build_property_box(TreeBuilder& tree, BView* box)
{
	tree.MenuField(box, BRect(10, 20, 152, 43), "MFieldFontFamily", LKK_MFIELD_FONT_FAMILY);
	tree.MenuField(box, BRect(10, 50, 152, 73), "MFieldColor", LKK_MFIELD_COLOR);
	// The colour control takes the size its cells and number fields need: 286 x 70 for
	// cells of 6 pixels in 32 columns.
	tree.Add(box, new BColorControl(BPoint(10, 80), B_CELLS_32x8, 6, "ColCtrlColor"), false);
	tree.TextControl(box, BRect(10, 195, 160, 217), "TxtCtrlLEDSize", LKK_TXT_CTRL_LED_SIZE,
	                 B_ALIGN_RIGHT);
	tree.TextControl(box, BRect(180, 195, 330, 217), "TxtCtrlLEDGap", LKK_TXT_CTRL_LED_GAP,
	                 B_ALIGN_RIGHT);
	tree.TextControl(box, BRect(350, 195, 500, 217), "TxtCtrlResolutionY",
	                 LKK_TXT_CTRL_RESOLUTION_Y, B_ALIGN_RIGHT);
	tree.StringView(box, BRect(10, 225, 90, 245), "StrViewMargin", "");
	tree.TextControl(box, BRect(100, 225, 180, 247), "TxtCtrlMarginLeft", LKK_TXT_CTRL_MARGIN_LEFT,
	                 B_ALIGN_RIGHT);
	tree.TextControl(box, BRect(190, 225, 270, 247), "TxtCtrlMarginTop", LKK_TXT_CTRL_MARGIN_TOP,
	                 B_ALIGN_RIGHT);
	tree.TextControl(box, BRect(280, 225, 360, 247), "TxtCtrlMarginRight",
	                 LKK_TXT_CTRL_MARGIN_RIGHT, B_ALIGN_RIGHT);
	tree.TextControl(box, BRect(370, 225, 450, 247), "TxtCtrlMarginBottom",
	                 LKK_TXT_CTRL_MARGIN_BOTTOM, B_ALIGN_RIGHT);
	// Kept for archives that name it; the favourite box lies over it.
	tree.StringView(box, BRect(310, 55, 590, 75), "StrViewPaletteHint", "");
	tree.StringView(box, BRect(16, 155, 116, 175), "StrViewColorPreview", "");

	BView* favorites = tree.Box(box, BRect(310, 50, 590, 175), "BoxFavoriteColorSet");
	// The FG caption anchors the grid of favourite buttons and wells.
	tree.StringView(favorites, BRect(10, 40, 40, 60), "StrViewFG", "FG", B_ALIGN_CENTER);
	tree.StringView(favorites, BRect(10, 65, 40, 85), "StrViewBG", "BG", B_ALIGN_CENTER);
	tree.StringView(favorites, BRect(10, 90, 40, 110), "StrViewGap", "Gap", B_ALIGN_CENTER);

	tree.Add(box,
	         new BCheckBox(BRect(10, 255, 590, 275), "CBoxCorrectHoarse", LKK_CBOX_CORRECT_HOARSE,
	                       nullptr, kFollow),
	         false);
	tree.TextControl(box, BRect(10, 285, 410, 307), "TxtCtrlSrcScreenFontSize",
	                 LKK_TXT_CTRL_SRC_SCREEN_FONT_SIZE, B_ALIGN_RIGHT);
}

} // namespace

BMessage build_glowplate_view_archive()
{
	TreeBuilder tree;
	std::unique_ptr<BView> root(
	    new BView(BRect(0, 0, 620, 500), "BGView", B_FOLLOW_ALL, B_WILL_DRAW | B_FRAME_EVENTS));
	// The editor is a dialog's panel.
	root->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));

	tree.TextControl(root.get(), BRect(10, 10, 310, 32), "TxtCtrlDisplayText",
	                 LKK_TXT_CTRL_DISPLAY_TEXT, B_ALIGN_LEFT);
	tree.Button(root.get(), BRect(530, 10, 610, 35), "ButtonRegenerate", LKK_BUTTON_REGENERATE);
	// The box reaches 10 pixels below its last field, so that the source font size field
	// (285 to 307 in the box) lies inside it and can be seen and clicked.
	build_property_box(tree, tree.Box(root.get(), BRect(10, 40, 610, 357), "BoxProperty"));
	tree.StringView(root.get(), BRect(410, 10, 520, 30), "StrViewFreehandProtect", "");
	tree.Button(root.get(), BRect(320, 10, 400, 35), "ButtonSave", LKK_BUTTON_SAVE);

	BMessage archive;
	if (root->Archive(&archive, true) != B_OK)
		return BMessage();
	tree.NameFonts(&archive);
	return archive;
}
