// TIAPItem is one preference that all of the maker's applications share: it knows its name and
// default, keeps its value in a file of its own in the settings folder they share
// ("KESTRA/Shared/<name>.arc", one flattened message), states its value in a change message
// and takes a new value from one, and builds the control that edits it in the shared
// preferences window. The base class supports none of the value operations (-1); each kind of
// item overrides those of its value type.
//
// An item belongs to a store (TInterAppPrefs), which sets the signature of the application
// that owns it and destroys it. It is used by the thread of the store's looper only.
#ifndef T_IAP_ITEM_H
#define T_IAP_ITEM_H

#include <Message.h>
#include <Rect.h>
#include <String.h>

class BEntry;
class BView;

// The folder of the shared preference files inside the maker's settings folder.
#define FOLDER_NAME_KESTRA_SETTINGS_SHARED "Shared"

// What every change message and item file carries: the signature of the application that sent
// or wrote it, and the name of the item it is about.
#define IAP_FIELD_SRC_APP "IAP:SrcApp"
#define IAP_FIELD_SRC_ITEM "IAP:SrcIAPItem"

enum {
	// A shared preference changed; broadcast to the maker's applications.
	IAP_MSG_CHANGED = '_ipc',
	// A control of a configuration view changed.
	IAP_MSG_CONTROL_CHANGED = 'ictc',
};

class TIAPItem {
public:
	explicit TIAPItem(const char* name);
	virtual ~TIAPItem();

	// The view that edits the item (named after it, holding one control), showing the current
	// value or the default. The caller owns it.
	virtual status_t MakeConfigurationView(BView** view, bool defaults);
	// Fills a change message: IAP_MSG_CHANGED, the source fields and the value (or the
	// default) under the item's name.
	virtual status_t GetValue(BMessage* message, bool defaults) const;
	// Takes the value from a change message or from a control message that carries the
	// archive of the configuration view.
	virtual status_t SetValue(const BMessage* message);
	virtual status_t GetBool(bool* value, bool defaults) const;
	virtual status_t SetBool(bool value);
	virtual status_t GetString(BString* value, bool defaults) const;
	virtual status_t SetString(const BString& value);

	BString Name() const { return mName; }
	const char* AppSignatureRef() const { return mAppSignatureRef; }
	// The signature is not copied: it must outlive the item (a string constant, as a rule).
	status_t SetAppSignatureRef(const char* signature);

	// Adds IAP_FIELD_SRC_APP (the owner's signature) and IAP_FIELD_SRC_ITEM (the name).
	void AddDefaultInfo(BMessage* message) const;

	// Reads the item's file into the message; B_OK only when the whole file was one message.
	// The message is left alone otherwise.
	status_t Load(BMessage* message) const;
	// Writes the message to the item's file with the owner's signature added. The file is
	// replaced as a whole once the new one is complete, so a failure keeps the old value.
	status_t Save(BMessage message) const;
	// The value in the item's file, or the default when the file is missing, unreadable or
	// holds no value of the right type; always B_OK.
	status_t LoadBool(bool* value) const;
	status_t LoadString(BString* value) const;
	// Writes a file that holds just this value.
	status_t SaveBool(bool value) const;
	status_t SaveString(const BString& value) const;

	TIAPItem(const TIAPItem&) = delete;
	TIAPItem& operator=(const TIAPItem&) = delete;

protected:
	// GetValue of the items of each kind of value: the code, the source fields, and the value
	// from GetString or GetBool (the default when asked) under the item's name.
	status_t GetStringValue(BMessage* message, bool defaults) const;
	status_t GetBoolValue(BMessage* message, bool defaults) const;
	// Whether the change message says that this item's own application sent it; only that
	// application writes the file, the others follow in memory.
	bool IsFromOwnApp(const BMessage* message) const;

	// The parts of every configuration view. A control is named by its accelerator letter and
	// the dictionary key of its label ("A" and "Accelerator Format: "), since the window
	// composes the label from the two; its own label stays empty. Its message is
	// IAP_MSG_CONTROL_CHANGED with the source fields.
	static BString ControlName(const char* letter, const char* labelKey);
	BMessage* NewControlMessage() const;
	// The container that holds the control as its only child, named after the item.
	BView* NewContainer(BRect frame, uint32 resizingMode, BView* control) const;

private:
	// The item's file, with its folders made on the way.
	status_t _GetEntry(BEntry* entry) const;

	const char* mAppSignatureRef;
	BString mName;
};

#endif
