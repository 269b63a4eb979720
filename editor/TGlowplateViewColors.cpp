// The three sign colours: the menu that chooses which one is edited, the colour control and
// the preview well that show and change it, and the favourite colour sets.
#include "TGlowplateView.h"

#include <ColorControl.h>
#include <Menu.h>
#include <MenuField.h>
#include <MenuItem.h>

#include <TLocale.h>
#include <TPaletteView.h>
#include <TProperty.h>
#include <UIUtils.h>

#include "EditorLocaleKeys.h"

void TGlowplateView::SetMFieldColor()
{
	if (mMFieldColor == nullptr || mMFieldColor->Menu() == nullptr)
		return;
	delete_mfield_mitems(mMFieldColor);
	for (int32 i = 0; i < TProperty::kColorCount; i++) {
		BMessage* message = new BMessage(MSG_POP_MITEM_COLOR_CLICKED);
		message->AddInt32("Color", i);
		mMFieldColor->Menu()->AddItem(new BMenuItem(gLocale.GetString(LKK_COLOR[i]), message));
	}
	set_target_for_items(mMFieldColor->Menu(), this);
}

int32 TGlowplateView::ColorSpecifierByMFieldColor() const
{
	BMenu* menu = mMFieldColor != nullptr ? mMFieldColor->Menu() : nullptr;
	BMenuItem* marked = menu != nullptr ? menu->FindMarked() : nullptr;
	int32 specifier = TProperty::kColorFG;
	if (marked == nullptr || marked->Message() == nullptr ||
	    marked->Message()->FindInt32("Color", &specifier) != B_OK)
		return TProperty::kColorFG;
	// An item's message could have been changed by anyone holding the menu; only a real
	// colour index is used.
	if (specifier < 0 || specifier >= TProperty::kColorCount)
		return TProperty::kColorFG;
	return specifier;
}

void TGlowplateView::UpdateColorCompos()
{
	const rgb_color color = gProperty.mColors[ColorSpecifierByMFieldColor()];
	if (mColCtrlColor != nullptr) {
		mColCtrlColor->SetValue((int32)(((uint32)color.red << 24) | ((uint32)color.green << 16) |
		                                ((uint32)color.blue << 8)));
	}
	mPaletteViewPreview->SetColor(color);
}

void TGlowplateView::PopMItemColorClicked(BMessage*)
{
	// The menu has marked the chosen item already.
	UpdateColorCompos();
}

void TGlowplateView::ColCtrlColorChanged()
{
	if (mColCtrlColor == nullptr)
		return;
	gProperty.mColors[ColorSpecifierByMFieldColor()] = mColCtrlColor->ValueAsColor();
	UpdateColorCompos();
	UpdateDisplay();
}

void TGlowplateView::PaletteClicked(BMessage* message)
{
	// The well's own row does not matter: its colour goes to the colour being edited.
	int32 set, row;
	if (message->FindInt32("FavoriteIndex", &set) != B_OK ||
	    message->FindInt32("ColorSpecifier", &row) != B_OK)
		return;
	TPaletteView* well = FavoriteWell(set, row);
	if (well == nullptr)
		return;
	gProperty.mColors[ColorSpecifierByMFieldColor()] = well->Color();
	UpdateColorCompos();
	UpdateDisplay();
}

void TGlowplateView::ButtonFavoriteClicked(BMessage* message)
{
	int32 set;
	if (message->FindInt32("FavoriteIndex", &set) != B_OK || set < 0 || set >= kFavoriteSets)
		return;
	for (int32 row = 0; row < kColorsPerSet; row++) {
		if (TPaletteView* well = FavoriteWell(set, row))
			gProperty.mColors[row] = well->Color();
	}
	UpdateColorCompos();
	UpdateDisplay();
}
