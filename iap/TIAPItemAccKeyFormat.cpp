#include "TIAPItemAccKeyFormat.h"

#include <MenuField.h>
#include <MenuItem.h>
#include <PopUpMenu.h>

#include <TLocale.h>

#include "IAPLocaleKeys.h"

namespace {

// The menu's own name, which the field shows while no entry is marked (a format that another
// program wrote and that the menu does not offer).
const char* const kMenuName = "Select...";

} // namespace

TIAPItemAccKeyFormat::TIAPItemAccKeyFormat() : TIAPItem(IAP_NAME_ACC_KEY_FORMAT)
{
	LoadString(&mValue);
}

TIAPItemAccKeyFormat::~TIAPItemAccKeyFormat() = default;

status_t TIAPItemAccKeyFormat::MakeConfigurationView(BView** view, bool defaults)
{
	if (view == nullptr)
		return B_BAD_VALUE;
	BPopUpMenu* menu = new BPopUpMenu(kMenuName, true, true, B_ITEMS_IN_COLUMN);
	const char* const formats[] = {IAP_ACC_KEY_FORMAT_DEFAULT, IAP_ACC_KEY_FORMAT_PAREN,
	                               IAP_ACC_KEY_FORMAT_DOT, IAP_ACC_KEY_FORMAT_DASH};
	for (const char* format : formats)
		AddMItem(menu, format, defaults);
	menu->AddSeparatorItem();
	AddMItem(menu, IAP_ACC_KEY_FORMAT_NONE, defaults);

	BMenuField* field =
	    new BMenuField(BRect(0, 0, 250, 16), ControlName("A", LKK_IAP_ACC_KEY_FORMAT).String(), "",
	                   menu, true, B_FOLLOW_LEFT | B_FOLLOW_TOP);
	BRect frame(0, 0, field->Frame().right, field->Frame().bottom + 3);
	*view = NewContainer(frame, B_FOLLOW_LEFT_RIGHT, field);
	return B_OK;
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
	if (menu == nullptr)
		return B_BAD_VALUE;
	// The entry's message is a control message that carries the format it chooses, so that
	// every store can take the value from it directly.
	BMessage* message = new BMessage;
	GetValue(message, false);
	message->what = IAP_MSG_CONTROL_CHANGED;
	message->ReplaceString(Name().String(), format);

	// The menu shows the templates themselves, without their mode byte.
	BString label;
	if (format.IsEmpty())
		label = gLocale.GetString(LKK_IAP_ACC_KEY_NONE);
	else
		format.CopyInto(label, 1, format.Length() - 1);
	BMenuItem* item = new BMenuItem(label.String(), message);
	menu->AddItem(item);

	BString value;
	GetString(&value, defaults);
	if (value == format)
		item->SetMarked(true);
	return B_OK;
}
