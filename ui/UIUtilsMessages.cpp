// Messages inside messages, colours in messages, the save panel's answer, and sending to
// windows and locked handlers.
#include "UIUtils.h"

#include <cstring>

#include <Application.h>
#include <Directory.h>
#include <Entry.h>
#include <Handler.h>
#include <Looper.h>
#include <OS.h>
#include <Window.h>

namespace {

const char* const kNestMessage = "NestMsg";
const char* const kNestTarget = "NestMsgTgt";

// How long send_message_with_lock waits between tries for the lock.
const bigtime_t kLockRetryDelay = 20000;

} // namespace

status_t add_nest_message(BMessage* message, const BMessage& nested, const BMessenger& target)
{
	if (message == nullptr)
		return B_BAD_VALUE;
	status_t status = message->AddMessage(kNestMessage, &nested);
	if (status == B_OK)
		status = message->AddMessenger(kNestTarget, target);
	return status;
}

status_t find_nest_message(const BMessage* message, BMessage* nested, BMessenger* target)
{
	BMessage foundMessage;
	BMessenger foundTarget;
	if (message == nullptr || message->FindMessage(kNestMessage, &foundMessage) != B_OK ||
	    message->FindMessenger(kNestTarget, &foundTarget) != B_OK)
		return -1;
	if (nested != nullptr)
		*nested = foundMessage;
	if (target != nullptr)
		*target = foundTarget;
	return B_OK;
}

status_t invoke_nest_message(const BMessage* message)
{
	BMessage nested;
	BMessenger target;
	if (find_nest_message(message, &nested, &target) != B_OK)
		return -1;
	return target.SendMessage(&nested, (BHandler*)nullptr, B_INFINITE_TIMEOUT);
}

status_t add_rgb_color(BMessage* message, const char* name, rgb_color color)
{
	if (message == nullptr)
		return B_BAD_VALUE;
	return message->AddColor(name, color);
}

status_t find_rgb_color(const BMessage* message, const char* name, rgb_color* color)
{
	if (message == nullptr || color == nullptr)
		return B_BAD_VALUE;
	// Messages come from other programs too; an item of another size is not a colour, and
	// the message says so (B_BAD_DATA) without touching the output.
	return message->FindColor(name, color);
}

bool is_same_rgb_color(rgb_color first, rgb_color second)
{
	return first == second;
}

status_t get_save_ref(const BMessage* message, entry_ref* ref)
{
	if (message == nullptr || ref == nullptr)
		return B_BAD_VALUE;
	entry_ref folderRef;
	const char* name = nullptr;
	status_t status = message->FindRef("directory", &folderRef);
	if (status == B_OK)
		status = message->FindString("name", &name);
	if (status != B_OK)
		return status;
	if (name[0] == '\0' || strcmp(name, ".") == 0 || strcmp(name, "..") == 0 ||
	    strchr(name, '/') != nullptr)
		return B_BAD_VALUE;

	BDirectory folder(&folderRef);
	if (folder.InitCheck() != B_OK)
		return folder.InitCheck();
	// The file is about to be written, so a link of that name is what gets replaced, not
	// what it points at.
	BEntry entry(&folder, name, false);
	return entry.GetRef(ref);
}

status_t send_message_to_all_windows(BMessage message)
{
	if (be_app == nullptr)
		return B_OK;
	for (int32 i = 0; i < be_app->CountWindows(); i++) {
		if (BWindow* window = be_app->WindowAt(i))
			BMessenger(window).SendMessage(&message, (BHandler*)nullptr, B_INFINITE_TIMEOUT);
	}
	return B_OK;
}

void send_message_with_lock(BHandler* handler, BMessage message)
{
	if (handler == nullptr)
		return;
	BMessenger messenger(handler);
	while (!messenger.LockTarget()) {
		// A looper that has gone will never be locked again.
		if (!messenger.IsValid())
			return;
		snooze(kLockRetryDelay);
	}
	BLooper* looper = nullptr;
	messenger.Target(&looper);
	messenger.SendMessage(&message, (BHandler*)nullptr, B_INFINITE_TIMEOUT);
	if (looper != nullptr)
		looper->Unlock();
}
