// An application of the family for the tests of the shared preferences window. It owns a store
// of the items it is given and uses it from its own thread only, as a program does: it opens
// and closes the window when the test asks, and applies every change message it receives as
// the program does (the store takes it; a format change is read again into the format its
// labels follow). The test thread asks for values with synchronous messages.
#ifndef IAP_HOST_APP_H
#define IAP_HOST_APP_H

#include <cstring>
#include <functional>
#include <mutex>
#include <vector>

#include <Application.h>
#include <Message.h>
#include <Messenger.h>
#include <String.h>

#include <TIAPItemAccKeyFormat.h>
#include <TIAPWindow.h>
#include <TInterAppPrefs.h>

class IAPHostApp : public BApplication {
public:
	enum : uint32 {
		kMsgShowWindow = 'show',
		kMsgCloseWindow = 'clos',
		kMsgValue = 'valu',
	};

	// The store gets the signature, then `fill` registers its items.
	IAPHostApp(const char* signature, const std::function<void(TInterAppPrefs&)>& fill)
	    : BApplication("application/x-vnd.Glowplate-IAPHost")
	{
		fStore.SetAppSignatureRef(signature);
		if (fill)
			fill(fStore);
		fStore.GetString(IAP_NAME_ACC_KEY_FORMAT, &fFormat);
	}

	void MessageReceived(BMessage* message) override
	{
		switch (message->what) {
		case kMsgShowWindow: {
			fStore.ShowWindow(message->GetRect("frame", BRect(100, 100, 200, 150)));
			message->SendReply(B_REPLY);
			break;
		}
		case kMsgCloseWindow: {
			BMessage reply(B_REPLY);
			reply.AddInt32("status", fStore.CloseWindow(message->GetBool("force", false)));
			message->SendReply(&reply);
			break;
		}
		case kMsgValue: {
			BMessage reply(B_REPLY);
			const char* name = message->GetString("name", "");
			BString text;
			bool flag = false;
			if (strcmp(name, "format") == 0)
				reply.AddString("value", fFormat);
			else if (fStore.GetString(name, &text) == B_OK)
				reply.AddString("value", text);
			else if (fStore.GetBool(name, &flag) == B_OK)
				reply.AddString("value", flag ? "true" : "false");
			message->SendReply(&reply);
			break;
		}
		case IAP_MSG_CHANGED: {
			const char* item = nullptr;
			if (message->FindString(IAP_FIELD_SRC_ITEM, &item) == B_OK) {
				BString name(item);
				fStore.SetValue(message);
				if (name == IAP_NAME_ACC_KEY_FORMAT)
					fStore.GetString(IAP_NAME_ACC_KEY_FORMAT, &fFormat);
			}
			std::lock_guard<std::mutex> lock(fLock);
			fChanges.push_back(*message);
			break;
		}
		default:
			BApplication::MessageReceived(message);
			break;
		}
	}

	// --- for the test thread ----------------------------------------------------------------

	void ShowWindow(BRect frame = BRect(100, 100, 200, 150))
	{
		BMessage request(kMsgShowWindow), reply;
		request.AddRect("frame", frame);
		BMessenger(this).SendMessage(&request, &reply);
	}

	status_t CloseWindow(bool force)
	{
		BMessage request(kMsgCloseWindow), reply;
		request.AddBool("force", force);
		BMessenger(this).SendMessage(&request, &reply);
		return reply.GetInt32("status", B_ERROR);
	}

	// The store's value of the item as text ("true" or "false" for a bool), or "format" for
	// the format the labels follow; "" for an unknown name.
	BString Value(const char* name)
	{
		BMessage request(kMsgValue), reply;
		request.AddString("name", name);
		BMessenger(this).SendMessage(&request, &reply);
		return reply.GetString("value", "");
	}

	std::vector<BMessage> Changes()
	{
		std::lock_guard<std::mutex> lock(fLock);
		return fChanges;
	}

	// The application's shared preferences window, or null.
	TIAPWindow* SharedWindow()
	{
		for (int32 i = 0; BWindow* window = WindowAt(i); i++) {
			if (TIAPWindow* shared = dynamic_cast<TIAPWindow*>(window))
				return shared;
		}
		return nullptr;
	}

private:
	TInterAppPrefs fStore;
	BString fFormat;
	std::mutex fLock;
	std::vector<BMessage> fChanges;
};

#endif
