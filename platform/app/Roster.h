// The roster knows the running applications of this user. Every BApplication registers in
// the per-user runtime folder (AppRegistry.h describes the entries); the roster lists those
// registrations, drops the ones whose process has ended, and delivers messages to the
// applications they name.
#ifndef _ROSTER_H
#define _ROSTER_H

#include <AppDefs.h>
#include <Entry.h>
#include <List.h>
#include <Messenger.h>
#include <OS.h>

class BMessage;

// Launch flags, with the platform's values.
#define B_SINGLE_LAUNCH 0x0
#define B_MULTIPLE_LAUNCH 0x1
#define B_EXCLUSIVE_LAUNCH 0x2
#define B_LAUNCH_MASK 0x3
#define B_BACKGROUND_APP 0x4
#define B_ARGV_ONLY 0x8

struct app_info {
	app_info();
	~app_info();

	thread_id thread;
	team_id team;
	port_id port;
	uint32 flags;
	entry_ref ref;
	char signature[B_MIME_TYPE_LENGTH];
};

class BRoster {
public:
	BRoster();
	~BRoster();

	bool IsRunning(const char* signature) const;
	// The team of a running application with this signature, or B_ERROR.
	team_id TeamFor(const char* signature) const;
	// Fills the list with team ids (as pointers: (void*)(intptr_t)team).
	void GetAppList(BList* teamIDList) const;
	void GetAppList(const char* signature, BList* teamIDList) const;
	// thread and port are not known for other processes and are -1; flags is
	// B_MULTIPLE_LAUNCH; ref is the executable when it can be found.
	status_t GetAppInfo(const char* signature, app_info* info) const;
	status_t GetRunningAppInfo(team_id team, app_info* info) const;

	// Sends a copy of message to every running application, this one included (when it has
	// an application object). Applications that do not take it within a second are skipped;
	// the result is B_OK unless message is null.
	status_t Broadcast(BMessage* message) const;
	status_t Broadcast(BMessage* message, BMessenger replyTo) const;
};

extern const BRoster* be_roster;

#endif
