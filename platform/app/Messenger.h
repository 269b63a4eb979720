// A messenger is the address of a handler: in this process (a handler of a running looper) or
// in another running application of this user (that application's looper, reached through
// its registration socket in the per-user runtime folder). Messengers are small values; they
// can be copied, compared and carried inside messages, and they never keep their target alive.
//
// A messenger names its target by team (process id), the token of the target's looper and the
// token of the handler (B_PREFERRED_TOKEN for the looper's preferred handler). Tokens are never
// reused within a process, so a messenger whose target was deleted becomes invalid instead of
// reaching some other object.
#ifndef _MESSENGER_H
#define _MESSENGER_H

#include <OS.h>
#include <SupportDefs.h>

class BHandler;
class BLooper;
class BMessage;

// Handler tokens with a meaning of their own.
#define B_NULL_TOKEN (-1)
#define B_PREFERRED_TOKEN (-2)

class BMessenger {
public:
	BMessenger();
	// Aims at `handler` (which must belong to a looper; `looper`, if given, must be it), or at
	// the preferred handler of `looper` when `handler` is null. *result gets B_OK,
	// B_MISMATCHED_VALUES or B_BAD_HANDLER; the messenger is invalid on failure.
	BMessenger(const BHandler* handler, const BLooper* looper = nullptr,
	           status_t* result = nullptr);
	// Aims at the running application with this signature (any instance when team is -1).
	// *result gets B_OK, B_BAD_VALUE or B_BAD_TYPE for a bad signature, B_BAD_TEAM_ID when
	// team runs another application, or B_ERROR when none is running.
	BMessenger(const char* signature, team_id team = -1, status_t* result = nullptr);
	BMessenger(const BMessenger& other) = default;
	BMessenger& operator=(const BMessenger& other) = default;
	~BMessenger() = default;

	status_t SetTo(const BHandler* handler, const BLooper* looper = nullptr);
	status_t SetTo(const char* signature, team_id team = -1);

	// Local targets: the target looper exists. Remote targets: the application still runs.
	bool IsValid() const;
	bool IsTargetLocal() const;
	team_id Team() const { return fTeam; }

	// The handler (and its looper) of a local target, or null. The pointers are only safe to
	// use while the looper is locked; LockTarget() does that without races.
	BHandler* Target(BLooper** looper) const;
	bool LockTarget() const;
	status_t LockTargetWithTimeout(bigtime_t timeout) const;

	// Asynchronous sends. A reply to the message goes to replyTo, or to the application when
	// no reply target is given. The timeout limits the wait for room in a full queue.
	status_t SendMessage(uint32 command, BHandler* replyTo = nullptr) const;
	status_t SendMessage(BMessage* message, BHandler* replyTo = nullptr,
	                     bigtime_t timeout = B_INFINITE_TIMEOUT) const;
	status_t SendMessage(BMessage* message, BMessenger replyTo,
	                     bigtime_t timeout = B_INFINITE_TIMEOUT) const;

	// Synchronous sends: wait for the reply. When the receiver drops the message without
	// replying, *reply becomes a B_NO_REPLY message and the result is B_OK. A send to a looper
	// from its own thread would wait forever and fails with B_MESSAGE_TO_SELF instead.
	status_t SendMessage(uint32 command, BMessage* reply) const;
	status_t SendMessage(BMessage* message, BMessage* reply,
	                     bigtime_t deliveryTimeout = B_INFINITE_TIMEOUT,
	                     bigtime_t replyTimeout = B_INFINITE_TIMEOUT) const;

	bool operator==(const BMessenger& other) const;
	bool operator!=(const BMessenger& other) const { return !(*this == other); }
	bool operator<(const BMessenger& other) const;

	class Private;

private:
	friend class Private;

	team_id fTeam;
	int32 fLooperToken;
	int32 fHandlerToken;
};

#endif
