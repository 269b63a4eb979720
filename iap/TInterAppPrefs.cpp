#include "TInterAppPrefs.h"

#include <vector>

#include <View.h>

#include "TIAPPortManager.h"
#include "TIAPWindow.h"

namespace {

// How often CreateAndShowWindow looks whether the window's port is there, and how long at most:
// the port thread makes it at once, so the limit only keeps a broken start from holding the
// caller for ever.
const bigtime_t kPortPollInterval = 20000;
const bigtime_t kPortPollLimit = 10000000;

} // namespace

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

status_t TInterAppPrefs::ShowWindow(BRect frame)
{
	port_id port = find_port(PORT_NAME);
	if (port < 0)
		port = CreateAndShowWindow(frame);
	else
		ActivateWindow(port);
	AddComponents(port);
	return B_OK;
}

port_id TInterAppPrefs::CreateAndShowWindow(BRect frame)
{
	TIAPWindow* window = new TIAPWindow(frame);
	window->Show();
	bigtime_t deadline = system_time() + kPortPollLimit;
	port_id port = window->Port();
	while (port == TIAPPortManager::kPortNotYet && system_time() < deadline) {
		snooze(kPortPollInterval);
		port = window->Port();
	}
	mWindowCreated = true;
	return port == TIAPPortManager::kPortNotYet ? TIAPPortManager::kPortFailed : port;
}

void TInterAppPrefs::ActivateWindow(port_id port) const
{
	BMessage message(IAP_MSG_ACTIVATE_WINDOW);
	SendMessage(port, &message);
}

status_t TInterAppPrefs::CloseWindow(bool force) const
{
	port_id port = find_port(PORT_NAME);
	if (port < 0)
		return B_OK;
	if (!force && !mWindowCreated)
		return -1;
	BMessage message(B_QUIT_REQUESTED);
	return SendMessage(port, &message);
}

status_t TInterAppPrefs::AddComponents(port_id port)
{
	BMessage message(IAP_MSG_ADD_COMPONENTS);
	for (auto& [name, item] : mItems) {
		// The window reads the first archive of a name as the present values and the third as
		// the defaults; an item that cannot build both sends neither.
		BMessage current, defaults;
		if (_ArchiveConfigurationView(item.get(), false, &current) != B_OK ||
		    _ArchiveConfigurationView(item.get(), true, &defaults) != B_OK)
			continue;
		BString viewName(current.GetString("_name", name.c_str()));
		message.AddMessage(viewName.String(), &current);
		message.AddMessage(viewName.String(), &current);
		message.AddMessage(viewName.String(), &defaults);
	}
	SendMessage(port, &message);
	return B_OK;
}

status_t TInterAppPrefs::_ArchiveConfigurationView(TIAPItem* item, bool defaults,
                                                   BMessage* archive) const
{
	BView* view = nullptr;
	status_t status = item->MakeConfigurationView(&view, defaults);
	if (status != B_OK || view == nullptr)
		return status != B_OK ? status : B_ERROR;
	status = view->Archive(archive, true);
	delete view;
	if (status == B_OK)
		status = item->GetValue(archive, defaults);
	return status;
}
