// Messages between applications of this user travel over Unix stream sockets in the runtime
// folder (see AppRegistry). One connection carries one message:
//
//   request (sender to receiver), integers little-endian:
//     4  the bytes "GPDQ"
//     4  looper token of the target (B_APP_LOOPER_TOKEN: the receiver's application)
//     4  handler token of the target (B_PREFERRED_TOKEN: the looper's preferred handler)
//     12 return address: team, looper token, handler token (team -1: none)
//     4  flags: bit 0 the sender waits for a reply on this connection
//     4  size of the flattened message, at most kMaxMessageSize
//     .. the flattened message
//   answer (receiver to sender):
//     4  delivery status: B_OK once the message is queued, or why it was not
//   and, when the sender waits, later:
//     4  size of the flattened reply, then the reply; a connection closed instead means that
//        the message was dropped unanswered (B_NO_REPLY)
//
// The receiver checks every frame as untrusted input and never waits long for a slow sender.
//
// Private to the application kit.
#ifndef _APP_TRANSPORT_H
#define _APP_TRANSPORT_H

#include <atomic>
#include <string>
#include <thread>

#include <Messenger.h>
#include <OS.h>

class BMessage;

namespace BPrivate {

class AppTransport {
public:
	static constexpr uint32 kMaxMessageSize = 64 * 1024 * 1024;

	// Sends message to a handler of another team. Without reply, returns once the receiver
	// queued it; with reply, waits for the answer too. Timeouts are relative microseconds.
	static status_t Send(team_id team, int32 looperToken, int32 handlerToken,
	                     const BMessage& message, const BMessenger& replyTo,
	                     bigtime_t deliveryTimeout, BMessage* reply, bigtime_t replyTimeout);

	// The receiving side of this process: listens on the socket and queues what arrives for
	// the application looper (appLooperToken) or the looper a request names.
	AppTransport() = default;
	~AppTransport();
	status_t Start(int32 appLooperToken);
	void Stop();

	AppTransport(const AppTransport&) = delete;
	AppTransport& operator=(const AppTransport&) = delete;

private:
	void _Serve();
	void _HandleConnection(int fd);

	int fListenFd = -1;
	int fWakeFds[2] = {-1, -1};
	int32 fAppLooperToken = -1;
	std::string fSocketPath;
	std::thread fThread;
};

} // namespace BPrivate

#endif
