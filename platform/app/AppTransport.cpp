#include "AppTransport.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

#include <Message.h>

#include "AppRegistry.h"
#include "LooperPort.h"
#include "LooperRegistry.h"
#include "MessagePrivate.h"
#include "MessengerPrivate.h"
#include "ReplyChannel.h"

namespace BPrivate {

namespace {

constexpr char kRequestMagic[4] = {'G', 'P', 'D', 'Q'};
constexpr size_t kRequestHeaderSize = 32;
constexpr uint32 kFlagWaitsForReply = 0x1;
// How long the receiving side waits for a sender to finish its frame, and how long it may
// take to hand a reply to a sender that does not read: neither may stall this application.
constexpr bigtime_t kPeerTimeout = 2000000;

bigtime_t deadline_after(bigtime_t timeout)
{
	if (timeout == B_INFINITE_TIMEOUT)
		return B_INFINITE_TIMEOUT;
	bigtime_t now = system_time();
	return timeout > B_INFINITE_TIMEOUT - now ? B_INFINITE_TIMEOUT
	                                          : now + max_c(timeout, (bigtime_t)0);
}

// Waits until fd is ready for events; B_TIMED_OUT when the deadline passes first.
status_t wait_for(int fd, short events, bigtime_t deadline)
{
	for (;;) {
		int timeoutMs = -1;
		if (deadline != B_INFINITE_TIMEOUT) {
			bigtime_t left = deadline - system_time();
			if (left < 0)
				left = 0;
			timeoutMs = (int)min_c(left / 1000 + 1, (bigtime_t)INT32_MAX);
		}
		pollfd entry = {fd, events, 0};
		int result = poll(&entry, 1, timeoutMs);
		if (result > 0)
			return B_OK;
		if (result < 0 && errno != EINTR)
			return status_from_errno(errno);
		if (result == 0 && deadline != B_INFINITE_TIMEOUT && system_time() >= deadline)
			return B_TIMED_OUT;
	}
}

status_t write_all(int fd, const void* data, size_t size, bigtime_t deadline)
{
	const char* bytes = (const char*)data;
	while (size > 0) {
		status_t status = wait_for(fd, POLLOUT, deadline);
		if (status != B_OK)
			return status;
		ssize_t written = send(fd, bytes, size, MSG_NOSIGNAL | MSG_DONTWAIT);
		if (written < 0) {
			if (errno == EINTR || errno == EAGAIN)
				continue;
			return status_from_errno(errno);
		}
		bytes += written;
		size -= (size_t)written;
	}
	return B_OK;
}

// B_BUSTED_PIPE when the peer closed the connection before all bytes came.
status_t read_all(int fd, void* data, size_t size, bigtime_t deadline)
{
	char* bytes = (char*)data;
	while (size > 0) {
		status_t status = wait_for(fd, POLLIN, deadline);
		if (status != B_OK)
			return status;
		ssize_t got = recv(fd, bytes, size, MSG_DONTWAIT);
		if (got < 0) {
			if (errno == EINTR || errno == EAGAIN)
				continue;
			return status_from_errno(errno);
		}
		if (got == 0)
			return B_BUSTED_PIPE;
		bytes += got;
		size -= (size_t)got;
	}
	return B_OK;
}

status_t flatten(const BMessage& message, std::vector<char>* bytes)
{
	ssize_t size = message.FlattenedSize();
	if (size < 0)
		return (status_t)size;
	if ((size_t)size > AppTransport::kMaxMessageSize)
		return B_BUFFER_OVERFLOW;
	bytes->resize((size_t)size);
	return message.Flatten(bytes->data(), size);
}

status_t write_frame(int fd, const BMessage& message, bigtime_t deadline)
{
	std::vector<char> bytes;
	status_t status = flatten(message, &bytes);
	if (status != B_OK)
		return status;
	uint32 size = (uint32)bytes.size();
	status = write_all(fd, &size, sizeof(size), deadline);
	return status == B_OK ? write_all(fd, bytes.data(), bytes.size(), deadline) : status;
}

// Reads a size and a flattened message that another process wrote: untrusted.
status_t read_frame(int fd, BMessage* message, bigtime_t deadline)
{
	uint32 size;
	status_t status = read_all(fd, &size, sizeof(size), deadline);
	if (status != B_OK)
		return status;
	if (size > AppTransport::kMaxMessageSize)
		return B_BAD_DATA;
	std::vector<char> bytes(size);
	status = read_all(fd, bytes.data(), size, deadline);
	return status == B_OK ? message->Unflatten(bytes.data(), (ssize_t)size) : status;
}

status_t connect_to(team_id team, int* fdOut)
{
	std::string folder;
	if (AppRegistry::Folder(&folder) != B_OK)
		return B_BAD_PORT_ID;
	std::string path = AppRegistry::SocketPath(folder, team);
	sockaddr_un address = {};
	address.sun_family = AF_UNIX;
	if (path.size() >= sizeof(address.sun_path))
		return B_NAME_TOO_LONG;
	memcpy(address.sun_path, path.c_str(), path.size() + 1);
	int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
	if (fd < 0)
		return status_from_errno(errno);
	// Connecting to a local socket does not block for long; a listener whose backlog is full
	// answers EAGAIN, which the caller's retry loop treats like a full queue.
	if (connect(fd, (sockaddr*)&address, sizeof(address)) != 0) {
		int error = errno;
		close(fd);
		return error == EAGAIN ? B_WOULD_BLOCK : B_BAD_PORT_ID;
	}
	*fdOut = fd;
	return B_OK;
}

// The reply path to a sender in another process, which waits on the connection it sent the
// message through.
class RemoteReply : public ReplyChannel {
public:
	explicit RemoteReply(int fd) : fFd(fd) {}
	~RemoteReply() override { close(fFd); }

	// Held while the message is queued and the delivery status is written, so that a reply
	// sent at once cannot overtake the status on the connection.
	std::mutex& OrderLock() { return fOrder; }
	int Fd() const { return fFd; }

protected:
	status_t DeliverOnce(const BMessage& reply, bigtime_t timeout) override
	{
		std::lock_guard<std::mutex> guard(fOrder);
		bigtime_t deadline = deadline_after(min_c(timeout, kPeerTimeout));
		status_t status = write_frame(fFd, reply, deadline);
		shutdown(fFd, SHUT_RDWR);
		return status;
	}

private:
	std::mutex fOrder;
	int fFd;
};

} // namespace

status_t AppTransport::Send(team_id team, int32 looperToken, int32 handlerToken,
                            const BMessage& message, const BMessenger& replyTo,
                            bigtime_t deliveryTimeout, BMessage* reply, bigtime_t replyTimeout)
{
	std::vector<char> bytes;
	status_t status = flatten(message, &bytes);
	if (status != B_OK)
		return status;

	BMessenger::Private returnAddress(const_cast<BMessenger&>(replyTo));
	int32 header[8];
	memcpy(&header[0], kRequestMagic, 4);
	header[1] = looperToken;
	header[2] = handlerToken;
	header[3] = returnAddress.Team();
	header[4] = returnAddress.LooperToken();
	header[5] = returnAddress.HandlerToken();
	header[6] = reply != nullptr ? (int32)kFlagWaitsForReply : 0;
	header[7] = (int32)bytes.size();
	static_assert(sizeof(header) == kRequestHeaderSize);

	bigtime_t deadline = deadline_after(deliveryTimeout);
	int fd = -1;
	for (;;) {
		status = connect_to(team, &fd);
		if (status == B_OK) {
			status = write_all(fd, header, sizeof(header), deadline);
			if (status == B_OK)
				status = write_all(fd, bytes.data(), bytes.size(), deadline);
			int32 delivered = B_ERROR;
			if (status == B_OK)
				status = read_all(fd, &delivered, sizeof(delivered), deadline);
			if (status == B_OK)
				status = delivered;
			else if (status == B_BUSTED_PIPE)
				status = B_BAD_PORT_ID;
			if (status == B_OK)
				break;
			close(fd);
			fd = -1;
		}
		// A full queue on the other side: try again until the delivery timeout ends.
		if (status != B_WOULD_BLOCK || deliveryTimeout <= 0)
			return status;
		if (deadline != B_INFINITE_TIMEOUT && system_time() >= deadline)
			return B_TIMED_OUT;
		snooze(2000);
	}

	if (reply == nullptr) {
		close(fd);
		return B_OK;
	}
	BMessage answer;
	status = read_frame(fd, &answer, deadline_after(replyTimeout));
	close(fd);
	if (status == B_BUSTED_PIPE) {
		// The receiver ended or dropped the message without a word: no reply.
		answer = BMessage(B_NO_REPLY);
		status = B_OK;
	}
	if (status != B_OK)
		return status;
	BMessage::Private(answer).AddFlags(BMessage::Private::kIsReply);
	*reply = answer;
	return B_OK;
}

AppTransport::~AppTransport()
{
	Stop();
}

status_t AppTransport::Start(int32 appLooperToken)
{
	if (fListenFd >= 0)
		return B_OK;
	std::string folder;
	status_t status = AppRegistry::Folder(&folder);
	if (status != B_OK)
		return status;
	fSocketPath = AppRegistry::SocketPath(folder, getpid());
	sockaddr_un address = {};
	address.sun_family = AF_UNIX;
	if (fSocketPath.size() >= sizeof(address.sun_path))
		return B_NAME_TOO_LONG;
	memcpy(address.sun_path, fSocketPath.c_str(), fSocketPath.size() + 1);

	int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
	if (fd < 0)
		return status_from_errno(errno);
	// A socket left by an earlier process with our id is dead: replace it.
	unlink(fSocketPath.c_str());
	if (bind(fd, (sockaddr*)&address, sizeof(address)) != 0 || listen(fd, 64) != 0 ||
	    pipe2(fWakeFds, O_CLOEXEC) != 0) {
		status = status_from_errno(errno);
		close(fd);
		unlink(fSocketPath.c_str());
		return status;
	}
	chmod(fSocketPath.c_str(), 0600);
	fListenFd = fd;
	fAppLooperToken = appLooperToken;
	fThread = std::thread([this] { _Serve(); });
	return B_OK;
}

void AppTransport::Stop()
{
	if (fListenFd < 0)
		return;
	char wake = 1;
	(void)!write(fWakeFds[1], &wake, 1);
	if (fThread.joinable())
		fThread.join();
	close(fListenFd);
	close(fWakeFds[0]);
	close(fWakeFds[1]);
	fListenFd = -1;
	fWakeFds[0] = fWakeFds[1] = -1;
	unlink(fSocketPath.c_str());
}

void AppTransport::_Serve()
{
	for (;;) {
		pollfd entries[2] = {{fListenFd, POLLIN, 0}, {fWakeFds[0], POLLIN, 0}};
		if (poll(entries, 2, -1) < 0) {
			if (errno == EINTR)
				continue;
			return;
		}
		if (entries[1].revents != 0)
			return;
		if ((entries[0].revents & POLLIN) == 0)
			continue;
		int fd = accept4(fListenFd, nullptr, nullptr, SOCK_CLOEXEC);
		if (fd >= 0)
			_HandleConnection(fd);
	}
}

void AppTransport::_HandleConnection(int fd)
{
	bigtime_t deadline = deadline_after(kPeerTimeout);
	int32 header[8];
	if (read_all(fd, header, sizeof(header), deadline) != B_OK ||
	    memcmp(&header[0], kRequestMagic, 4) != 0) {
		close(fd);
		return;
	}
	uint32 size = (uint32)header[7];
	bool waits = ((uint32)header[6] & kFlagWaitsForReply) != 0;

	auto answer = [&](status_t status) {
		int32 value = status;
		write_all(fd, &value, sizeof(value), deadline_after(kPeerTimeout));
	};
	if (size > kMaxMessageSize) {
		answer(B_BAD_DATA);
		close(fd);
		return;
	}
	std::vector<char> bytes(size);
	BMessage* message = new BMessage;
	status_t status = read_all(fd, bytes.data(), size, deadline);
	if (status == B_OK)
		status = message->Unflatten(bytes.data(), (ssize_t)size);

	LooperRef ref;
	int32 looperToken = header[1] == B_APP_LOOPER_TOKEN ? fAppLooperToken : header[1];
	if (status == B_OK && !LooperRegistry::Default().FindLooper(looperToken, &ref))
		status = B_BAD_PORT_ID;
	if (status != B_OK) {
		delete message;
		answer(status);
		close(fd);
		return;
	}

	BMessage::Private delivered(message);
	delivered.ClearDelivery();
	delivered.SetTargetToken(header[2]);
	if (header[3] >= 0) {
		BMessenger returnAddress;
		BMessenger::Private(returnAddress).SetTo(header[3], header[4], header[5]);
		delivered.SetReplyTo(returnAddress);
	}
	delivered.AddFlags(BMessage::Private::kDelivered | BMessage::Private::kSourceRemote);

	if (!waits) {
		status = ref.port->Push(message, 0);
		if (status != B_OK)
			delete message;
		answer(status);
		close(fd);
		return;
	}

	// From here the channel owns the connection.
	auto channel = std::make_shared<RemoteReply>(fd);
	std::lock_guard<std::mutex> order(channel->OrderLock());
	delivered.SetReplyChannel(channel);
	delivered.AddFlags(BMessage::Private::kReplyRequired);
	status = ref.port->Push(message, 0);
	if (status != B_OK) {
		delivered.SetFlags(delivered.Flags() & ~BMessage::Private::kReplyRequired);
		delete message;
	}
	answer(status);
}

} // namespace BPrivate
