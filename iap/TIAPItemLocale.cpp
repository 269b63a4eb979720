#include "TIAPItemLocale.h"

#include <TextControl.h>

#include <TLocale.h>
#include <UIUtils.h>

#include "IAPLocaleKeys.h"

namespace {

const char* const kDefault = "enUS";

} // namespace

TIAPItemLocale::TIAPItemLocale() : TIAPItem(IAP_NAME_LOCALE)
{
	LoadString(&mValue);
	// Another program may have written the file; a code the locale would refuse is no value.
	if (!IsValidValue(mValue))
		mValue = kDefault;
}

TIAPItemLocale::~TIAPItemLocale() = default;

status_t TIAPItemLocale::MakeConfigurationView(BView** view, bool defaults)
{
	if (view == nullptr)
		return B_BAD_VALUE;
	BString value;
	GetString(&value, defaults);
	BTextControl* control =
	    new BTextControl(BRect(0, 0, 200, 25), ControlName("L", LKK_IAP_LOCALE).String(), "",
	                     value.String(), nullptr);
	// Every edit reports, not only Enter: the window applies changes as they are made.
	control->SetModificationMessage(NewControlMessage());
	*view = NewContainer(control->Bounds(), B_FOLLOW_LEFT_TOP, control);
	adjust_txt_ctrl_divider(control);
	return B_OK;
}

status_t TIAPItemLocale::GetValue(BMessage* message, bool defaults) const
{
	return GetStringValue(message, defaults);
}

status_t TIAPItemLocale::SetValue(const BMessage* message)
{
	BString value;
	if (message->FindString(Name().String(), &value) != B_OK) {
		BMessage textControl, textView;
		if (message->FindMessage("_views", &textControl) != B_OK ||
		    textControl.FindMessage("_views", &textView) != B_OK ||
		    textView.FindString("_text", &value) != B_OK)
			return -1;
	}
	return SetString(value);
}

status_t TIAPItemLocale::GetString(BString* value, bool defaults) const
{
	*value = defaults ? BString(kDefault) : mValue;
	return B_OK;
}

status_t TIAPItemLocale::SetString(const BString& value)
{
	if (!IsValidValue(value))
		return -1;
	mValue = value;
	SaveString(mValue);
	return B_OK;
}

bool TIAPItemLocale::IsValidValue(const BString& value) const
{
	return TLocale::IsValidLanguage(value);
}
