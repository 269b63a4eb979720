// The clipboard. Its data is a message whose fields are named by MIME type; text is a
// B_MIME_TYPE item under "text/plain". The system clipboard backs it: Lock() takes a fresh
// copy of the system's text (which the display backend keeps current, so this never waits),
// and Commit() hands the text back to the system.
#ifndef _CLIPBOARD_H
#define _CLIPBOARD_H

#include <string>

#include <Locker.h>
#include <Messenger.h>

class BMessage;

class BClipboard {
public:
	explicit BClipboard(const char* name, bool transient = false);
	~BClipboard();

	const char* Name() const { return fName.c_str(); }

	bool Lock();
	void Unlock();
	bool IsLocked() const;

	// Only while locked: empties the data, writes it to the system, or takes the system's
	// again.
	status_t Clear();
	status_t Commit();
	status_t Commit(bool failIfChanged);
	status_t Revert();

	// The data; only while locked. Null when not locked.
	BMessage* Data() const;
	BMessenger DataSource() const { return BMessenger(); }
	// How often the data was committed in this process, and anywhere (the same here).
	uint32 LocalCount() const { return fCount; }
	uint32 SystemCount() const { return fCount; }

	BClipboard(const BClipboard&) = delete;
	BClipboard& operator=(const BClipboard&) = delete;

private:
	void _Load();

	std::string fName;
	BLocker fLock;
	BMessage* fData;
	uint32 fCount;
};

// The application's clipboard; made with the application object.
extern BClipboard* be_clipboard;

#endif
