#include "QuitOnSignals.h"

#include <csignal>
#include <pthread.h>
#include <thread>
#include <unistd.h>

#include <AppDefs.h>
#include <Application.h>
#include <Messenger.h>

namespace {

sigset_t quit_signals()
{
	sigset_t signals;
	sigemptyset(&signals);
	sigaddset(&signals, SIGTERM);
	sigaddset(&signals, SIGINT);
	sigaddset(&signals, SIGHUP);
	return signals;
}

void wait_for_signals(sigset_t signals)
{
	int received = 0;
	if (sigwait(&signals, &received) != 0)
		return;
	// The application may not exist yet or any more; then there is nothing to save and
	// the signal's usual end is the right one.
	if (be_app == nullptr || be_app_messenger.SendMessage(B_QUIT_REQUESTED) != B_OK)
		_exit(128 + received);
	if (sigwait(&signals, &received) == 0)
		_exit(128 + received);
}

} // namespace

void quit_application_on_signals()
{
	sigset_t signals = quit_signals();
	if (pthread_sigmask(SIG_BLOCK, &signals, nullptr) != 0)
		return;
	std::thread(wait_for_signals, signals).detach();
}
