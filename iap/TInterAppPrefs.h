// TInterAppPrefs is an application's store of shared preference items: it owns the items,
// answers reads and writes by item name, applies change messages to the right item and passes
// the applied ones on to its observers, and talks to the shared preferences window over the
// window's port. One window serves every application of the family: the first that opens it
// hosts it, the others reach it through the named port (TIAPPortManager.h).
//
// A store has no lock: it is used by the thread of the looper that owns it (the program's
// store, gIAPs, by the main thread before the application runs and by the application's thread
// afterwards).
#ifndef T_INTER_APP_PREFS_H
#define T_INTER_APP_PREFS_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <Message.h>
#include <Messenger.h>
#include <OS.h>
#include <Rect.h>
#include <String.h>

#include "TIAPItem.h"

enum {
	// To the window's port: the configuration views of one application's items.
	IAP_MSG_ADD_COMPONENTS = 'iacr',
	// To the window's port: show the window, or bring it to the front.
	IAP_MSG_ACTIVATE_WINDOW = 'iawr',
};

class TInterAppPrefs {
public:
	TInterAppPrefs();
	// Destroys the items.
	~TInterAppPrefs();

	// The signature of the owning application, handed on to every item (now and later). It
	// is not copied: it must outlive the store.
	status_t SetAppSignatureRef(const char* signature);
	// Takes the item over. A second item of a name already registered is refused (B_BAD_VALUE)
	// and destroyed, since it was handed over all the same.
	status_t AddItem(TIAPItem* item);
	// Observers receive every change message that an item accepted, in the order they came.
	status_t AddObserver(const BMessenger& observer);

	// The item's value (not its default); -1 for a name that no item has, which leaves the
	// output alone.
	status_t GetBool(const char* name, bool* value) const;
	status_t GetString(const char* name, BString* value) const;
	// The item's answer; -1 for a name that no item has.
	status_t SetBool(const char* name, bool value);
	status_t SetString(const char* name, const BString& value);

	// Applies a change message to the item that IAP_FIELD_SRC_ITEM names and, when the item
	// took it, tells the observers. -1 without that field or without such an item; otherwise
	// the item's answer.
	status_t SetValue(const BMessage* message);
	// Sends the message to every observer; failures are ignored.
	void NotifyToObservers(BMessage message);

	// The shared preferences window (TIAPWindow). ShowWindow shows it with this application's
	// items: it brings the window that another application hosts to the front, or makes and
	// hosts it here when no application does, and sends the items' configuration views. B_OK.
	status_t ShowWindow(BRect frame);
	// Makes and shows the window, and waits (looking every 20 ms) until its port is made: the
	// port, or TIAPPortManager::kPortFailed.
	port_id CreateAndShowWindow(BRect frame);
	// Shows the window, or brings it to the front.
	void ActivateWindow(port_id port) const;
	// Closes the window as its close box does, where any application hosts it (B_OK without
	// one). Unless forced, only the application that made the window may close it (-1).
	status_t CloseWindow(bool force) const;
	// Sends the configuration views of the items, in name order, to the window's port: under
	// each view's name the archive showing the value (twice) and the one showing the default,
	// each with the item's value fields. B_OK.
	status_t AddComponents(port_id port);
	// Whether this store made the window.
	bool WindowCreated() const { return mWindowCreated; }

	// Writes the message, flattened, to the port; the write's status.
	status_t SendMessage(port_id port, const BMessage* message) const;

	TInterAppPrefs(const TInterAppPrefs&) = delete;
	TInterAppPrefs& operator=(const TInterAppPrefs&) = delete;

private:
	TIAPItem* _Find(const char* name) const;
	// The archive of the item's configuration view with the item's value fields added.
	status_t _ArchiveConfigurationView(TIAPItem* item, bool defaults, BMessage* archive) const;

	bool mWindowCreated;
	const char* mAppSignatureRef;
	std::vector<BMessenger> mObservers;
	// By name, in byte order, which is the order the window lists them in.
	std::map<std::string, std::unique_ptr<TIAPItem>> mItems;
};

// The program's one store; where it is defined decides its place in the order of the global
// records.
extern TInterAppPrefs gIAPs;

#endif
