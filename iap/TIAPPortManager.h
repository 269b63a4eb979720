// TIAPPortManager is the thread that serves the port of the shared preferences window: it
// creates the port PORT_NAME, and hands every message that arrives on it to the window's view.
// Other applications of the family write to the port (TInterAppPrefs::SendMessage), so what
// arrives is untrusted: only bytes that unflatten into a message are passed on, the rest
// (the zero-length wake-up of PreventBlocking included) is dropped. Ports are per user, so
// only the user's own applications reach it.
//
// The window starts it with Resume and ends it with Terminate, PreventBlocking and a wait;
// deleting it ends it too. Terminate wakes the thread by itself, and a delivery to a target
// that takes nothing more gives up once the thread is asked to end, so either way never hangs.
#ifndef T_IAP_PORT_MANAGER_H
#define T_IAP_PORT_MANAGER_H

#include <atomic>

#include <Messenger.h>
#include <OS.h>

#include <TThread.h>

#define PORT_NAME "KESTRAIAPPort"

class TIAPPortManager : public TThread {
public:
	// Port() before the thread has made the port, and when it could not.
	static constexpr port_id kPortNotYet = -400;
	static constexpr port_id kPortFailed = -500;
	static constexpr int32 kPortCapacity = 100;
	// How long one attempt to hand a message to the target waits for room in its queue.
	static constexpr bigtime_t kDeliveryRound = 100000;

	explicit TIAPPortManager(const BMessenger& target);
	~TIAPPortManager() override;

	// Asks the thread to stop and wakes it.
	status_t Terminate() override;
	// Writes a zero-length message to the port, which ends the thread's wait (a full port is
	// left alone: the thread is not waiting then); B_OK.
	status_t PreventBlocking() const;
	port_id Port() const { return mPort.load(); }

protected:
	int32 Execute() override;

private:
	std::atomic<port_id> mPort;
	BMessenger mTarget;
};

#endif
