#include "PortWire.h"

#include <cerrno>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "KernelTime.h"
#include "ThreadTable.h"

namespace BPrivate {

namespace {

// A socket wait is a poll, which a kill cannot interrupt; waiting in slices lets a kill or
// a suspension reach the thread within one slice.
constexpr int kSliceMilliseconds = 50;

struct Socket {
	int fd = -1;
	~Socket()
	{
		if (fd >= 0)
			close(fd);
	}
};

void check_point()
{
	std::unique_lock<std::mutex> lock(kernel_lock());
	kernel_check_point(lock);
}

// Connects to the server at address. B_BAD_PORT_ID when nobody is there; *stale tells that
// the socket file is there but its process is not.
status_t connect_to(const std::string& address, Socket& socket_, bool* stale)
{
	if (stale != nullptr)
		*stale = false;
	struct sockaddr_un where = {};
	where.sun_family = AF_UNIX;
	if (address.size() >= sizeof(where.sun_path))
		return B_NAME_TOO_LONG;
	memcpy(where.sun_path, address.c_str(), address.size() + 1);

	socket_.fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
	if (socket_.fd < 0)
		return status_from_errno(errno);
	while (connect(socket_.fd, reinterpret_cast<sockaddr*>(&where), sizeof(where)) != 0) {
		if (errno == EINTR)
			continue;
		if (errno == ECONNREFUSED && stale != nullptr)
			*stale = true;
		return B_BAD_PORT_ID;
	}
	return B_OK;
}

// Waits until fd can be read or the deadline passes.
status_t wait_readable(int fd, bigtime_t deadline)
{
	for (;;) {
		check_point();
		int slice = kSliceMilliseconds;
		if (deadline != B_INFINITE_TIMEOUT) {
			bigtime_t left = deadline - system_time();
			if (left <= 0)
				return B_TIMED_OUT;
			if (left / 1000 < slice)
				slice = (int)((left + 999) / 1000);
		}
		struct pollfd entry = {fd, POLLIN, 0};
		int ready = poll(&entry, 1, slice);
		if (ready > 0)
			return B_OK;
		if (ready < 0 && errno != EINTR)
			return status_from_errno(errno);
	}
}

status_t send_all(int fd, const void* buffer, size_t size)
{
	const char* bytes = static_cast<const char*>(buffer);
	while (size > 0) {
		ssize_t sent = send(fd, bytes, size, MSG_NOSIGNAL);
		if (sent < 0) {
			if (errno == EINTR)
				continue;
			// The server went away in the middle: the port is gone for us.
			return B_BAD_PORT_ID;
		}
		bytes += sent;
		size -= (size_t)sent;
	}
	return B_OK;
}

// Reads one reply; a server that hangs up or answers nonsense means the port is gone.
status_t receive_reply(int fd, WireReply& reply, bigtime_t deadline)
{
	char* bytes = reinterpret_cast<char*>(&reply);
	size_t got = 0;
	while (got < sizeof(reply)) {
		status_t status = wait_readable(fd, deadline);
		if (status != B_OK)
			return status;
		ssize_t count = recv(fd, bytes + got, sizeof(reply) - got, 0);
		if (count < 0 && errno == EINTR)
			continue;
		if (count <= 0)
			return B_BAD_PORT_ID;
		got += (size_t)count;
	}
	return reply.magic == kWireMagic ? B_OK : B_BAD_PORT_ID;
}

status_t send_request(int fd, uint16_t op, int32 code, uint64_t size, uint16_t flags)
{
	WireRequest request = {};
	request.magic = kWireMagic;
	request.version = kWireVersion;
	request.op = op;
	request.code = code;
	request.flags = flags;
	request.size = size;
	return send_all(fd, &request, sizeof(request));
}

// Connects, sends one request and reads the first reply: the part every request shares.
status_t exchange(const std::string& address, Socket& connection, uint16_t op, int32 code,
                  uint64_t size, uint16_t flags, WireReply& reply, bigtime_t deadline,
                  bool* stale = nullptr)
{
	status_t status = connect_to(address, connection, stale);
	if (status == B_OK)
		status = send_request(connection.fd, op, code, size, flags);
	if (status == B_OK)
		status = receive_reply(connection.fd, reply, deadline);
	return status;
}

} // namespace

status_t wire_info(const std::string& address, port_info* info, bigtime_t deadline, bool* stale)
{
	Socket connection;
	WireReply reply;
	status_t status = exchange(address, connection, kWireInfo, 0, 0, 0, reply, deadline, stale);
	if (status != B_OK)
		return status;
	if (reply.status != B_OK)
		return reply.status;
	*info = port_info{};
	info->team = reply.team;
	reply.name[sizeof(reply.name) - 1] = '\0';
	strcpy(info->name, reply.name);
	info->capacity = reply.capacity;
	info->queue_count = reply.queueCount;
	info->total_count = reply.totalCount;
	return B_OK;
}

status_t wire_write(const std::string& address, int32 code, const void* buffer, size_t size,
                    bigtime_t deadline, bool noWait)
{
	Socket connection;
	WireReply reply;
	// A no-wait write still waits for the answer, which the server gives at once.
	status_t status =
	    exchange(address, connection, kWireWrite, code, size, noWait ? kWireNoWait : 0, reply,
	             noWait ? B_INFINITE_TIMEOUT : deadline);
	if (status != B_OK)
		return status;
	if (reply.status != kWireReady)
		return reply.status == B_OK ? B_BAD_PORT_ID : reply.status;

	// The slot is ours: from here on the write completes or the port is gone.
	status = send_all(connection.fd, buffer, size);
	if (status == B_OK)
		status = receive_reply(connection.fd, reply, B_INFINITE_TIMEOUT);
	return status == B_OK ? reply.status : status;
}

status_t wire_request(const std::string& address, uint16_t op)
{
	Socket connection;
	WireReply reply;
	status_t status = exchange(address, connection, op, 0, 0, 0, reply, B_INFINITE_TIMEOUT);
	return status == B_OK ? reply.status : status;
}

} // namespace BPrivate
