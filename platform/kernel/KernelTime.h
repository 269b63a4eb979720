// Deadlines for the kernel's blocking calls. Every wait is expressed as an absolute
// system_time() value, so that a wait interrupted by a suspension resumes with the time it
// has left instead of starting over.
//
// Private to the kernel kit.
#ifndef _KERNEL_TIME_H
#define _KERNEL_TIME_H

#include <OS.h>

namespace BPrivate {

// The absolute deadline that the timeout flags of a *_etc call ask for, or
// B_INFINITE_TIMEOUT when the call may wait forever. Deadlines too far away to be told from
// forever (more than a century) count as forever, which keeps the clock arithmetic from
// overflowing.
bigtime_t kernel_deadline(uint32 flags, bigtime_t timeout);

// True when the flags ask for a relative timeout of zero or less: the call must not wait at
// all and answers B_WOULD_BLOCK instead of B_TIMED_OUT.
bool kernel_is_poll(uint32 flags, bigtime_t timeout);

// now + microseconds, saturating at B_INFINITE_TIMEOUT.
bigtime_t kernel_deadline_after(bigtime_t microseconds);

} // namespace BPrivate

#endif
