// The ports this process knows: its own ports, with their message queues in memory, and
// handles to named ports of other processes of the same user, found with find_port and
// reached through the socket that the creating process serves in the runtime folder.
//
// Private to the kernel kit. Everything here is guarded by the kernel lock.
#ifndef _KERNEL_PORT_TABLE_H
#define _KERNEL_PORT_TABLE_H

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <OS.h>

namespace BPrivate {

// The most a port holds, and the largest message it takes. Both bound what a writer in
// another process can make us allocate.
constexpr int32 kMaxPortCapacity = 4096;
constexpr size_t kMaxPortMessageSize = 16 * 1024 * 1024;
// How many ports (own ones and handles) one process may have.
constexpr size_t kMaxPorts = 4096;

struct PortMessage {
	int32 code = 0;
	std::vector<uint8_t> data;
};

struct Port {
	port_id id = -1;
	std::string name;
	int32 capacity = 0;
	team_id team = -1;

	// A handle to a port of another process: nothing below but the address is used.
	bool remote = false;
	// The socket through which other processes reach the port: where a remote port is
	// served, or where this process publishes its own named port. Empty when unpublished.
	std::string address;

	std::deque<PortMessage> queue;
	// Slots promised to writers in other processes whose data is on its way; they count
	// against the capacity like queued messages.
	int32 reserved = 0;
	// Writers in other processes that wait for room; a reader tells the server when it makes
	// room while there are any.
	int32 remoteWaiters = 0;
	int32 totalCount = 0;
	bool closed = false; // close_port: no more writes, the queue may still be read
	bool deleted = false;

	std::condition_variable readable;
	std::condition_variable writable;

	bool HasRoom() const { return (int32)queue.size() + reserved < capacity; }
	bool Writable() const { return !deleted && !closed; }
};

class PortTable {
public:
	static PortTable& Default();

	// B_NO_MORE_PORTS when the process has as many ports as it may; otherwise the port gets
	// its id and is entered.
	status_t Add(const std::shared_ptr<Port>& port);
	std::shared_ptr<Port> Find(port_id id) const;
	// An own port with that name that is still open for writing.
	std::shared_ptr<Port> FindOwn(const std::string& name) const;
	std::shared_ptr<Port> FindHandle(const std::string& address) const;
	void Remove(port_id id);

private:
	PortTable() = default;

	std::map<port_id, std::shared_ptr<Port>> fPorts;
	port_id fNextId = 1;
};

// Deletes an own port: it leaves the table, its socket is unpublished, and every thread
// blocked on it (here or in another process) is answered B_BAD_PORT_ID. Expects the lock.
void delete_own_port(const std::shared_ptr<Port>& port);
// Closes an own port for writing; readers may drain what is queued. Expects the lock.
void close_own_port(const std::shared_ptr<Port>& port);
// Takes a message that a writer of another process delivered. Expects the lock.
status_t enqueue_remote_message(Port& port, PortMessage&& message);
// Fills info for an own port. Expects the lock.
void fill_port_info(const Port& port, port_info* info);

} // namespace BPrivate

#endif
