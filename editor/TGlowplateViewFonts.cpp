// The font menu: every installed family with a submenu of its styles, the current sign font in
// the field's label and in the marks, and choosing a font.
#include "TGlowplateView.h"

#include <Font.h>
#include <Menu.h>
#include <MenuField.h>
#include <MenuItem.h>

#include <TProperty.h>
#include <UIUtils.h>

BMessage* TGlowplateView::CreateFontFamilyMessage(const char* family, const char* style)
{
	BMessage* message = new BMessage(MSG_POP_MITEM_FONT_FAMILY_CLICKED);
	message->AddString("FontFamily", family);
	message->AddString("FontStyle", style);
	return message;
}

void TGlowplateView::SetMFieldFontFamily()
{
	if (mMFieldFontFamily == nullptr || mMFieldFontFamily->Menu() == nullptr)
		return;
	BMenu* menu = mMFieldFontFamily->Menu();
	delete_mfield_mitems(mMFieldFontFamily);
	for (int32 i = 0; i < count_font_families(); i++) {
		font_family family;
		if (get_font_family(i, &family) != B_OK)
			continue;
		BMenu* styles = new BMenu(family, B_ITEMS_IN_COLUMN);
		BMenuItem* familyItem = new BMenuItem(styles, CreateFontFamilyMessage(family, ""));
		for (int32 j = 0; j < count_font_styles(family); j++) {
			font_style style;
			if (get_font_style(family, j, &style) == B_OK)
				styles->AddItem(new BMenuItem(style, CreateFontFamilyMessage(family, style)));
		}
		styles->SetRadioMode(true);
		menu->AddItem(familyItem);
	}
	set_target_for_items(menu, this);
}

void TGlowplateView::UpdateMFieldFontFamily()
{
	BMenu* menu = mMFieldFontFamily != nullptr ? mMFieldFontFamily->Menu() : nullptr;
	if (menu == nullptr)
		return;
	// Every mark goes first, the families' too: a font that is not installed leaves nothing
	// marked rather than the font chosen before.
	for (int32 i = 0; BMenuItem* familyItem = menu->ItemAt(i); i++) {
		familyItem->SetMarked(false);
		if (BMenu* styles = familyItem->Submenu()) {
			for (int32 j = 0; BMenuItem* styleItem = styles->ItemAt(j); j++)
				styleItem->SetMarked(false);
		}
	}
	BString label;
	label << gProperty.mFontFamily << " (" << gProperty.mFontStyle << ")";
	if (BMenuItem* shown = mMFieldFontFamily->MenuItem())
		shown->SetLabel(label.String());

	for (int32 i = 0; BMenuItem* familyItem = menu->ItemAt(i); i++) {
		if (gProperty.mFontFamily != familyItem->Label())
			continue;
		familyItem->SetMarked(true);
		if (BMenu* styles = familyItem->Submenu()) {
			for (int32 j = 0; BMenuItem* styleItem = styles->ItemAt(j); j++) {
				if (gProperty.mFontStyle == styleItem->Label()) {
					styleItem->SetMarked(true);
					break;
				}
			}
		}
		break;
	}
}

void TGlowplateView::PopMItemFontFamilyClicked(BMessage* message)
{
	const char* family = nullptr;
	if (message->FindString("FontFamily", &family) != B_OK)
		return;
	const char* style = message->GetString("FontStyle", "");
	// The font system resolves the names: a family item's empty style becomes a style of
	// that family, and the names it answers are the ones kept.
	BFont font;
	font.SetFamilyAndStyle(family, style);
	font_family resolvedFamily;
	font_style resolvedStyle;
	font.GetFamilyAndStyle(&resolvedFamily, &resolvedStyle);

	const BString previousFamily = gProperty.mFontFamily;
	const BString previousStyle = gProperty.mFontStyle;
	gProperty.mFontFamily = resolvedFamily;
	gProperty.mFontStyle = resolvedStyle;
	UpdateMFieldFontFamily();
	if (Generate() != B_OK) {
		// A font whose picture of the text could not be made is not kept.
		gProperty.mFontFamily = previousFamily;
		gProperty.mFontStyle = previousStyle;
		UpdateMFieldFontFamily();
	}
}
