#include "TIAPView.h"

#include <Application.h>
#include <Button.h>
#include <CheckBox.h>
#include <MenuField.h>
#include <Messenger.h>
#include <Roster.h>
#include <TextControl.h>
#include <Window.h>

#include <TBasicWindow.h>
#include <TLocale.h>
#include <TSpyFilter.h>
#include <TUTF8Utils.h>
#include <ToolkitDefs.h>
#include <UIUtils.h>

#include "IAPLocaleKeys.h"
#include "MergeAcceleratorKey.h"
#include "TIAPItemAccKeyFormat.h"

namespace {

const BRect kButtonFrame(0, 0, 80, 25);

} // namespace

TIAPView::TIAPView(BRect frame)
    : TDialogView(frame, "IAPView", B_FOLLOW_ALL, B_WILL_DRAW), mComponents(),
      mLastComponent(nullptr)
{
	mPrivateStore.SetAppSignatureRef(IAP_VIEW_SIGNATURE);
	mPrivateStore.AddItem(new TIAPItemAccKeyFormat);

	// The buttons are placed before the container is sized to them: they follow its right
	// edge, and would move if it were resized around them.
	mDefaultsButton = _NewButton("ButtonDefaults", IAP_MSG_BUTTON_DEFAULTS, BPoint(10, 10));
	mCancelButton = _NewButton("ButtonCancel", IAP_MSG_BUTTON_CANCEL,
	                           BPoint(mDefaultsButton->Frame().right + 30, 10));
	mOKButton =
	    _NewButton("ButtonOK", IAP_MSG_BUTTON_OK, BPoint(mCancelButton->Frame().right + 10, 10));
	mOKButton->MakeDefault(true);
	mButtonContainer =
	    new BView(BRect(0, 0, mOKButton->Frame().right + 10, mOKButton->Frame().bottom + 10),
	              "ButtonContainer", B_FOLLOW_LEFT_RIGHT, B_WILL_DRAW);
	mButtonContainer->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	mButtonContainer->AddChild(mDefaultsButton);
	mButtonContainer->AddChild(mCancelButton);
	mButtonContainer->AddChild(mOKButton);
	// Likewise the view takes its size before the container, which follows its sides.
	ResizeTo(mButtonContainer->Bounds().Width(), mButtonContainer->Bounds().Height());
	AddChild(mButtonContainer);
	SetViewLabels();
}

TIAPView::~TIAPView() {}

BButton* TIAPView::_NewButton(const char* name, uint32 what, BPoint leftTop)
{
	return new BButton(kButtonFrame.OffsetToCopy(leftTop), name, "", new BMessage(what),
	                   B_FOLLOW_RIGHT | B_FOLLOW_TOP,
	                   B_FULL_UPDATE_ON_RESIZE | B_WILL_DRAW | B_NAVIGABLE);
}

void TIAPView::AttachedToWindow()
{
	TDialogView::AttachedToWindow();
	// The view hears of every change of the language that reaches its window.
	Window()->AddCommonFilter(new TSpyFilter(MSG_LANGUAGE_CHANGED, BMessenger(this)));
	// The buttons report here before any component has come.
	SetTargetToThis(this, false);
}

void TIAPView::MessageReceived(BMessage* message)
{
	switch (message->what) {
	case IAP_MSG_BUTTON_OK:
		ButtonOKClicked();
		break;
	case IAP_MSG_BUTTON_CANCEL:
		ButtonCancelClicked();
		break;
	case IAP_MSG_BUTTON_DEFAULTS:
		ButtonDefaultsClicked();
		break;
	case IAP_MSG_CONTROL_CHANGED:
		IAPControlChanged(message);
		break;
	case IAP_MSG_ADD_COMPONENTS:
		IAPAddComponentsRqtd(message);
		break;
	case IAP_MSG_ACTIVATE_WINDOW:
		IAPActivateWindowRqtd();
		break;
	case B_QUIT_REQUESTED:
		// From the port: the window closes as its close box closes it. Posting never waits,
		// so a full queue cannot stop the window's own thread here.
		if (Window() != nullptr)
			Window()->PostMessage(B_QUIT_REQUESTED);
		break;
	default:
		TDialogView::MessageReceived(message);
		break;
	}
}

void TIAPView::ShortCutDown(char rawChar, int32 keyCode)
{
	if (rawChar == B_ESCAPE) {
		click_button(mCancelButton, false);
		return;
	}
	TDialogView::ShortCutDown(rawChar, keyCode);
}

void TIAPView::IAPChanged(BMessage* message)
{
	// A change that reaches the window from its application: the labels follow the format.
	if (mPrivateStore.SetValue(message) == B_OK)
		SetViewLabels();
}

void TIAPView::LanguageChanged()
{
	SetViewLabels();
}

void TIAPView::IAPActivateWindowRqtd()
{
	// Shows the window however often it was hidden, or brings it to the front.
	if (TBasicWindow* window = dynamic_cast<TBasicWindow*>(Window()))
		window->Appear();
}

void TIAPView::IAPControlChanged(BMessage* message)
{
	const char* name = nullptr;
	if (message->FindString(IAP_FIELD_SRC_ITEM, &name) != B_OK)
		return;
	BView* component = Component(name);
	if (component == nullptr)
		return;
	// The message carries the controls' present state, from which every store reads the value.
	BString key(name);
	component->Archive(message, true);
	message->what = IAP_MSG_CHANGED;
	mComponents.ReplaceMessage(key.String(), kWorkingCopy, message);
	SendMessage(message);
	mPrivateStore.SetValue(message);
	SetViewLabels();
}

void TIAPView::_HideWindow()
{
	if (Window() != nullptr && !Window()->IsHidden())
		Window()->Hide();
}

void TIAPView::ButtonOKClicked()
{
	_HideWindow();
	for (const BString& name : _FieldNames(mComponents)) {
		BMessage working;
		if (mComponents.FindMessage(name.String(), kWorkingCopy, &working) == B_OK)
			mComponents.ReplaceMessage(name.String(), kOpeningCopy, &working);
	}
}

void TIAPView::ButtonCancelClicked()
{
	_HideWindow();
	SetComponents(kOpeningCopy);
}

void TIAPView::ButtonDefaultsClicked()
{
	SetComponents(kDefaultsCopy);
}

void TIAPView::SendMessage(BMessage* message)
{
	be_app_messenger.SendMessage(message, (BHandler*)nullptr, B_INFINITE_TIMEOUT);
	be_roster->Broadcast(message);
}

void TIAPView::SetViewLabels()
{
	BString format;
	mPrivateStore.GetString(IAP_NAME_ACC_KEY_FORMAT, &format);
	for (int32 i = 0; BView* child = ChildAt(i); i++) {
		BView* control = child->ChildAt(0);
		if (control == nullptr || control->Name() == nullptr)
			continue;
		// The control's name is its letter and the dictionary key of its label.
		BString name(control->Name());
		BString letter = TUTF8Utils::SubString(name, 0, 1);
		BString text = gLocale.GetString(name.String() + letter.Length());
		BString label = merge_accelerator_key(format, letter, text);
		if (BCheckBox* checkBox = dynamic_cast<BCheckBox*>(control)) {
			checkBox->SetLabel(label.String());
		} else if (BTextControl* textControl = dynamic_cast<BTextControl*>(control)) {
			textControl->SetLabel(label.String());
			adjust_txt_ctrl_divider(textControl);
		} else if (BMenuField* field = dynamic_cast<BMenuField*>(control)) {
			field->SetLabel(label.String());
			adjust_mfield_divider(field);
		}
	}
	mDefaultsButton->SetLabel(
	    merge_accelerator_key(format, "D", gLocale.GetString(LKK_IAP_BUTTON_DEFAULTS)).String());
	// Escape and Enter serve these two, so they mark no letter.
	mCancelButton->SetLabel(gLocale.GetString(LKK_IAP_BUTTON_CANCEL));
	mOKButton->SetLabel(gLocale.GetString(LKK_IAP_BUTTON_OK));
}
