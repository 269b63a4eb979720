#include "TIAPItemFlatToolBar.h"

#include <CheckBox.h>

#include "IAPLocaleKeys.h"

namespace {

const bool kDefault = true;

} // namespace

TIAPItemFlatToolBar::TIAPItemFlatToolBar() : TIAPItem(IAP_NAME_FLAT_TOOL_BAR), mValue(kDefault)
{
	LoadBool(&mValue);
}

TIAPItemFlatToolBar::~TIAPItemFlatToolBar() = default;

status_t TIAPItemFlatToolBar::MakeConfigurationView(BView** view, bool defaults)
{
	if (view == nullptr)
		return B_BAD_VALUE;
	BCheckBox* checkBox =
	    new BCheckBox(BRect(0, 0, 250, 25), ControlName("F", LKK_IAP_FLAT_TOOL_BAR).String(), "",
	                  NewControlMessage());
	bool value = kDefault;
	GetBool(&value, defaults);
	checkBox->SetValue(value ? B_CONTROL_ON : B_CONTROL_OFF);
	*view = NewContainer(checkBox->Bounds(), B_FOLLOW_LEFT_TOP, checkBox);
	return B_OK;
}

status_t TIAPItemFlatToolBar::GetValue(BMessage* message, bool defaults) const
{
	return GetBoolValue(message, defaults);
}

status_t TIAPItemFlatToolBar::SetValue(const BMessage* message)
{
	bool value = kDefault;
	if (message->FindBool(Name().String(), &value) != B_OK) {
		BMessage checkBox;
		if (message->FindMessage("_views", &checkBox) != B_OK)
			return -1;
		int32 checked = 0;
		value = checkBox.FindInt32("_val", &checked) == B_OK && checked != 0;
	}
	mValue = value;
	SaveBool(mValue);
	return B_OK;
}

status_t TIAPItemFlatToolBar::GetBool(bool* value, bool defaults) const
{
	*value = defaults ? kDefault : mValue;
	return B_OK;
}

status_t TIAPItemFlatToolBar::SetBool(bool value)
{
	mValue = value;
	return B_OK;
}
