// Threads, ports, time, and team and image information, in the platform's model, on top of
// POSIX threads and the per-user runtime folder.
#ifndef _OS_H
#define _OS_H

#include <SupportDefs.h>

#define B_OS_NAME_LENGTH 32
#define B_PATH_NAME_LENGTH 1024
#define B_FILE_NAME_LENGTH 256

typedef int32 thread_id;
typedef int32 team_id;
typedef int32 port_id;
typedef int32 image_id;

// Timeout flags of the *_etc calls.
enum {
	B_CAN_INTERRUPT = 0x01,
	B_CHECK_PERMISSION = 0x04,
	B_TIMEOUT = 0x08,
	B_RELATIVE_TIMEOUT = 0x08,
	B_ABSOLUTE_TIMEOUT = 0x10,
};

// --- time ---------------------------------------------------------------------------------

// Microseconds on a monotonic clock.
bigtime_t system_time();
status_t snooze(bigtime_t microseconds);
status_t snooze_until(bigtime_t time, int timeBase);
#define B_SYSTEM_TIMEBASE 0

// --- threads ------------------------------------------------------------------------------

typedef int32 (*thread_func)(void*);

enum thread_state {
	B_THREAD_RUNNING = 1,
	B_THREAD_READY,
	B_THREAD_RECEIVING,
	B_THREAD_ASLEEP,
	B_THREAD_SUSPENDED,
	B_THREAD_WAITING,
};

#define B_IDLE_PRIORITY 0
#define B_LOWEST_ACTIVE_PRIORITY 1
#define B_LOW_PRIORITY 5
#define B_NORMAL_PRIORITY 10
#define B_DISPLAY_PRIORITY 15
#define B_URGENT_DISPLAY_PRIORITY 20
#define B_REAL_TIME_DISPLAY_PRIORITY 100
#define B_URGENT_PRIORITY 110
#define B_REAL_TIME_PRIORITY 120

struct thread_info {
	thread_id thread;
	team_id team;
	char name[B_OS_NAME_LENGTH];
	thread_state state;
	int32 priority;
	bigtime_t user_time;
	bigtime_t kernel_time;
	void* stack_base;
	void* stack_end;
};

// Threads follow the platform's model on top of POSIX threads, with one difference that a
// POSIX thread forces: nothing can safely stop or end a running thread from outside. So
// kill_thread and suspend_thread only mark the thread, and the mark takes effect at the
// thread's next blocking kernel call (snooze, snooze_until, read_port, write_port,
// port_buffer_size and their _etc forms, wait_for_thread, suspend_thread of itself); a call
// that is already blocked is woken at once. A thread that computes without making such a
// call runs on until it makes one.
// - A killed thread leaves the way exit_thread leaves: its stack is unwound (the destructors
//   of its objects run, so scoped locks are released), then its on_exit_thread hooks run,
//   latest first, and wait_for_thread reports B_INTERRUPTED as its exit value. A thread
//   killed before it was ever resumed never runs its body. Because leaving unwinds the
//   stack, exit_thread and a pending kill must not be met inside a noexcept function (a
//   destructor, say) or a catch (...) that swallows the unwinding.
// - A suspended thread parks in that call until resume_thread; get_thread_info reports
//   B_THREAD_SUSPENDED from the request on. Suspensions do not nest.
// - wait_for_thread lets a suspended or freshly spawned thread run, since it could not end
//   otherwise. The exit value is collected once; after that the id is unknown. Exited
//   threads nobody waits for are forgotten after a while.
// - Priorities are kept and reported but do not reach the system's scheduler.
// - Every thread that asks gets an id, also the main thread and threads that other code
//   created; find_thread(name) looks only at threads of this process.

// Creates a thread that does not run until resume_thread().
thread_id spawn_thread(thread_func function, const char* name, int32 priority, void* data);
status_t resume_thread(thread_id thread);
status_t suspend_thread(thread_id thread);
status_t kill_thread(thread_id thread);
status_t wait_for_thread(thread_id thread, status_t* exitValue);
status_t on_exit_thread(void (*callback)(void*), void* data);
status_t rename_thread(thread_id thread, const char* newName);
// Answers the priority the thread had before (a positive value) or an error.
status_t set_thread_priority(thread_id thread, int32 newPriority);
void exit_thread(status_t status);
// The thread with that name, or the calling thread when name is null.
thread_id find_thread(const char* name);
status_t get_thread_info(thread_id thread, thread_info* info);

// --- ports --------------------------------------------------------------------------------

// A port is a queue of (code, bytes) messages with a capacity (1 to 4096 messages of at most
// 16 MiB each). Its queue lives in the process that created it. A named port is also
// published in the per-user runtime folder (RuntimeDir.h) under a socket that this process
// serves, so other processes of the same user find it with find_port and then write to it,
// ask for its information and count, close it or delete it through the id find_port gave
// them; that id is valid in the finding process only. What crosses processes:
// - A writer blocks while the port is full, here and in another process alike, and a write
//   that times out has delivered nothing. Deleting or closing the port wakes blocked
//   readers and writers, wherever they are, with B_BAD_PORT_ID.
// - Reading (read_port, port_buffer_size) is only for the creating process; elsewhere those
//   calls answer B_NOT_SUPPORTED.
// - A port whose process died is gone: find_port no longer finds it (and removes the socket
//   it left behind), and ids that were found before answer B_BAD_PORT_ID.
// - When the runtime folder cannot be used, ports still work within the process.
// - A buffer too small for a message takes its beginning, and the message is consumed.
// - A process forked from one that uses ports must exec before it uses them itself.
// A relative timeout of zero (B_RELATIVE_TIMEOUT with 0) never waits and answers
// B_WOULD_BLOCK; a timeout that runs out answers B_TIMED_OUT.

struct port_info {
	port_id port;
	team_id team;
	char name[B_OS_NAME_LENGTH];
	int32 capacity;
	int32 queue_count;
	int32 total_count;
};

port_id create_port(int32 capacity, const char* name);
port_id find_port(const char* name);
status_t delete_port(port_id port);
status_t close_port(port_id port);
status_t get_port_info(port_id port, port_info* info);
status_t write_port(port_id port, int32 code, const void* buffer, size_t bufferSize);
status_t write_port_etc(port_id port, int32 code, const void* buffer, size_t bufferSize,
                        uint32 flags, bigtime_t timeout);
ssize_t read_port(port_id port, int32* code, void* buffer, size_t bufferSize);
ssize_t read_port_etc(port_id port, int32* code, void* buffer, size_t bufferSize, uint32 flags,
                      bigtime_t timeout);
ssize_t port_buffer_size(port_id port);
ssize_t port_buffer_size_etc(port_id port, uint32 flags, bigtime_t timeout);
ssize_t port_count(port_id port);

// --- teams and images ---------------------------------------------------------------------

#define B_CURRENT_TEAM 0
#define B_SYSTEM_TEAM 1

struct team_info {
	team_id team;
	int32 thread_count;
	int32 image_count;
	int32 area_count;
	int32 argc;
	char args[64];
	uid_t uid;
	gid_t gid;
};

enum image_type {
	B_APP_IMAGE = 1,
	B_LIBRARY_IMAGE,
	B_ADD_ON_IMAGE,
	B_SYSTEM_IMAGE,
};

struct image_info {
	image_id id;
	image_type type;
	int32 sequence;
	int32 init_order;
	char name[B_PATH_NAME_LENGTH];
	void* text;
	void* data;
	int32 text_size;
	int32 data_size;
};

status_t get_team_info(team_id team, team_info* info);
// Walks the images of a team; the first is the running executable with its full path.
status_t get_next_image_info(team_id team, int32* cookie, image_info* info);

#endif
