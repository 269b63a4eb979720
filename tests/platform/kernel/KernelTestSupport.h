// Helpers shared by the kernel tests: a private runtime folder per test program, so that the
// tests neither see nor disturb the ports of anything else the user runs, and a look at the
// state of a thread.
#ifndef KERNEL_TEST_SUPPORT_H
#define KERNEL_TEST_SUPPORT_H

#include <OS.h>

#include <string>

#include "Eventually.h"

// Points XDG_RUNTIME_DIR at a fresh private folder (once per process) and returns it.
const std::string& private_runtime_folder();

// The state get_thread_info reports, or 0 for a thread that is gone.
int32 thread_state_of(thread_id thread);

#endif
