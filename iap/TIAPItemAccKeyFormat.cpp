#include "TIAPItemAccKeyFormat.h"

TIAPItemAccKeyFormat::TIAPItemAccKeyFormat() : TIAPItem(IAP_NAME_ACC_KEY_FORMAT)
{
	LoadString(&mValue);
}

TIAPItemAccKeyFormat::~TIAPItemAccKeyFormat() = default;

status_t TIAPItemAccKeyFormat::MakeConfigurationView(BView** view, bool defaults)
{
	return -1;
}

status_t TIAPItemAccKeyFormat::GetValue(BMessage* message, bool defaults) const
{
	return GetStringValue(message, defaults);
}

status_t TIAPItemAccKeyFormat::SetValue(const BMessage* message)
{
	BString value;
	if (message->FindString(Name().String(), &value) != B_OK)
		return -1;
	mValue = value;
	if (IsFromOwnApp(message))
		SaveString(mValue);
	return B_OK;
}

status_t TIAPItemAccKeyFormat::GetString(BString* value, bool defaults) const
{
	*value = defaults ? BString(IAP_ACC_KEY_FORMAT_DEFAULT) : mValue;
	return B_OK;
}

status_t TIAPItemAccKeyFormat::SetString(const BString& value)
{
	mValue = value;
	SaveString(mValue);
	return B_OK;
}

status_t TIAPItemAccKeyFormat::AddMItem(BMenu* menu, const BString& format, bool defaults) const
{
	return -1;
}
