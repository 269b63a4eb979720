// The port calls of OS.h. A port's queue lives in the process that created it; a named port
// is also published in the runtime folder (PortServer), so that other processes of the user
// find it with find_port and write to it (PortWire).

#include <OS.h>

#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <unistd.h>

#include "KernelTime.h"
#include "PortServer.h"
#include "PortTable.h"
#include "PortWire.h"
#include "RuntimeDir.h"
#include "ThreadTable.h"

using namespace BPrivate;

namespace {

// How long find_port waits for a live but busy process to answer before it looks elsewhere.
constexpr bigtime_t kFindTimeout = 1000000;

std::shared_ptr<Port> find_port_locked(port_id id)
{
	std::shared_ptr<Port> port = PortTable::Default().Find(id);
	return port && !port->deleted ? port : nullptr;
}

// A handle whose process no longer answers is forgotten, so that the id stops working the
// way the id of a deleted port does.
status_t forget_if_gone(const std::shared_ptr<Port>& handle, status_t status)
{
	if (status == B_BAD_PORT_ID) {
		std::lock_guard<std::mutex> lock(kernel_lock());
		handle->deleted = true;
		PortTable::Default().Remove(handle->id);
	}
	return status;
}

// Finds the port and waits until it has a message to read (B_OK, with found set to the
// port) or cannot have one any more.
status_t wait_for_message(std::unique_lock<std::mutex>& lock, port_id id, uint32 flags,
                          bigtime_t timeout, std::shared_ptr<Port>& found)
{
	found = find_port_locked(id);
	if (!found)
		return B_BAD_PORT_ID;
	// Messages wait in the memory of the process that created the port; reading them from
	// elsewhere is not offered.
	if (found->remote)
		return B_NOT_SUPPORTED;
	Port& port = *found;
	auto ready = [&] { return port.deleted || port.closed || !port.queue.empty(); };
	if (!ready() && kernel_is_poll(flags, timeout))
		return B_WOULD_BLOCK;
	status_t status = kernel_wait(lock, port.readable, kernel_deadline(flags, timeout),
	                              B_THREAD_RECEIVING, ready);
	if (status != B_OK)
		return status;
	// A closed port is read until it is empty; after that it is as good as gone.
	return port.deleted || port.queue.empty() ? B_BAD_PORT_ID : B_OK;
}

// The socket of another process that serves a port with this name, or an empty string.
// Sockets left behind by dead processes are removed on the way.
std::string find_remote_port(const std::string& name, port_info* info)
{
	std::string folder;
	if (runtime_directory(folder) != B_OK)
		return std::string();
	DIR* directory = opendir(folder.c_str());
	if (directory == nullptr)
		return std::string();

	const std::string prefix = PortServer::SocketPrefix(name);
	const std::string ownTeam = std::to_string(getpid()) + ".";
	std::string found;
	while (struct dirent* entry = readdir(directory)) {
		std::string file = entry->d_name;
		if (file.compare(0, prefix.size(), prefix) != 0)
			continue;
		std::string address = folder + "/" + file;
		// This process's own ports were looked for in the table already; a socket of ours
		// that the table does not know is a leftover of an earlier process with our pid.
		if (file.compare(prefix.size(), ownTeam.size(), ownTeam) == 0) {
			std::lock_guard<std::mutex> lock(kernel_lock());
			port_id id = atoi(file.c_str() + prefix.size() + ownTeam.size());
			std::shared_ptr<Port> own = find_port_locked(id);
			if (!own || own->address != address)
				unlink(address.c_str());
			continue;
		}
		bool stale = false;
		status_t status = wire_info(address, info, kernel_deadline_after(kFindTimeout), &stale);
		if (status == B_OK && name == info->name) {
			found = address;
			break;
		}
		if (stale)
			unlink(address.c_str());
	}
	closedir(directory);
	return found;
}

} // namespace

port_id create_port(int32 capacity, const char* name)
{
	if (capacity <= 0 || capacity > kMaxPortCapacity)
		return B_BAD_VALUE;

	auto port = std::make_shared<Port>();
	port->name = kernel_name(name);
	port->capacity = capacity;
	port->team = getpid();
	{
		std::lock_guard<std::mutex> lock(kernel_lock());
		status_t status = PortTable::Default().Add(port);
		if (status != B_OK)
			return status;
	}
	// Only a named port can be found by others. When the runtime folder cannot be used the
	// port still works inside this process; other processes just do not find it.
	if (!port->name.empty())
		PortServer::Default().Publish(port);
	return port->id;
}

port_id find_port(const char* name)
{
	if (name == nullptr)
		return B_BAD_VALUE;
	const std::string wanted = kernel_name(name);
	if (wanted.empty())
		return B_NAME_NOT_FOUND;
	{
		std::lock_guard<std::mutex> lock(kernel_lock());
		if (std::shared_ptr<Port> own = PortTable::Default().FindOwn(wanted))
			return own->id;
	}

	port_info info;
	std::string address = find_remote_port(wanted, &info);
	if (address.empty())
		return B_NAME_NOT_FOUND;

	std::lock_guard<std::mutex> lock(kernel_lock());
	if (std::shared_ptr<Port> known = PortTable::Default().FindHandle(address))
		return known->id;
	auto handle = std::make_shared<Port>();
	handle->remote = true;
	handle->address = address;
	handle->name = wanted;
	handle->capacity = info.capacity;
	handle->team = info.team;
	status_t status = PortTable::Default().Add(handle);
	return status == B_OK ? handle->id : status;
}

status_t delete_port(port_id id)
{
	std::unique_lock<std::mutex> lock(kernel_lock());
	std::shared_ptr<Port> port = find_port_locked(id);
	if (!port)
		return B_BAD_PORT_ID;
	if (!port->remote) {
		delete_own_port(port);
		return B_OK;
	}
	lock.unlock();
	status_t status = wire_request(port->address, kWireDelete);
	// The handle goes with the port, whether the other process deleted it now or had before.
	forget_if_gone(port, B_BAD_PORT_ID);
	return status;
}

status_t close_port(port_id id)
{
	std::unique_lock<std::mutex> lock(kernel_lock());
	std::shared_ptr<Port> port = find_port_locked(id);
	if (!port || port->closed)
		return B_BAD_PORT_ID;
	if (!port->remote) {
		close_own_port(port);
		return B_OK;
	}
	lock.unlock();
	return forget_if_gone(port, wire_request(port->address, kWireClose));
}

status_t get_port_info(port_id id, port_info* info)
{
	if (info == nullptr)
		return B_BAD_VALUE;
	std::unique_lock<std::mutex> lock(kernel_lock());
	std::shared_ptr<Port> port = find_port_locked(id);
	if (!port)
		return B_BAD_PORT_ID;
	if (!port->remote) {
		fill_port_info(*port, info);
		return B_OK;
	}
	lock.unlock();
	status_t status = forget_if_gone(port, wire_info(port->address, info, B_INFINITE_TIMEOUT));
	if (status == B_OK)
		info->port = id;
	return status;
}

ssize_t port_count(port_id id)
{
	port_info info;
	status_t status = get_port_info(id, &info);
	return status == B_OK ? info.queue_count : status;
}

status_t write_port(port_id id, int32 code, const void* buffer, size_t bufferSize)
{
	return write_port_etc(id, code, buffer, bufferSize, 0, 0);
}

status_t write_port_etc(port_id id, int32 code, const void* buffer, size_t bufferSize, uint32 flags,
                        bigtime_t timeout)
{
	if (buffer == nullptr && bufferSize > 0)
		return B_BAD_VALUE;
	if (bufferSize > kMaxPortMessageSize)
		return B_BAD_VALUE;

	std::unique_lock<std::mutex> lock(kernel_lock());
	std::shared_ptr<Port> port = find_port_locked(id);
	if (!port)
		return B_BAD_PORT_ID;
	if (port->remote) {
		lock.unlock();
		return forget_if_gone(port, wire_write(port->address, code, buffer, bufferSize,
		                                       kernel_deadline(flags, timeout),
		                                       kernel_is_poll(flags, timeout)));
	}

	auto ready = [&] { return !port->Writable() || port->HasRoom(); };
	if (!ready() && kernel_is_poll(flags, timeout))
		return B_WOULD_BLOCK;
	status_t status =
	    kernel_wait(lock, port->writable, kernel_deadline(flags, timeout), B_THREAD_WAITING, ready);
	if (status != B_OK)
		return status;
	if (!port->Writable())
		return B_BAD_PORT_ID;

	PortMessage message;
	message.code = code;
	const uint8_t* bytes = static_cast<const uint8_t*>(buffer);
	message.data.assign(bytes, bytes + bufferSize);
	port->queue.push_back(std::move(message));
	port->totalCount++;
	port->readable.notify_all();
	return B_OK;
}

ssize_t read_port(port_id id, int32* code, void* buffer, size_t bufferSize)
{
	return read_port_etc(id, code, buffer, bufferSize, 0, 0);
}

ssize_t read_port_etc(port_id id, int32* code, void* buffer, size_t bufferSize, uint32 flags,
                      bigtime_t timeout)
{
	if (code == nullptr || (buffer == nullptr && bufferSize > 0))
		return B_BAD_VALUE;

	std::unique_lock<std::mutex> lock(kernel_lock());
	std::shared_ptr<Port> port;
	status_t status = wait_for_message(lock, id, flags, timeout, port);
	if (status != B_OK)
		return status;

	PortMessage message = std::move(port->queue.front());
	port->queue.pop_front();
	port->writable.notify_all();
	if (port->remoteWaiters > 0)
		PortServer::Default().Wake();
	lock.unlock();

	// As on the platform, a buffer too small for the message takes its beginning; the
	// message is consumed all the same. port_buffer_size tells the size to expect.
	*code = message.code;
	size_t copied = min_c(bufferSize, message.data.size());
	if (copied > 0)
		memcpy(buffer, message.data.data(), copied);
	return (ssize_t)copied;
}

ssize_t port_buffer_size(port_id id)
{
	return port_buffer_size_etc(id, 0, 0);
}

ssize_t port_buffer_size_etc(port_id id, uint32 flags, bigtime_t timeout)
{
	std::unique_lock<std::mutex> lock(kernel_lock());
	std::shared_ptr<Port> port;
	status_t status = wait_for_message(lock, id, flags, timeout, port);
	if (status != B_OK)
		return status;
	return (ssize_t)port->queue.front().data.size();
}
