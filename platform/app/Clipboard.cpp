#include <Clipboard.h>

#include <Message.h>
#include <TypeConstants.h>

#include "DisplayHooks.h"

BClipboard* be_clipboard = nullptr;

namespace {

// Without a display (a program that never opened one) the clipboard is the process's own.
std::string sLocalText;

std::string system_text()
{
	std::string text;
	const BPrivate::DisplayHooks* hooks = BPrivate::display_hooks();
	if (hooks != nullptr && hooks->getClipboard(&text))
		return text;
	return sLocalText;
}

void set_system_text(const std::string& text)
{
	const BPrivate::DisplayHooks* hooks = BPrivate::display_hooks();
	if (hooks == nullptr || !hooks->setClipboard(text))
		sLocalText = text;
}

} // namespace

BClipboard::BClipboard(const char* name, bool)
    : fName(name != nullptr ? name : "system"), fLock("clipboard"), fData(new BMessage()),
      fCount(0)
{
}

BClipboard::~BClipboard()
{
	delete fData;
}

bool BClipboard::Lock()
{
	if (!fLock.Lock())
		return false;
	// The outermost lock takes the system's current text.
	if (fLock.CountLocks() == 1)
		_Load();
	return true;
}

void BClipboard::Unlock()
{
	fLock.Unlock();
}

bool BClipboard::IsLocked() const
{
	return fLock.IsLocked();
}

void BClipboard::_Load()
{
	fData->MakeEmpty();
	std::string text = system_text();
	if (!text.empty())
		fData->AddData("text/plain", B_MIME_TYPE, text.data(), (ssize_t)text.size());
}

status_t BClipboard::Clear()
{
	if (!IsLocked())
		return B_NOT_ALLOWED;
	fData->MakeEmpty();
	return B_OK;
}

status_t BClipboard::Commit()
{
	return Commit(false);
}

status_t BClipboard::Commit(bool)
{
	if (!IsLocked())
		return B_NOT_ALLOWED;
	const void* data = nullptr;
	ssize_t size = 0;
	std::string text;
	if (fData->FindData("text/plain", B_MIME_TYPE, &data, &size) == B_OK && size > 0)
		text.assign((const char*)data, (size_t)size);
	set_system_text(text);
	fCount++;
	return B_OK;
}

status_t BClipboard::Revert()
{
	if (!IsLocked())
		return B_NOT_ALLOWED;
	_Load();
	return B_OK;
}

BMessage* BClipboard::Data() const
{
	return IsLocked() ? fData : nullptr;
}
