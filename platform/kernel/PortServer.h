// Serves this process's named ports to the other processes of the user. One thread of its
// own listens on a socket per published port in the runtime folder and answers the requests
// of PortWire.h: port information, writes (holding a writer while the port is full), closing
// and deleting. Messages from other processes land in the same in-memory queue that this
// process's own writers use.
//
// The socket is what makes a port findable: a process that dies leaves its socket file
// behind, but nothing accepts on it any more, so find_port elsewhere sees the connection
// refused and removes the file.
//
// Private to the kernel kit.
#ifndef _KERNEL_PORT_SERVER_H
#define _KERNEL_PORT_SERVER_H

#include <memory>
#include <string>
#include <vector>

#include <OS.h>

#include "PortTable.h"

namespace BPrivate {

class PortServer {
public:
	static PortServer& Default();

	// Publishes the port under its socket and sets port->address. Call it without the
	// kernel lock, before the port can be found.
	status_t Publish(const std::shared_ptr<Port>& port);
	// Asks the server thread to look at its ports again: one was deleted or closed, or a
	// reader made room. Cheap; safe with or without the kernel lock.
	void Wake();

	// The socket file name of a port published by this process, for find_port to match
	// its own leftovers against.
	static std::string SocketName(const std::string& portName, team_id team, port_id id);
	// The prefix that the socket names of all ports called portName share.
	static std::string SocketPrefix(const std::string& portName);

private:
	struct Listener {
		std::shared_ptr<Port> port;
		int fd;
	};
	struct Connection;

	PortServer();
	status_t StartLocked();
	static void* ThreadEntry(void* server);
	void Run();
	void Reconcile();
	void Accept(Listener& listener);
	// False when the connection is done and is to be dropped.
	bool Serve(Connection& connection);
	bool HandleRequest(Connection& connection);
	// Queues the message whose data has all come and answers the writer. Expects the lock.
	void CompleteLocked(Connection& connection);
	bool Reply(Connection& connection, status_t status);
	void Drop(Connection& connection);

	int fWakeFd = -1;
	bool fRunning = false;
	// Handed over under the kernel lock; the rest is the server thread's alone.
	std::vector<Listener> fNewListeners;
	std::vector<Listener> fListeners;
	std::vector<std::unique_ptr<Connection>> fConnections;
};

} // namespace BPrivate

#endif
