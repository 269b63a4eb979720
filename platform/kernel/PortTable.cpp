#include "PortTable.h"

#include <cstring>

#include <unistd.h>

#include "PortServer.h"

namespace BPrivate {

PortTable& PortTable::Default()
{
	// Never destroyed: the port server thread may still look at it while the process exits.
	static PortTable* sTable = new PortTable;
	return *sTable;
}

status_t PortTable::Add(const std::shared_ptr<Port>& port)
{
	if (fPorts.size() >= kMaxPorts)
		return B_NO_MORE_PORTS;
	while (fPorts.count(fNextId) != 0 || fNextId <= 0) {
		if (fNextId <= 0)
			fNextId = 1;
		else
			fNextId++;
	}
	port->id = fNextId++;
	fPorts[port->id] = port;
	return B_OK;
}

std::shared_ptr<Port> PortTable::Find(port_id id) const
{
	auto found = fPorts.find(id);
	return found != fPorts.end() ? found->second : nullptr;
}

std::shared_ptr<Port> PortTable::FindOwn(const std::string& name) const
{
	for (const auto& [id, port] : fPorts) {
		if (!port->remote && port->Writable() && port->name == name)
			return port;
	}
	return nullptr;
}

std::shared_ptr<Port> PortTable::FindHandle(const std::string& address) const
{
	for (const auto& [id, port] : fPorts) {
		if (port->remote && port->address == address)
			return port;
	}
	return nullptr;
}

void PortTable::Remove(port_id id)
{
	fPorts.erase(id);
}

void delete_own_port(const std::shared_ptr<Port>& port)
{
	if (port->deleted)
		return;
	port->deleted = true;
	port->queue.clear();
	PortTable::Default().Remove(port->id);
	// Unpublished at once, so that find_port elsewhere stops finding it even before the
	// server thread has closed the socket.
	if (!port->address.empty())
		unlink(port->address.c_str());
	port->readable.notify_all();
	port->writable.notify_all();
	PortServer::Default().Wake();
}

void close_own_port(const std::shared_ptr<Port>& port)
{
	if (port->closed)
		return;
	port->closed = true;
	port->readable.notify_all();
	port->writable.notify_all();
	PortServer::Default().Wake();
}

status_t enqueue_remote_message(Port& port, PortMessage&& message)
{
	if (!port.Writable())
		return B_BAD_PORT_ID;
	port.queue.push_back(std::move(message));
	port.totalCount++;
	port.readable.notify_all();
	return B_OK;
}

void fill_port_info(const Port& port, port_info* info)
{
	*info = port_info{};
	info->port = port.id;
	info->team = port.team;
	port.name.copy(info->name, sizeof(info->name) - 1);
	info->capacity = port.capacity;
	info->queue_count = (int32)port.queue.size();
	info->total_count = port.totalCount;
}

} // namespace BPrivate
