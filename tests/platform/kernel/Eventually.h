// Waiting in tests for something that another thread or process brings about.
#ifndef EVENTUALLY_H
#define EVENTUALLY_H

#include <OS.h>

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

#endif
