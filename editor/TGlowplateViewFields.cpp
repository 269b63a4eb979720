// The editor's message dispatch, the parameter fields, regeneration and redrawing, and fitting
// the scroll bar and the window to the picture.
#include "TGlowplateView.h"

#include <algorithm>

#include <CheckBox.h>
#include <Message.h>
#include <ScrollBar.h>
#include <TextControl.h>
#include <Window.h>

#include <TDisplayView.h>
#include <TProperty.h>

#include "FieldNumbers.h"

namespace {

// The window's width stays free within these limits; its height follows the picture.
const float kMinWindowWidth = 50;
const float kMaxWindowWidth = 10000;
// Space below the scroll bar.
const float kBottomMargin = 10;

} // namespace

void TGlowplateView::MessageReceived(BMessage* message)
{
	switch (message->what) {
	case MSG_TXT_CTRL_DISPLAY_TEXT_CHANGED:
		TxtCtrlDisplayTextChanged();
		break;
	case MSG_TXT_CTRL_LED_SIZE_CHANGED:
		TxtCtrlLEDSizeChanged();
		break;
	case MSG_TXT_CTRL_LED_GAP_CHANGED:
		TxtCtrlLEDGapChanged();
		break;
	case MSG_TXT_CTRL_RESOLUTION_Y_CHANGED:
		TxtCtrlResolutionYChanged();
		break;
	case MSG_TXT_CTRL_MARGIN_CHANGED:
		TxtCtrlMarginChanged();
		break;
	case MSG_TXT_CTRL_SRC_SCREEN_FONT_SIZE_CHANGED:
		TxtCtrlSrcScreenFontSizeChanged();
		break;
	case MSG_CBOX_CORRECT_HOARSE_CLICKED:
		CBoxCorrectHoarseClicked();
		break;
	case MSG_COL_CTRL_COLOR_CHANGED:
		ColCtrlColorChanged();
		break;
	case MSG_POP_MITEM_COLOR_CLICKED:
		PopMItemColorClicked(message);
		break;
	case MSG_BUTTON_FAVORITE_CLICKED:
		ButtonFavoriteClicked(message);
		break;
	case MSG_PALETTE_CLICKED:
		PaletteClicked(message);
		break;
	case MSG_POP_MITEM_FONT_FAMILY_CLICKED:
		PopMItemFontFamilyClicked(message);
		break;
	case MSG_BUTTON_SAVE_CLICKED:
		ButtonSaveClicked();
		break;
	case B_SAVE_REQUESTED:
		SaveRequested(message);
		break;
	default:
		TDialogView::MessageReceived(message);
		break;
	}
}

void TGlowplateView::TxtCtrlDisplayTextChanged()
{
	Generate();
}

// A lamp size or gap is taken only when the picture can still be drawn with it: the lamp
// count stays, so the renderer's check of the current picture decides.
void TGlowplateView::TxtCtrlLEDSizeChanged()
{
	int32 value;
	if (!get_txt_ctrl_num(mTxtCtrlLEDSize, &value) || value < 1 ||
	    mDisplayView->CheckUpdate(value, gProperty.mLEDGap) != B_OK)
		return;
	gProperty.mLEDSize = value;
	UpdateDisplay();
}

void TGlowplateView::TxtCtrlLEDGapChanged()
{
	int32 value;
	if (!get_txt_ctrl_num(mTxtCtrlLEDGap, &value) || value < 0 ||
	    mDisplayView->CheckUpdate(gProperty.mLEDSize, value) != B_OK)
		return;
	gProperty.mLEDGap = value;
	UpdateDisplay();
}

// The row count, the margins and the font size change the lamp count, which only a
// regeneration can tell; one that fails brings the old value back, and the picture stays.
void TGlowplateView::TxtCtrlResolutionYChanged()
{
	int32 value;
	if (!get_txt_ctrl_num(mTxtCtrlResolutionY, &value) || value < 1)
		return;
	const int32 previous = gProperty.mResolutionY;
	gProperty.mResolutionY = value;
	if (Generate() != B_OK)
		gProperty.mResolutionY = previous;
}

void TGlowplateView::TxtCtrlMarginChanged()
{
	BTextControl* const fields[4] = {mTxtCtrlMarginLeft, mTxtCtrlMarginTop, mTxtCtrlMarginRight,
	                                 mTxtCtrlMarginBottom};
	int32 previous[4];
	std::copy(gProperty.mMargin, gProperty.mMargin + 4, previous);
	int32 margins[4];
	std::copy(gProperty.mMargin, gProperty.mMargin + 4, margins);
	// Each field is taken on its own, so a field holding a refused number does not hold back
	// the others.
	for (int32 i = 0; i < 4; i++) {
		int32 value;
		if (!get_txt_ctrl_num(fields[i], &value) || value < 0)
			continue;
		const int32 kept = margins[i];
		margins[i] = value;
		if (!_FitsShownPicture(gProperty.mResolutionY, margins))
			margins[i] = kept;
	}
	std::copy(margins, margins + 4, gProperty.mMargin);
	if (Generate() != B_OK)
		std::copy(previous, previous + 4, gProperty.mMargin);
}

void TGlowplateView::TxtCtrlSrcScreenFontSizeChanged()
{
	int32 value;
	if (!get_txt_ctrl_num(mTxtCtrlSrcScreenFontSize, &value) || value < 1)
		return;
	const float previous = gProperty.mSrcScreenFontSize;
	gProperty.mSrcScreenFontSize = (float)value;
	if (Generate() != B_OK)
		gProperty.mSrcScreenFontSize = previous;
}

void TGlowplateView::CBoxCorrectHoarseClicked()
{
	if (mCBoxCorrectHoarse == nullptr)
		return;
	gProperty.mCorrectHoarse = mCBoxCorrectHoarse->Value() != 0;
	Generate();
}

bool TGlowplateView::_FitsShownPicture(int32 rows, const int32 margins[4]) const
{
	const int64 columns = std::max<int64>(mDisplayView->TextColumns(), 1) +
	                      margins[TProperty::kMarginLeft] + margins[TProperty::kMarginRight];
	const int64 lampRows =
	    (int64)rows + margins[TProperty::kMarginTop] + margins[TProperty::kMarginBottom];
	return TDisplayView::CheckPictureSize(columns, lampRows, gProperty.mLEDSize,
	                                      gProperty.mLEDGap) == B_OK;
}

status_t TGlowplateView::Generate()
{
	const char* text = mTxtCtrlDisplayText != nullptr ? mTxtCtrlDisplayText->Text() : "";
	status_t status = B_OK;
	if (text[0] != '\0') {
		status = mDisplayView->SetText(text);
		if (status == B_OK)
			mShownText = text;
	} else if (!mShownText.IsEmpty()) {
		// An empty text leaves the picture as it is; the parameters must still make a
		// picture of the text it shows, which a picture made aside tells without touching it.
		TDisplayView trial(BRect(0, 0, 1, 1), nullptr);
		status = trial.CreateSourceScreen(mShownText.String());
	}
	UpdateScrollCompos();
	AdjustWindow();
	return status;
}

status_t TGlowplateView::UpdateDisplay()
{
	const status_t status = mDisplayView->Update();
	UpdateScrollCompos();
	AdjustWindow();
	return status;
}

void TGlowplateView::UpdateScrollCompos()
{
	if (mDisplayViewContainer == nullptr)
		return;
	// Widths rather than right edges: the display's bounds move while it is scrolled.
	const float displayWidth = mDisplayView->Bounds().Width();
	mDisplayViewContainer->ResizeTo(mDisplayViewContainer->Bounds().Width(),
	                                mDisplayView->Bounds().Height());
	if (mScrlBarH == nullptr)
		return;
	mScrlBarH->MoveTo(mScrlBarH->Frame().left, mDisplayViewContainer->Frame().bottom + 1);
	const float containerWidth = mDisplayViewContainer->Bounds().Width();
	mScrlBarH->SetRange(0, std::max(0.0f, displayWidth - containerWidth));
	// A picture of one pixel column has no width to divide by and is visible whole.
	mScrlBarH->SetProportion(displayWidth > 0 ? containerWidth / displayWidth : 1.0f);
}

void TGlowplateView::AdjustWindow()
{
	BWindow* window = Window();
	if (window == nullptr || mScrlBarH == nullptr)
		return;
	const float height = Frame().top + mScrlBarH->Frame().bottom + kBottomMargin;
	window->ResizeTo(window->Bounds().Width(), height);
	window->SetSizeLimits(kMinWindowWidth, kMaxWindowWidth, height, height);
}

void TGlowplateView::FrameResized(float width, float height)
{
	TDialogView::FrameResized(width, height);
	UpdateScrollCompos();
}
