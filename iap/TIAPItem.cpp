#include "TIAPItem.h"

#include <cstring>
#include <vector>

#include <AtomicFile.h>
#include <Entry.h>
#include <File.h>

#include <View.h>

#include <TTamarackArchivable.h>

namespace {

// An item file holds one small message; anything larger is not one of ours.
const off_t kMaxItemFileSize = 1024 * 1024;

} // namespace

TIAPItem::TIAPItem(const char* name) : mAppSignatureRef(nullptr), mName(name) {}

TIAPItem::~TIAPItem() = default;

status_t TIAPItem::MakeConfigurationView(BView** view, bool defaults)
{
	return -1;
}

status_t TIAPItem::GetValue(BMessage* message, bool defaults) const
{
	return -1;
}

status_t TIAPItem::SetValue(const BMessage* message)
{
	return -1;
}

status_t TIAPItem::GetBool(bool* value, bool defaults) const
{
	return -1;
}

status_t TIAPItem::SetBool(bool value)
{
	return -1;
}

status_t TIAPItem::GetString(BString* value, bool defaults) const
{
	return -1;
}

status_t TIAPItem::SetString(const BString& value)
{
	return -1;
}

status_t TIAPItem::SetAppSignatureRef(const char* signature)
{
	mAppSignatureRef = signature;
	return B_OK;
}

void TIAPItem::AddDefaultInfo(BMessage* message) const
{
	message->AddString(IAP_FIELD_SRC_APP, mAppSignatureRef != nullptr ? mAppSignatureRef : "");
	message->AddString(IAP_FIELD_SRC_ITEM, mName);
}

status_t TIAPItem::GetStringValue(BMessage* message, bool defaults) const
{
	BString value;
	status_t status = GetString(&value, defaults);
	if (status != B_OK)
		return status;
	AddDefaultInfo(message);
	message->what = IAP_MSG_CHANGED;
	return message->AddString(mName.String(), value);
}

status_t TIAPItem::GetBoolValue(BMessage* message, bool defaults) const
{
	bool value = false;
	status_t status = GetBool(&value, defaults);
	if (status != B_OK)
		return status;
	AddDefaultInfo(message);
	message->what = IAP_MSG_CHANGED;
	return message->AddBool(mName.String(), value);
}

bool TIAPItem::IsFromOwnApp(const BMessage* message) const
{
	const char* source = nullptr;
	return mAppSignatureRef != nullptr && message->FindString(IAP_FIELD_SRC_APP, &source) == B_OK &&
	       strcmp(source, mAppSignatureRef) == 0;
}

BString TIAPItem::ControlName(const char* letter, const char* labelKey)
{
	BString name(letter);
	name << labelKey;
	return name;
}

BMessage* TIAPItem::NewControlMessage() const
{
	BMessage* message = new BMessage(IAP_MSG_CONTROL_CHANGED);
	AddDefaultInfo(message);
	return message;
}

BView* TIAPItem::NewContainer(BRect frame, uint32 resizingMode, BView* control) const
{
	BView* container = new BView(frame, mName.String(), resizingMode, B_WILL_DRAW);
	container->AddChild(control);
	return container;
}

status_t TIAPItem::_GetEntry(BEntry* entry) const
{
	BString fileName(mName);
	fileName << ".arc";
	return get_settings_entry(FOLDER_NAME_KESTRA_SETTINGS_SHARED, fileName.String(), entry);
}

status_t TIAPItem::Load(BMessage* message) const
{
	BEntry entry;
	status_t status = _GetEntry(&entry);
	if (status != B_OK)
		return status;
	BFile file(&entry, B_READ_ONLY);
	if (file.InitCheck() != B_OK)
		return file.InitCheck();
	off_t size = 0;
	if (file.GetSize(&size) != B_OK || size <= 0 || size > kMaxItemFileSize)
		return B_BAD_DATA;
	// The other applications of the family write these files too, so what is read is checked
	// by Unflatten like any data from outside.
	std::vector<char> bytes((size_t)size);
	if (file.ReadExactly(bytes.data(), bytes.size()) != B_OK)
		return B_IO_ERROR;
	BMessage read;
	status = read.Unflatten(bytes.data(), (ssize_t)bytes.size());
	if (status == B_OK)
		*message = read;
	return status;
}

status_t TIAPItem::Save(BMessage message) const
{
	message.AddString(IAP_FIELD_SRC_APP, mAppSignatureRef != nullptr ? mAppSignatureRef : "");
	BEntry entry;
	status_t status = _GetEntry(&entry);
	if (status != B_OK)
		return status;
	// The old file stays until the new one is whole: a failure must not lose the value that
	// every application of the family reads.
	BAtomicFile file(&entry);
	status = file.InitCheck();
	if (status == B_OK)
		status = message.Flatten(&file);
	if (status == B_OK)
		status = file.Commit();
	return status;
}

status_t TIAPItem::LoadBool(bool* value) const
{
	BMessage message;
	Load(&message);
	if (message.FindBool(mName.String(), value) != B_OK)
		GetBool(value, true);
	return B_OK;
}

status_t TIAPItem::LoadString(BString* value) const
{
	BMessage message;
	Load(&message);
	if (message.FindString(mName.String(), value) != B_OK)
		GetString(value, true);
	return B_OK;
}

status_t TIAPItem::SaveBool(bool value) const
{
	BMessage message;
	message.AddBool(mName.String(), value);
	return Save(message);
}

status_t TIAPItem::SaveString(const BString& value) const
{
	BMessage message;
	message.AddString(mName.String(), value);
	return Save(message);
}
