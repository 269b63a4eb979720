#include "TDialogView.h"

#include <cstring>

#include <Button.h>
#include <CheckBox.h>
#include <Control.h>
#include <MenuField.h>
#include <RadioButton.h>
#include <TextControl.h>
#include <TextView.h>
#include <Window.h>

#include "TKeyClaimer.h"
#include "TToolButton.h"
#include "UIUtils.h"

TDialogView::TDialogView(BRect frame, const char* name, uint32 resizingMode, uint32 flags)
    : TBasicView(frame, name, resizingMode, flags)
{
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
}

TDialogView::TDialogView(BMessage* archive) : TBasicView(archive) {}

TDialogView::~TDialogView() {}

void TDialogView::ShortCutDown(char rawChar, int32 keyCode)
{
	BWindow* window = Window();
	if (window == nullptr)
		return;
	BView* focus = window->CurrentFocus();
	BView* claimer = focus != nullptr && dynamic_cast<TKeyClaimer*>(focus->Parent()) != nullptr
	                     ? focus->Parent()
	                     : nullptr;
	if (rawChar == B_ENTER) {
		if (BButton* button = dynamic_cast<BButton*>(focus)) {
			click_button(button, false);
			return;
		}
		BTextView* text = dynamic_cast<BTextView*>(focus);
		if (text != nullptr && dynamic_cast<BTextControl*>(text->Parent()) == nullptr) {
			// A multi-line text takes the line break.
			text->KeyDown("\n", 1);
			return;
		}
		if (claimer != nullptr) {
			claimer->KeyDown("\n", 1);
			return;
		}
		click_button(window->DefaultButton(), false);
		return;
	}
	if (rawChar == B_ESCAPE && claimer != nullptr) {
		claimer->KeyDown("\x1b", 1);
		return;
	}
	ApplyShortCut(const_cast<TDialogView*>(this), rawChar, keyCode);
}

int32 TDialogView::ApplyShortCut(BView* view, char rawChar, int32 keyCode) const
{
	if (view == nullptr)
		return -1;
	for (int32 i = 0; BView* child = view->ChildAt(i); i++) {
		BControl* control = dynamic_cast<BControl*>(child);
		BMenuField* field = dynamic_cast<BMenuField*>(child);
		if (control != nullptr && control->IsEnabled() && control->Label() != nullptr &&
		    control->Label()[0] != '\0') {
			char shortcut = short_cut_from_label(control->Label());
			if (BButton* button = dynamic_cast<BButton*>(control)) {
				bool cancel = rawChar == B_ESCAPE && button->Name() != nullptr &&
				              strcmp(button->Name(), "ButtonCancel") == 0;
				if (shortcut == rawChar || cancel) {
					click_button(button, false);
					return 0;
				}
			} else if (BRadioButton* radio = dynamic_cast<BRadioButton*>(control)) {
				if (shortcut == rawChar) {
					radio->MakeFocus(true);
					radio->SetValue(B_CONTROL_ON);
					radio->Invoke();
					return 0;
				}
			} else if (BCheckBox* check = dynamic_cast<BCheckBox*>(control)) {
				if (shortcut == rawChar) {
					check->MakeFocus(true);
					check->SetValue(check->Value() != 0 ? B_CONTROL_OFF : B_CONTROL_ON);
					check->Invoke();
					return 0;
				}
			} else if (TToolButton* tool = dynamic_cast<TToolButton*>(control)) {
				// A tool button is worked where it stands; the focus stays where the user
				// was typing. A push button is not left on: it only sends its message.
				if (shortcut == rawChar && tool->IsUsable()) {
					if (tool->Behavior() == TToolButton::kToggleBehavior)
						tool->SetValue(B_CONTROL_ON);
					tool->Invoke();
					return 0;
				}
			} else if (shortcut == rawChar) {
				control->MakeFocus(true);
				return 0;
			}
		} else if (field != nullptr && field->IsEnabled() && field->Label() != nullptr &&
		           field->Label()[0] != '\0') {
			if (short_cut_from_label(field->Label()) == rawChar) {
				field->MakeFocus(true);
				return 0;
			}
		}
		if (ApplyShortCut(child, rawChar, keyCode) == 0)
			return 0;
	}
	return -1;
}

void TDialogView::SetTargetToThis(BView* view, bool force) const
{
	if (view == nullptr)
		return;
	if (BInvoker* invoker = dynamic_cast<BInvoker*>(view)) {
		BLooper* looper = nullptr;
		BHandler* target = invoker->Target(&looper);
		bool unset = !invoker->Messenger().IsValid();
		if (force || unset || (target != nullptr && target == view->Window()))
			invoker->SetTarget(this);
	}
	for (int32 i = 0; BView* child = view->ChildAt(i); i++)
		SetTargetToThis(child, force);
}
