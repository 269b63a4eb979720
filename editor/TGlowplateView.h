// TGlowplateView is the sign editor, the main window's content view and the controller of the
// whole form: it is rebuilt from the archived view tree, adds what the archive does not hold
// (the favourite buttons and colour wells, the preview well, the LED display in its container
// and the horizontal scroll bar), labels everything from the dictionary and fills the controls
// from the sign parameters and the exit state. Every change the user makes goes straight into
// gProperty, after which the picture is regenerated or redrawn and the window fitted to it.
//
// The sources follow the editor's concerns: construction and layout (TGlowplateView.cpp),
// parameter fields and regeneration (TGlowplateViewFields.cpp), colours
// (TGlowplateViewColors.cpp), fonts (TGlowplateViewFonts.cpp) and saving
// (TGlowplateViewSave.cpp).
#ifndef T_GLOWPLATE_VIEW_H
#define T_GLOWPLATE_VIEW_H

#include <String.h>

#include <TDialogView.h>

class BBox;
class BButton;
class BCheckBox;
class BColorControl;
class BFilePanel;
class BMenuField;
class BScrollBar;
class BStringView;
class BTextControl;
class TDisplayView;
class TPaletteView;
struct entry_ref;

// The messages of the editor's controls.
enum : uint32 {
	MSG_TXT_CTRL_DISPLAY_TEXT_CHANGED = 'tdtc',
	MSG_TXT_CTRL_LED_SIZE_CHANGED = 'tlsc',
	MSG_TXT_CTRL_LED_GAP_CHANGED = 'tlgc',
	MSG_TXT_CTRL_RESOLUTION_Y_CHANGED = 'tryc',
	MSG_TXT_CTRL_MARGIN_CHANGED = 'tmgc',
	MSG_TXT_CTRL_SRC_SCREEN_FONT_SIZE_CHANGED = 'tsfc',
	MSG_CBOX_CORRECT_HOARSE_CLICKED = 'ccrh',
	MSG_COL_CTRL_COLOR_CHANGED = 'cclc',
	MSG_POP_MITEM_COLOR_CLICKED = 'pcol',
	MSG_BUTTON_FAVORITE_CLICKED = 'fvrt',
	MSG_PALETTE_CLICKED = 'palt',
	MSG_POP_MITEM_FONT_FAMILY_CLICKED = 'pffm',
	MSG_BUTTON_SAVE_CLICKED = 'save',
};

class TGlowplateView : public TDialogView {
public:
	static constexpr int32 kFavoriteSets = 9;
	static constexpr int32 kColorsPerSet = 3;

	// Builds the editor from the archived tree: finds the archived controls, creates the
	// others and gives every control its message. A control missing from the archive leaves
	// its member null, and everything that would use it does nothing.
	explicit TGlowplateView(BMessage* archive);
	~TGlowplateView() override;

	void MessageReceived(BMessage* message) override;
	void AttachedToWindow() override;
	// Labels and lays out the controls and fills them from gProperty and gExitStates; the
	// fields' modification messages then regenerate the first picture.
	void AllAttached() override;
	// Keeps the display text and the favourite colours in gExitStates.
	void AllDetached() override;
	void FrameResized(float width, float height) override;

	// Construction and layout.
	void GetChildPointers();
	void SetViewLabels();
	void LayoutCompos();
	static BMessage* CreateFavoriteMessage(int32 set);
	static BMessage* CreatePaletteMessage(int32 set, int32 row);
	static BMessage* CreateFontFamilyMessage(const char* family, const char* style);

	// Refreshing. Generate rebuilds the picture from the text; UpdateDisplay only redraws it
	// for new colours, a new lamp size or gap. Both fit the scroll bar and the window to the
	// picture, and answer whether the current parameters make a picture (B_OK), or the
	// renderer's reason why not, in which case the previous picture stays.
	status_t Generate();
	status_t UpdateDisplay();
	void AdjustWindow();
	void UpdateScrollCompos();

	// Colours.
	void SetMFieldColor();
	void UpdateColorCompos();
	int32 ColorSpecifierByMFieldColor() const;

	// Fonts.
	void SetMFieldFontFamily();
	void UpdateMFieldFontFamily();

	// What the tests and the window look at.
	TDisplayView* DisplayView() const { return mDisplayView; }
	TPaletteView* FavoriteWell(int32 set, int32 row) const;
	TPaletteView* PreviewWell() const { return mPaletteViewPreview; }
	BButton* FavoriteButton(int32 set) const;
	BFilePanel* SavePanel() const { return mSavePanel; }

private:
	void _CreateFavoriteControls();
	void _CreateDisplay();
	void _SetMessages();

	// Field handlers.
	void TxtCtrlDisplayTextChanged();
	void TxtCtrlLEDSizeChanged();
	void TxtCtrlLEDGapChanged();
	void TxtCtrlResolutionYChanged();
	void TxtCtrlMarginChanged();
	void TxtCtrlSrcScreenFontSizeChanged();
	void CBoxCorrectHoarseClicked();
	// Whether the picture on display, at its present width in text columns, could be drawn
	// with these rows and margins and the current lamp size and gap.
	bool _FitsShownPicture(int32 rows, const int32 margins[4]) const;

	// Colour handlers.
	void PopMItemColorClicked(BMessage* message);
	void ColCtrlColorChanged();
	void PaletteClicked(BMessage* message);
	void ButtonFavoriteClicked(BMessage* message);

	// Font handler.
	void PopMItemFontFamilyClicked(BMessage* message);

	// Saving.
	void ButtonSaveClicked();
	void SaveRequested(BMessage* message);
	void _ShowSaveError(const entry_ref& ref, status_t status);

	BBox* mBoxFavoriteColorSet;
	BBox* mBoxProperty;
	BButton* mButtonFavorite[kFavoriteSets];
	BButton* mButtonRegenerate;
	BButton* mButtonSave;
	BCheckBox* mCBoxCorrectHoarse;
	BColorControl* mColCtrlColor;
	BFilePanel* mSavePanel;
	BMenuField* mMFieldColor;
	BMenuField* mMFieldFontFamily;
	BScrollBar* mScrlBarH;
	BStringView* mStrViewColorPreview;
	BStringView* mStrViewFG;
	BStringView* mStrViewFreehandProtect;
	BStringView* mStrViewMargin;
	BTextControl* mTxtCtrlDisplayText;
	BTextControl* mTxtCtrlLEDGap;
	BTextControl* mTxtCtrlLEDSize;
	BTextControl* mTxtCtrlMarginBottom;
	BTextControl* mTxtCtrlMarginLeft;
	BTextControl* mTxtCtrlMarginRight;
	BTextControl* mTxtCtrlMarginTop;
	BTextControl* mTxtCtrlResolutionY;
	BTextControl* mTxtCtrlSrcScreenFontSize;
	BView* mDisplayViewContainer;
	TDisplayView* mDisplayView;
	TPaletteView* mPaletteView[kFavoriteSets][kColorsPerSet];
	TPaletteView* mPaletteViewPreview;

	// The last non-empty text that the picture was made from. While the text field is empty
	// the picture still shows it, and new parameters are checked against it.
	BString mShownText;
};

#endif
