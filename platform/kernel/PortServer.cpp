#include "PortServer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "PortWire.h"
#include "RuntimeDir.h"
#include "ThreadTable.h"

namespace BPrivate {

namespace {

// Connections from other processes held at once; more are refused rather than let anyone
// make this process open descriptors without bound.
constexpr size_t kMaxConnections = 1024;

uint64_t name_hash(const std::string& name)
{
	// FNV-1a: the socket name carries a fixed-length digest of the port name, because a port
	// name may hold any byte and would not always fit in a socket address.
	uint64_t hash = 14695981039346656037ull;
	for (unsigned char c : name) {
		hash ^= c;
		hash *= 1099511628211ull;
	}
	return hash;
}

} // namespace

struct PortServer::Connection {
	enum State { kHeader, kWaiting, kData };

	int fd = -1;
	std::shared_ptr<Port> port;
	State state = kHeader;
	WireRequest request = {};
	size_t headerRead = 0;
	PortMessage message;
	size_t dataRead = 0;
	bool holdsSlot = false;
	bool done = false;
};

PortServer& PortServer::Default()
{
	// Never destroyed: its thread runs until the process ends.
	static PortServer* sServer = new PortServer;
	return *sServer;
}

PortServer::PortServer()
{
	fWakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

std::string PortServer::SocketPrefix(const std::string& portName)
{
	char prefix[32];
	snprintf(prefix, sizeof(prefix), "p%016llx.", (unsigned long long)name_hash(portName));
	return prefix;
}

std::string PortServer::SocketName(const std::string& portName, team_id team, port_id id)
{
	return SocketPrefix(portName) + std::to_string(team) + "." + std::to_string(id);
}

status_t PortServer::Publish(const std::shared_ptr<Port>& port)
{
	std::string folder;
	status_t status = runtime_directory(folder);
	if (status != B_OK)
		return status;
	const std::string path = folder + "/" + SocketName(port->name, getpid(), port->id);
	const std::string temporary =
	    folder + "/t." + std::to_string(getpid()) + "." + std::to_string(port->id);

	struct sockaddr_un where = {};
	where.sun_family = AF_UNIX;
	if (path.size() >= sizeof(where.sun_path) || temporary.size() >= sizeof(where.sun_path))
		return B_NAME_TOO_LONG;
	if (fWakeFd < 0)
		return B_NO_MORE_FDS;

	int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
	if (fd < 0)
		return status_from_errno(errno);
	// The socket is bound under a temporary name and renamed once it listens: a socket file
	// that refuses connections means a dead process to find_port, so it must never be seen
	// before it accepts.
	memcpy(where.sun_path, temporary.c_str(), temporary.size() + 1);
	unlink(temporary.c_str());
	if (bind(fd, reinterpret_cast<sockaddr*>(&where), sizeof(where)) != 0 || listen(fd, 64) != 0 ||
	    rename(temporary.c_str(), path.c_str()) != 0) {
		status = status_from_errno(errno);
		close(fd);
		unlink(temporary.c_str());
		return status;
	}

	std::lock_guard<std::mutex> lock(kernel_lock());
	if (port->deleted) {
		unlink(path.c_str());
		close(fd);
		return B_BAD_PORT_ID;
	}
	status = StartLocked();
	if (status != B_OK) {
		unlink(path.c_str());
		close(fd);
		return status;
	}
	port->address = path;
	fNewListeners.push_back(Listener{port, fd});
	Wake();
	return B_OK;
}

void PortServer::Wake()
{
	uint64_t one = 1;
	if (fWakeFd >= 0 && write(fWakeFd, &one, sizeof(one)) < 0) {
		// A full counter already means "wake up"; nothing is lost.
	}
}

status_t PortServer::StartLocked()
{
	if (fRunning)
		return B_OK;
	pthread_t thread;
	pthread_attr_t attributes;
	pthread_attr_init(&attributes);
	pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
	int error = pthread_create(&thread, &attributes, ThreadEntry, this);
	pthread_attr_destroy(&attributes);
	if (error != 0)
		return B_NO_MORE_THREADS;
	pthread_setname_np(thread, "port server");
	fRunning = true;
	return B_OK;
}

void* PortServer::ThreadEntry(void* server)
{
	static_cast<PortServer*>(server)->Run();
	return nullptr;
}

void PortServer::Run()
{
	std::vector<struct pollfd> polled;
	for (;;) {
		Reconcile();

		polled.clear();
		polled.push_back({fWakeFd, POLLIN, 0});
		for (const Listener& listener : fListeners)
			polled.push_back({listener.fd, POLLIN, 0});
		for (const auto& connection : fConnections)
			polled.push_back({connection->fd, POLLIN, 0});

		if (poll(polled.data(), polled.size(), -1) < 0)
			continue;

		if (polled[0].revents != 0) {
			uint64_t count;
			while (read(fWakeFd, &count, sizeof(count)) > 0) {
			}
		}
		// Accepting appends to fConnections; only the connections that were polled are
		// looked at in this round.
		const size_t listenerCount = fListeners.size();
		const size_t connectionCount = fConnections.size();
		for (size_t i = 0; i < listenerCount; i++) {
			if (polled[1 + i].revents != 0)
				Accept(fListeners[i]);
		}
		for (size_t i = 0; i < connectionCount; i++) {
			if (polled[1 + listenerCount + i].revents != 0 && !Serve(*fConnections[i]))
				Drop(*fConnections[i]);
		}
		std::erase_if(fConnections, [](const auto& connection) { return connection->done; });
	}
}

void PortServer::Reconcile()
{
	std::lock_guard<std::mutex> lock(kernel_lock());
	for (Listener& listener : fNewListeners)
		fListeners.push_back(listener);
	fNewListeners.clear();
	std::erase_if(fListeners, [](const Listener& listener) {
		if (!listener.port->deleted)
			return false;
		close(listener.fd);
		return true;
	});

	// Writers that waited for room get it in the order they came, as far as it goes.
	for (const Listener& listener : fListeners)
		listener.port->remoteWaiters = 0;
	for (const auto& connection : fConnections) {
		if (connection->state != Connection::kWaiting || connection->done)
			continue;
		Port& port = *connection->port;
		if (!port.Writable()) {
			Reply(*connection, B_BAD_PORT_ID);
			connection->done = true;
			close(connection->fd);
		} else if (port.HasRoom()) {
			// The buffer is only allocated now that the data can come, so that waiting
			// writers cost nothing but their connection.
			connection->message.data.resize(connection->request.size);
			port.reserved++;
			connection->holdsSlot = true;
			connection->state = Connection::kData;
			if (!Reply(*connection, kWireReady)) {
				port.reserved--;
				connection->holdsSlot = false;
				connection->done = true;
				close(connection->fd);
			} else if (connection->request.size == 0) {
				CompleteLocked(*connection);
			}
		} else {
			port.remoteWaiters++;
		}
	}
	std::erase_if(fConnections, [](const auto& connection) { return connection->done; });
}

void PortServer::CompleteLocked(Connection& connection)
{
	connection.holdsSlot = false;
	connection.port->reserved--;
	status_t status = enqueue_remote_message(*connection.port, std::move(connection.message));
	connection.port->writable.notify_all();
	Reply(connection, status);
	connection.done = true;
	close(connection.fd);
}

void PortServer::Accept(Listener& listener)
{
	for (;;) {
		int fd = accept4(listener.fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
		if (fd < 0)
			return;
		// The folder already keeps other users out; the peer's credentials are checked all
		// the same, so that a socket passed on by mistake does not open the port to them.
		struct ucred peer;
		socklen_t size = sizeof(peer);
		if (fConnections.size() >= kMaxConnections ||
		    getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || peer.uid != geteuid()) {
			close(fd);
			continue;
		}
		auto connection = std::make_unique<Connection>();
		connection->fd = fd;
		connection->port = listener.port;
		fConnections.push_back(std::move(connection));
	}
}

bool PortServer::Serve(Connection& connection)
{
	for (;;) {
		char* target;
		size_t wanted;
		if (connection.state == Connection::kHeader) {
			target = reinterpret_cast<char*>(&connection.request) + connection.headerRead;
			wanted = sizeof(connection.request) - connection.headerRead;
		} else if (connection.state == Connection::kData) {
			target = reinterpret_cast<char*>(connection.message.data.data()) + connection.dataRead;
			wanted = connection.message.data.size() - connection.dataRead;
		} else {
			// A waiting writer sends nothing; readable means it hung up (or misbehaves).
			return false;
		}

		ssize_t count = recv(connection.fd, target, wanted, 0);
		if (count < 0 && errno == EINTR)
			continue;
		if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
			return true;
		if (count <= 0)
			return false;

		if (connection.state == Connection::kHeader) {
			connection.headerRead += (size_t)count;
			if (connection.headerRead == sizeof(connection.request) && !HandleRequest(connection))
				return false;
		} else {
			connection.dataRead += (size_t)count;
		}
		if (connection.state == Connection::kData &&
		    connection.dataRead == connection.message.data.size()) {
			std::lock_guard<std::mutex> lock(kernel_lock());
			CompleteLocked(connection);
			return true;
		}
		if (connection.state == Connection::kWaiting)
			return true;
	}
}

bool PortServer::HandleRequest(Connection& connection)
{
	const WireRequest& request = connection.request;
	if (request.magic != kWireMagic || request.version != kWireVersion)
		return false;

	std::lock_guard<std::mutex> lock(kernel_lock());
	Port& port = *connection.port;
	switch (request.op) {
	case kWireInfo:
		Reply(connection, port.deleted ? B_BAD_PORT_ID : B_OK);
		return false;
	case kWireDelete:
		delete_own_port(connection.port);
		Reply(connection, B_OK);
		return false;
	case kWireClose:
		if (!port.deleted)
			close_own_port(connection.port);
		Reply(connection, port.deleted ? B_BAD_PORT_ID : B_OK);
		return false;
	case kWireWrite:
		break;
	default:
		return false;
	}

	if (request.size > kMaxPortMessageSize) {
		Reply(connection, B_BAD_VALUE);
		return false;
	}
	if (!port.Writable()) {
		Reply(connection, B_BAD_PORT_ID);
		return false;
	}
	connection.message.code = request.code;
	if (port.HasRoom()) {
		connection.message.data.resize(request.size);
		port.reserved++;
		connection.holdsSlot = true;
		connection.state = Connection::kData;
		return Reply(connection, kWireReady);
	}
	if ((request.flags & kWireNoWait) != 0) {
		Reply(connection, B_WOULD_BLOCK);
		return false;
	}
	connection.state = Connection::kWaiting;
	port.remoteWaiters++;
	return true;
}

bool PortServer::Reply(Connection& connection, status_t status)
{
	WireReply reply = {};
	reply.magic = kWireMagic;
	reply.status = status;
	const Port& port = *connection.port;
	reply.capacity = port.capacity;
	reply.queueCount = (int32)port.queue.size();
	reply.totalCount = port.totalCount;
	reply.team = port.team;
	port.name.copy(reply.name, sizeof(reply.name) - 1);
	// A reply is far smaller than an empty socket buffer; if it does not go through at once
	// the peer is gone or stuck, and is dropped.
	return send(connection.fd, &reply, sizeof(reply), MSG_NOSIGNAL | MSG_DONTWAIT) ==
	       (ssize_t)sizeof(reply);
}

void PortServer::Drop(Connection& connection)
{
	if (connection.done)
		return;
	if (connection.holdsSlot) {
		std::lock_guard<std::mutex> lock(kernel_lock());
		connection.port->reserved--;
		connection.holdsSlot = false;
		connection.port->writable.notify_all();
	}
	close(connection.fd);
	connection.done = true;
}

} // namespace BPrivate
