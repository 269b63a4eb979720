// Construction, labelling, layout, attaching and detaching of the editor view.
#include "TGlowplateView.h"

#include <cstdio>

#include <Box.h>
#include <Button.h>
#include <CheckBox.h>
#include <ColorControl.h>
#include <FilePanel.h>
#include <Menu.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <ScrollBar.h>
#include <StringView.h>
#include <TextControl.h>

#include <TDisplayView.h>
#include <TExitStates.h>
#include <TLocale.h>
#include <TPaletteView.h>
#include <TProperty.h>
#include <UIUtils.h>

#include "EditorLocaleKeys.h"
#include "FieldNumbers.h"

namespace {

// The favourite grid: each set is a column of a button over three wells, this far apart and
// this far from the row captions.
const float kFavoritePitch = 25;
const float kFavoriteOffset = 5;
const float kFavoriteSize = 19;
const float kFavoriteButtonTop = 20;

// A control of the archive by its name, or null when it is missing or of another class.
template <class T>
T* find_child(BView* parent, const char* name)
{
	return dynamic_cast<T*>(parent->FindView(name));
}

} // namespace

TGlowplateView::TGlowplateView(BMessage* archive)
    : TDialogView(archive), mBoxFavoriteColorSet(nullptr), mBoxProperty(nullptr), mButtonFavorite{},
      mButtonRegenerate(nullptr), mButtonSave(nullptr), mCBoxCorrectHoarse(nullptr),
      mColCtrlColor(nullptr), mSavePanel(nullptr), mMFieldColor(nullptr),
      mMFieldFontFamily(nullptr), mScrlBarH(nullptr), mStrViewColorPreview(nullptr),
      mStrViewFG(nullptr), mStrViewFreehandProtect(nullptr), mStrViewMargin(nullptr),
      mTxtCtrlDisplayText(nullptr), mTxtCtrlLEDGap(nullptr), mTxtCtrlLEDSize(nullptr),
      mTxtCtrlMarginBottom(nullptr), mTxtCtrlMarginLeft(nullptr), mTxtCtrlMarginRight(nullptr),
      mTxtCtrlMarginTop(nullptr), mTxtCtrlResolutionY(nullptr), mTxtCtrlSrcScreenFontSize(nullptr),
      mDisplayViewContainer(nullptr), mDisplayView(nullptr), mPaletteView{},
      mPaletteViewPreview(nullptr)
{
	GetChildPointers();

	mPaletteViewPreview = new TPaletteView(BRect(0, 0, 19, 19), nullptr);
	if (mBoxProperty != nullptr)
		mBoxProperty->AddChild(mPaletteViewPreview);
	else
		AddChild(mPaletteViewPreview);

	_CreateFavoriteControls();
	_CreateDisplay();
	_SetMessages();

	SetMFieldFontFamily();
	if (mMFieldFontFamily != nullptr && mMFieldFontFamily->Menu() != nullptr)
		mMFieldFontFamily->Menu()->SetLabelFromMarked(false);
	SetMFieldColor();
}

TGlowplateView::~TGlowplateView()
{
	delete mSavePanel;
}

void TGlowplateView::GetChildPointers()
{
	mBoxFavoriteColorSet = find_child<BBox>(this, "BoxFavoriteColorSet");
	mBoxProperty = find_child<BBox>(this, "BoxProperty");
	mButtonRegenerate = find_child<BButton>(this, "ButtonRegenerate");
	mButtonSave = find_child<BButton>(this, "ButtonSave");
	mCBoxCorrectHoarse = find_child<BCheckBox>(this, "CBoxCorrectHoarse");
	mColCtrlColor = find_child<BColorControl>(this, "ColCtrlColor");
	mMFieldColor = find_child<BMenuField>(this, "MFieldColor");
	mMFieldFontFamily = find_child<BMenuField>(this, "MFieldFontFamily");
	mStrViewColorPreview = find_child<BStringView>(this, "StrViewColorPreview");
	mStrViewFG = find_child<BStringView>(this, "StrViewFG");
	mStrViewFreehandProtect = find_child<BStringView>(this, "StrViewFreehandProtect");
	mStrViewMargin = find_child<BStringView>(this, "StrViewMargin");
	mTxtCtrlDisplayText = find_child<BTextControl>(this, "TxtCtrlDisplayText");
	mTxtCtrlLEDGap = find_child<BTextControl>(this, "TxtCtrlLEDGap");
	mTxtCtrlLEDSize = find_child<BTextControl>(this, "TxtCtrlLEDSize");
	mTxtCtrlMarginBottom = find_child<BTextControl>(this, "TxtCtrlMarginBottom");
	mTxtCtrlMarginLeft = find_child<BTextControl>(this, "TxtCtrlMarginLeft");
	mTxtCtrlMarginRight = find_child<BTextControl>(this, "TxtCtrlMarginRight");
	mTxtCtrlMarginTop = find_child<BTextControl>(this, "TxtCtrlMarginTop");
	mTxtCtrlResolutionY = find_child<BTextControl>(this, "TxtCtrlResolutionY");
	mTxtCtrlSrcScreenFontSize = find_child<BTextControl>(this, "TxtCtrlSrcScreenFontSize");
}

void TGlowplateView::_CreateFavoriteControls()
{
	// The grid hangs off the FG caption, so moving the caption in the archive moves it all.
	if (mBoxFavoriteColorSet == nullptr || mStrViewFG == nullptr)
		return;
	const BRect anchor = mStrViewFG->Frame();
	for (int32 set = 0; set < kFavoriteSets; set++) {
		const float left = anchor.right + kFavoriteOffset + kFavoritePitch * set;
		char label[4];
		snprintf(label, sizeof(label), "%d", (int)(set + 1));
		BButton* button = new BButton(
		    BRect(left, kFavoriteButtonTop, left + kFavoriteSize, anchor.top - kFavoriteOffset),
		    "ButtonFavorite", label, CreateFavoriteMessage(set), B_FOLLOW_LEFT | B_FOLLOW_TOP,
		    B_WILL_DRAW | B_NAVIGABLE | B_FULL_UPDATE_ON_RESIZE);
		mBoxFavoriteColorSet->AddChild(button);
		mButtonFavorite[set] = button;
		for (int32 row = 0; row < kColorsPerSet; row++) {
			const float top = anchor.top + kFavoritePitch * row;
			TPaletteView* well =
			    new TPaletteView(BRect(left, top, left + kFavoriteSize, top + kFavoriteSize),
			                     CreatePaletteMessage(set, row));
			mBoxFavoriteColorSet->AddChild(well);
			mPaletteView[set][row] = well;
		}
	}
}

void TGlowplateView::_CreateDisplay()
{
	mDisplayView = new TDisplayView(BRect(0, 0, 1, 1), this);
	mDisplayView->ResizeToPreferred();

	const float top = (mBoxProperty != nullptr ? mBoxProperty->Frame().bottom : 0) + 1 + 10;
	mDisplayViewContainer =
	    new BView(BRect(10, top, Bounds().right - 10, top + mDisplayView->Bounds().bottom),
	              "DisplayViewContainer", B_FOLLOW_LEFT_RIGHT, B_WILL_DRAW | B_FRAME_EVENTS);
	// Whatever the picture does not cover shows the gap colour it started with.
	mDisplayViewContainer->SetViewColor(gProperty.mColors[TProperty::kColorGap]);
	mDisplayViewContainer->AddChild(mDisplayView);
	AddChild(mDisplayViewContainer);

	const BRect container = mDisplayViewContainer->Frame();
	mScrlBarH =
	    new BScrollBar(BRect(10, container.bottom + 1, container.right, container.bottom + 1 + 14),
	                   "ScrlBarH", mDisplayView, 0, 0, B_HORIZONTAL);
	AddChild(mScrlBarH);
	mScrlBarH->SetResizingMode(B_FOLLOW_LEFT_RIGHT);
}

void TGlowplateView::_SetMessages()
{
	// The text fields report every change of their text and have no message of their own, so
	// Enter in them sends nothing.
	struct {
		BTextControl* field;
		uint32 what;
	} const fields[] = {
	    {mTxtCtrlDisplayText, MSG_TXT_CTRL_DISPLAY_TEXT_CHANGED},
	    {mTxtCtrlLEDSize, MSG_TXT_CTRL_LED_SIZE_CHANGED},
	    {mTxtCtrlLEDGap, MSG_TXT_CTRL_LED_GAP_CHANGED},
	    {mTxtCtrlResolutionY, MSG_TXT_CTRL_RESOLUTION_Y_CHANGED},
	    {mTxtCtrlMarginLeft, MSG_TXT_CTRL_MARGIN_CHANGED},
	    {mTxtCtrlMarginTop, MSG_TXT_CTRL_MARGIN_CHANGED},
	    {mTxtCtrlMarginRight, MSG_TXT_CTRL_MARGIN_CHANGED},
	    {mTxtCtrlMarginBottom, MSG_TXT_CTRL_MARGIN_CHANGED},
	    {mTxtCtrlSrcScreenFontSize, MSG_TXT_CTRL_SRC_SCREEN_FONT_SIZE_CHANGED},
	};
	for (const auto& entry : fields) {
		if (entry.field != nullptr)
			entry.field->SetModificationMessage(new BMessage(entry.what));
	}
	if (mButtonSave != nullptr)
		mButtonSave->SetMessage(new BMessage(MSG_BUTTON_SAVE_CLICKED));
	if (mColCtrlColor != nullptr)
		mColCtrlColor->SetMessage(new BMessage(MSG_COL_CTRL_COLOR_CHANGED));
	if (mCBoxCorrectHoarse != nullptr)
		mCBoxCorrectHoarse->SetMessage(new BMessage(MSG_CBOX_CORRECT_HOARSE_CLICKED));
}

BMessage* TGlowplateView::CreateFavoriteMessage(int32 set)
{
	BMessage* message = new BMessage(MSG_BUTTON_FAVORITE_CLICKED);
	message->AddInt32("FavoriteIndex", set);
	return message;
}

BMessage* TGlowplateView::CreatePaletteMessage(int32 set, int32 row)
{
	BMessage* message = new BMessage(MSG_PALETTE_CLICKED);
	message->AddInt32("FavoriteIndex", set);
	message->AddInt32("ColorSpecifier", row);
	return message;
}

void TGlowplateView::SetViewLabels()
{
	auto text = [](const char* key) { return gLocale.GetString(key); };
	auto label_field = [&](BTextControl* field, const char* key) {
		if (field == nullptr)
			return;
		field->SetLabel(text(key));
		adjust_txt_ctrl_divider(field);
	};
	auto label_menu = [&](BMenuField* field, const char* key) {
		if (field == nullptr)
			return;
		field->SetLabel(text(key));
		adjust_mfield_divider(field);
	};

	label_field(mTxtCtrlDisplayText, LKK_TXT_CTRL_DISPLAY_TEXT);
	if (mButtonSave != nullptr)
		mButtonSave->SetLabel(text(LKK_BUTTON_SAVE));
	if (mButtonRegenerate != nullptr)
		mButtonRegenerate->SetLabel(text(LKK_BUTTON_REGENERATE));
	if (mBoxProperty != nullptr)
		mBoxProperty->SetLabel(text(LKK_BOX_PROPERTY));
	label_menu(mMFieldFontFamily, LKK_MFIELD_FONT_FAMILY);
	label_menu(mMFieldColor, LKK_MFIELD_COLOR);
	if (mStrViewColorPreview != nullptr) {
		mStrViewColorPreview->SetText(text(LKK_STR_VIEW_COLOR_PREVIEW));
		adjust_str_view_width(mStrViewColorPreview);
	}
	if (mBoxFavoriteColorSet != nullptr)
		mBoxFavoriteColorSet->SetLabel(text(LKK_BOX_FAVORITE_COLOR_SET));
	label_field(mTxtCtrlLEDSize, LKK_TXT_CTRL_LED_SIZE);
	label_field(mTxtCtrlLEDGap, LKK_TXT_CTRL_LED_GAP);
	label_field(mTxtCtrlResolutionY, LKK_TXT_CTRL_RESOLUTION_Y);
	if (mStrViewMargin != nullptr)
		mStrViewMargin->SetText(text(LKK_STR_VIEW_MARGIN));
	label_field(mTxtCtrlMarginLeft, LKK_TXT_CTRL_MARGIN_LEFT);
	label_field(mTxtCtrlMarginTop, LKK_TXT_CTRL_MARGIN_TOP);
	label_field(mTxtCtrlMarginRight, LKK_TXT_CTRL_MARGIN_RIGHT);
	label_field(mTxtCtrlMarginBottom, LKK_TXT_CTRL_MARGIN_BOTTOM);
	if (mCBoxCorrectHoarse != nullptr)
		mCBoxCorrectHoarse->SetLabel(text(LKK_CBOX_CORRECT_HOARSE));
	label_field(mTxtCtrlSrcScreenFontSize, LKK_TXT_CTRL_SRC_SCREEN_FONT_SIZE);
}

void TGlowplateView::LayoutCompos()
{
	// The preview well follows its caption, however long the caption is in the language.
	if (mStrViewColorPreview != nullptr) {
		const BRect caption = mStrViewColorPreview->Frame();
		mPaletteViewPreview->MoveTo(caption.right + 10, caption.top);
	}
	// Each button ends five pixels above the FG row whatever height the platform gave it.
	if (mStrViewFG == nullptr)
		return;
	for (BButton* button : mButtonFavorite) {
		if (button == nullptr)
			continue;
		const BRect frame = button->Frame();
		button->ResizeTo(frame.Width(), mStrViewFG->Frame().top - frame.top - kFavoriteOffset);
	}
}

void TGlowplateView::AttachedToWindow() {}

void TGlowplateView::AllAttached()
{
	TDialogView::AllAttached();
	if (mButtonRegenerate != nullptr)
		mButtonRegenerate->Hide();
	SetViewLabels();
	LayoutCompos();

	SetTargetToThis(this, false);
	if (mMFieldFontFamily != nullptr)
		set_target_for_items(mMFieldFontFamily->Menu(), this);
	if (mMFieldColor != nullptr)
		set_target_for_items(mMFieldColor->Menu(), this);
	SetFlags(Flags() | B_FRAME_EVENTS);

	// Setting the texts makes the fields send their modification messages, the display text's
	// first; once the window's thread gets to them they regenerate the stored sign's picture.
	if (mTxtCtrlDisplayText != nullptr)
		mTxtCtrlDisplayText->SetText(gExitStates.mDisplayText.String());
	UpdateMFieldFontFamily();
	if (mMFieldColor != nullptr && mMFieldColor->Menu() != nullptr) {
		if (BMenuItem* first = mMFieldColor->Menu()->ItemAt(0))
			first->SetMarked(true);
	}
	UpdateColorCompos();

	for (int32 set = 0; set < kFavoriteSets; set++) {
		for (int32 row = 0; row < kColorsPerSet; row++) {
			if (mPaletteView[set][row] != nullptr)
				mPaletteView[set][row]->SetColor(gExitStates.mFavoriteColorSets[set][row]);
		}
	}

	set_txt_ctrl_num(mTxtCtrlLEDSize, gProperty.mLEDSize);
	set_txt_ctrl_num(mTxtCtrlLEDGap, gProperty.mLEDGap);
	set_txt_ctrl_num(mTxtCtrlResolutionY, gProperty.mResolutionY);
	set_txt_ctrl_num(mTxtCtrlMarginLeft, gProperty.mMargin[TProperty::kMarginLeft]);
	set_txt_ctrl_num(mTxtCtrlMarginTop, gProperty.mMargin[TProperty::kMarginTop]);
	set_txt_ctrl_num(mTxtCtrlMarginRight, gProperty.mMargin[TProperty::kMarginRight]);
	set_txt_ctrl_num(mTxtCtrlMarginBottom, gProperty.mMargin[TProperty::kMarginBottom]);
	if (mCBoxCorrectHoarse != nullptr)
		mCBoxCorrectHoarse->SetValue(gProperty.mCorrectHoarse ? B_CONTROL_ON : B_CONTROL_OFF);
	set_txt_ctrl_num(mTxtCtrlSrcScreenFontSize, (int32)gProperty.mSrcScreenFontSize);

	UpdateScrollCompos();
}

void TGlowplateView::AllDetached()
{
	if (mTxtCtrlDisplayText != nullptr)
		gExitStates.mDisplayText = mTxtCtrlDisplayText->Text();
	for (int32 set = 0; set < kFavoriteSets; set++) {
		for (int32 row = 0; row < kColorsPerSet; row++) {
			if (mPaletteView[set][row] != nullptr)
				gExitStates.mFavoriteColorSets[set][row] = mPaletteView[set][row]->Color();
		}
	}
	TDialogView::AllDetached();
}

TPaletteView* TGlowplateView::FavoriteWell(int32 set, int32 row) const
{
	if (set < 0 || set >= kFavoriteSets || row < 0 || row >= kColorsPerSet)
		return nullptr;
	return mPaletteView[set][row];
}

BButton* TGlowplateView::FavoriteButton(int32 set) const
{
	return set >= 0 && set < kFavoriteSets ? mButtonFavorite[set] : nullptr;
}
