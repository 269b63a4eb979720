// How processes of one user talk about ports. The process that creates a named port serves
// it on a Unix stream socket in the runtime folder; another process opens one connection per
// request and sends a WireRequest, and the server answers with WireReply records.
//
// A write is a small handshake, so that a writer blocks while the port is full and a timeout
// never loses or duplicates a message:
//   writer: WireRequest{kWireWrite, code, size}
//   server: WireReply{kWireReady} once a slot is reserved for the writer (at once when there
//           is room, later when a reader makes room), or an error status
//   writer: the size bytes of the message
//   server: WireReply{B_OK} once the message is queued, or B_BAD_PORT_ID
// A writer that gives up before kWireReady simply hangs up, and the server drops it and
// releases whatever it had reserved. After kWireReady the writer no longer gives up, so the
// message is delivered exactly when the writer reports success.
//
// Both ends run on the same machine and are the same build of the kit, so records travel in
// the machine's own byte order; the magic number and version still refuse anything else.
//
// Private to the kernel kit.
#ifndef _KERNEL_PORT_WIRE_H
#define _KERNEL_PORT_WIRE_H

#include <cstdint>
#include <string>

#include <OS.h>

namespace BPrivate {

constexpr uint32_t kWireMagic = 'GPpt';
constexpr uint16_t kWireVersion = 1;

enum : uint16_t {
	kWireInfo = 1,
	kWireWrite = 2,
	kWireDelete = 3,
	kWireClose = 4,
};

// Request flag: a write that must not wait for room (a zero timeout); the server answers
// B_WOULD_BLOCK instead of keeping the writer.
constexpr uint16_t kWireNoWait = 0x0001;

// Reply status of the first answer to a write: a slot is reserved, send the data.
constexpr int32_t kWireReady = 1;

struct WireRequest {
	uint32_t magic;
	uint16_t version;
	uint16_t op;
	int32_t code;
	uint16_t flags;
	uint16_t unused;
	uint64_t size;
};

struct WireReply {
	uint32_t magic;
	int32_t status;
	int32_t capacity;
	int32_t queueCount;
	int32_t totalCount;
	int32_t team;
	char name[B_OS_NAME_LENGTH];
};

// The client side. Each call blocks the calling thread as a kernel call does (kills and
// suspensions reach it); deadline is an absolute system_time() or B_INFINITE_TIMEOUT.

// Asks the port served at address for its information. B_BAD_PORT_ID when nobody serves
// it; *stale is then set when the socket is a leftover of a process that died.
status_t wire_info(const std::string& address, port_info* info, bigtime_t deadline,
                   bool* stale = nullptr);
// Sends a message; B_WOULD_BLOCK (noWait) or B_TIMED_OUT when no room came in time.
status_t wire_write(const std::string& address, int32 code, const void* buffer, size_t size,
                    bigtime_t deadline, bool noWait);
// kWireDelete or kWireClose.
status_t wire_request(const std::string& address, uint16_t op);

} // namespace BPrivate

#endif
