#include "TInterAppPrefs.h"

#include <vector>

TInterAppPrefs::TInterAppPrefs() : mWindowCreated(false), mAppSignatureRef(nullptr) {}

TInterAppPrefs::~TInterAppPrefs() = default;

status_t TInterAppPrefs::SetAppSignatureRef(const char* signature)
{
	mAppSignatureRef = signature;
	for (auto& [name, item] : mItems)
		item->SetAppSignatureRef(signature);
	return B_OK;
}

status_t TInterAppPrefs::AddItem(TIAPItem* item)
{
	if (item == nullptr)
		return B_BAD_VALUE;
	std::unique_ptr<TIAPItem> owned(item);
	std::string name = item->Name().String();
	if (mItems.count(name) != 0)
		return B_BAD_VALUE;
	item->SetAppSignatureRef(mAppSignatureRef);
	mItems[name] = std::move(owned);
	return B_OK;
}

status_t TInterAppPrefs::AddObserver(const BMessenger& observer)
{
	mObservers.push_back(observer);
	return B_OK;
}

TIAPItem* TInterAppPrefs::_Find(const char* name) const
{
	if (name == nullptr)
		return nullptr;
	auto found = mItems.find(name);
	return found != mItems.end() ? found->second.get() : nullptr;
}

status_t TInterAppPrefs::GetBool(const char* name, bool* value) const
{
	TIAPItem* item = _Find(name);
	return item != nullptr ? item->GetBool(value, false) : -1;
}

status_t TInterAppPrefs::GetString(const char* name, BString* value) const
{
	TIAPItem* item = _Find(name);
	return item != nullptr ? item->GetString(value, false) : -1;
}

status_t TInterAppPrefs::SetBool(const char* name, bool value)
{
	TIAPItem* item = _Find(name);
	return item != nullptr ? item->SetBool(value) : -1;
}

status_t TInterAppPrefs::SetString(const char* name, const BString& value)
{
	TIAPItem* item = _Find(name);
	return item != nullptr ? item->SetString(value) : -1;
}

status_t TInterAppPrefs::SetValue(const BMessage* message)
{
	const char* name = nullptr;
	if (message == nullptr || message->FindString(IAP_FIELD_SRC_ITEM, &name) != B_OK)
		return -1;
	TIAPItem* item = _Find(name);
	if (item == nullptr)
		return -1;
	status_t status = item->SetValue(message);
	if (status == B_OK)
		NotifyToObservers(*message);
	return status;
}

void TInterAppPrefs::NotifyToObservers(BMessage message)
{
	for (const BMessenger& observer : mObservers)
		observer.SendMessage(&message, (BHandler*)nullptr, B_INFINITE_TIMEOUT);
}

status_t TInterAppPrefs::SendMessage(port_id port, const BMessage* message) const
{
	if (message == nullptr)
		return B_BAD_VALUE;
	ssize_t size = message->FlattenedSize();
	if (size <= 0)
		return B_BAD_VALUE;
	std::vector<char> buffer((size_t)size);
	status_t status = message->Flatten(buffer.data(), size);
	if (status != B_OK)
		return status;
	return write_port(port, 0, buffer.data(), buffer.size());
}
