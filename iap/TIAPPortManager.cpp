#include "TIAPPortManager.h"

#include <vector>

#include <Message.h>

namespace {

// Deletes the port however the thread leaves: also when it is killed in its wait, which
// unwinds its stack.
struct PortOwner {
	port_id port;
	~PortOwner() { delete_port(port); }
};

} // namespace

TIAPPortManager::TIAPPortManager(const BMessenger& target)
    : TThread("IAPPortManager", 10), mPort(kPortNotYet), mTarget(target)
{
}

TIAPPortManager::~TIAPPortManager() = default;

status_t TIAPPortManager::Terminate()
{
	// The request is made before the wake-up: the thread looks at the request after it made
	// the port public, so it either sees the request or gets the wake-up.
	TThread::Terminate();
	return PreventBlocking();
}

status_t TIAPPortManager::PreventBlocking() const
{
	// A full port does not need waking, and waiting for room could hang whoever stops the
	// thread while it is stuck delivering.
	write_port_etc(mPort.load(), 0, nullptr, 0, B_RELATIVE_TIMEOUT, 0);
	return B_OK;
}

int32 TIAPPortManager::Execute()
{
	port_id port = create_port(kPortCapacity, PORT_NAME);
	if (port < 0) {
		mPort = kPortFailed;
		return -1;
	}
	PortOwner owner{port};
	mPort = port;

	std::vector<char> buffer;
	while (!IsTerminateRequested()) {
		ssize_t size = port_buffer_size(port);
		if (size < 0)
			break;
		buffer.resize((size_t)size);
		int32 code = 0;
		ssize_t read = read_port(port, &code, buffer.data(), buffer.size());
		if (read < 0)
			break;
		BMessage message;
		if (read == 0 || message.Unflatten(buffer.data(), read) != B_OK)
			continue;
		// A target whose queue stays full would hold the thread in a send without end, and
		// with it whoever stops the thread: the window, in its destructor, while its thread
		// no longer empties that queue. So the send waits in short rounds and gives up once
		// the thread is asked to end.
		while (mTarget.SendMessage(&message, (BHandler*)nullptr, kDeliveryRound) == B_TIMED_OUT &&
		       !IsTerminateRequested()) {
		}
	}
	return 0;
}
