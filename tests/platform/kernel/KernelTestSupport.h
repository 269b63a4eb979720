// Helpers shared by the kernel tests: a private runtime folder per test program, so that the
// tests neither see nor disturb the ports of anything else the user runs, and a wait for a
// condition that other threads or processes bring about.
#ifndef KERNEL_TEST_SUPPORT_H
#define KERNEL_TEST_SUPPORT_H

#include <OS.h>

#include <string>

// Points XDG_RUNTIME_DIR at a fresh private folder (once per process) and returns it.
const std::string& private_runtime_folder();

// Polls cond until it holds or a generous limit passes; the limit only keeps a broken build
// from hanging, it says nothing about speed.
template <typename Cond>
bool eventually(Cond cond)
{
	for (int i = 0; i < 5000; i++) {
		if (cond())
			return true;
		snooze(1000);
	}
	return cond();
}

// The state get_thread_info reports, or 0 for a thread that is gone.
int32 thread_state_of(thread_id thread);

#endif
