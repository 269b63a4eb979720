// A message: a command code (`what`) and named fields, each holding one or more items of one
// type. Messages carry events between threads and processes and are the archive form of every
// persisted object, so they flatten into a byte form that is stored in files and sent through
// sockets.
//
// Field names are 1 to 255 bytes without a null byte. The items of a field keep the order in
// which they were added; fields keep the order in which they were created. Pointers returned by
// the Find methods point into the message and stay valid until the message changes.
//
// The flattened form (version 1), all integers little-endian, nothing padded:
//
//   header, 20 bytes
//     0   4  magic, the bytes "GPMF"
//     4   2  format version, 1
//     6   2  flags: bit 0 the message is a reply, bit 1 it was dropped (drag and drop);
//              other bits are written as 0 and ignored when read
//     8   4  what
//    12   4  total size in bytes, header included
//    16   4  number of fields
//   then each field
//     0   4  type code
//     4   1  field flags: bit 0 the items all have one fixed size; other bits must be 0
//     5   1  name length N, 1..255
//     6   N  name bytes (no terminator, no null byte)
//        4  item count C, at least 1
//     fixed size:    4  item size S (at least 1), then C * S bytes of items
//     variable size: C times: 4  item size, then that many bytes
//
// Item encodings: bool 1 byte (0 false, anything else true); integers, float and double in
// little-endian two's complement and IEEE form; BPoint 2 floats (x, y); BRect 4 floats (left,
// top, right, bottom); a pointer 8 bytes (meaningful only inside the process that wrote it);
// BMessenger 16 bytes (team, looper token, handler token, 0, each an int32); entry_ref its
// absolute path (the storage kit's byte form); a message its own flattened form, nested; a
// string its bytes and a terminating null byte (earlier null bytes are allowed and end the
// string for FindString). Types whose items have a fixed size (every type above except
// strings, refs, messages, and raw or unknown types) must be stored with exactly that size, so
// that Find never reads past an item.
//
// Unflatten treats its input as untrusted: every count, length and size is checked against the
// bytes that remain before anything is read or allocated. Bad input is answered with
// B_NOT_A_MESSAGE (wrong magic), B_NOT_SUPPORTED (another format version) or B_BAD_DATA, and
// leaves the message as it was.
#ifndef _MESSAGE_H
#define _MESSAGE_H

#include <memory>
#include <string>
#include <vector>

#include <AppDefs.h>
#include <DataIO.h>
#include <Messenger.h>
#include <Rect.h>
#include <String.h>
#include <TypeConstants.h>

class BHandler;
struct entry_ref;
struct rgb_color;

namespace BPrivate {
class ReplyChannel;
}

#define B_FIELD_NAME_LENGTH 255

// Fixed-size typed accessors, declared in one place so that every type gets the same set:
// Add, Find (first item or indexed), Replace (first item or indexed), Has and Get (the value,
// or a default when the item is missing or of another type).
#define _GLOWPLATE_MESSAGE_ACCESSORS(Name, Type)                                                   \
	status_t Add##Name(const char* name, Type value);                                              \
	status_t Find##Name(const char* name, Type* value) const;                                      \
	status_t Find##Name(const char* name, int32 index, Type* value) const;                         \
	status_t Replace##Name(const char* name, Type value);                                          \
	status_t Replace##Name(const char* name, int32 index, Type value);                             \
	bool Has##Name(const char* name, int32 index = 0) const;                                       \
	Type Get##Name(const char* name, Type defaultValue) const;                                     \
	Type Get##Name(const char* name, int32 index, Type defaultValue) const;

class BMessage {
public:
	uint32 what;

	BMessage();
	explicit BMessage(uint32 what);
	BMessage(const BMessage& other);
	virtual ~BMessage();
	BMessage& operator=(const BMessage& other);

	// Information about the fields.
	// The index-th field of the requested type (B_ANY_TYPE: of any type): B_BAD_TYPE when no
	// field has that type, B_BAD_INDEX when index is out of range.
	status_t GetInfo(type_code typeRequested, int32 index, char** nameFound, type_code* typeFound,
	                 int32* countFound = nullptr) const;
	status_t GetInfo(type_code typeRequested, int32 index, const char** nameFound,
	                 type_code* typeFound, int32* countFound = nullptr) const;
	status_t GetInfo(const char* name, type_code* typeFound, int32* countFound = nullptr) const;
	status_t GetInfo(const char* name, type_code* typeFound, bool* fixedSize) const;
	status_t GetInfo(const char* name, type_code* typeFound, int32* countFound,
	                 bool* fixedSize) const;
	int32 CountNames(type_code type) const;
	bool IsEmpty() const { return fFields.empty(); }
	bool IsSystem() const;
	void PrintToStream() const;
	status_t Rename(const char* oldName, const char* newName);

	// Delivery information, meaningful for a message that came through a looper.
	bool WasDelivered() const;
	bool IsSourceWaiting() const;
	bool IsSourceRemote() const;
	bool IsReply() const;
	BMessenger ReturnAddress() const;
	bool WasDropped() const;
	// Where a dropped message was dropped (screen coordinates), and the grab offset.
	BPoint DropPoint(BPoint* offset = nullptr) const;

	// Replies go to the sender waiting in SendMessage, else to the return address. A message
	// that was not delivered cannot be replied to (B_BAD_REPLY); a waiting sender takes one
	// reply (B_DUPLICATE_REPLY after that). A delivered message that a waiting sender gets no
	// reply to answers with B_NO_REPLY when it is deleted.
	status_t SendReply(uint32 command, BHandler* replyTo = nullptr);
	status_t SendReply(BMessage* reply, BHandler* replyTo = nullptr,
	                   bigtime_t timeout = B_INFINITE_TIMEOUT);
	status_t SendReply(BMessage* reply, BMessenger replyTo, bigtime_t timeout = B_INFINITE_TIMEOUT);

	// Flattening (the format above). Flatten into a buffer needs FlattenedSize() bytes, else
	// B_BUFFER_OVERFLOW. Unflatten from a buffer reads at most `size` bytes; the message may
	// be followed by other bytes. Unflatten from a stream reads exactly one message.
	ssize_t FlattenedSize() const;
	status_t Flatten(char* buffer, ssize_t size) const;
	status_t Flatten(BDataIO* stream, ssize_t* size = nullptr) const;
	status_t Unflatten(const char* flatBuffer, ssize_t size);
	status_t Unflatten(BDataIO* stream);

	// Generic data. count is a hint of how many items will follow.
	status_t AddData(const char* name, type_code type, const void* data, ssize_t numBytes,
	                 bool isFixedSize = true, int32 count = 1);
	status_t FindData(const char* name, type_code type, const void** data, ssize_t* numBytes) const;
	status_t FindData(const char* name, type_code type, int32 index, const void** data,
	                  ssize_t* numBytes) const;
	status_t ReplaceData(const char* name, type_code type, const void* data, ssize_t numBytes);
	status_t ReplaceData(const char* name, type_code type, int32 index, const void* data,
	                     ssize_t numBytes);
	bool HasData(const char* name, type_code type = B_ANY_TYPE, int32 index = 0) const;
	status_t RemoveData(const char* name, int32 index = 0);
	status_t RemoveName(const char* name);
	status_t MakeEmpty();

	_GLOWPLATE_MESSAGE_ACCESSORS(Bool, bool)
	_GLOWPLATE_MESSAGE_ACCESSORS(Int8, int8)
	_GLOWPLATE_MESSAGE_ACCESSORS(UInt8, uint8)
	_GLOWPLATE_MESSAGE_ACCESSORS(Int16, int16)
	_GLOWPLATE_MESSAGE_ACCESSORS(UInt16, uint16)
	_GLOWPLATE_MESSAGE_ACCESSORS(Int32, int32)
	_GLOWPLATE_MESSAGE_ACCESSORS(UInt32, uint32)
	_GLOWPLATE_MESSAGE_ACCESSORS(Int64, int64)
	_GLOWPLATE_MESSAGE_ACCESSORS(UInt64, uint64)
	_GLOWPLATE_MESSAGE_ACCESSORS(Float, float)
	_GLOWPLATE_MESSAGE_ACCESSORS(Double, double)
	_GLOWPLATE_MESSAGE_ACCESSORS(Point, BPoint)
	_GLOWPLATE_MESSAGE_ACCESSORS(Rect, BRect)
	_GLOWPLATE_MESSAGE_ACCESSORS(Messenger, BMessenger)
	// Colours are B_RGB_COLOR_TYPE items of four bytes: red, green, blue, alpha.
	_GLOWPLATE_MESSAGE_ACCESSORS(Color, rgb_color)

	// Strings: the const char* forms point into the message.
	status_t AddString(const char* name, const char* string);
	status_t AddString(const char* name, const BString& string);
	status_t FindString(const char* name, const char** string) const;
	status_t FindString(const char* name, int32 index, const char** string) const;
	status_t FindString(const char* name, BString* string) const;
	status_t FindString(const char* name, int32 index, BString* string) const;
	status_t ReplaceString(const char* name, const char* string);
	status_t ReplaceString(const char* name, int32 index, const char* string);
	status_t ReplaceString(const char* name, const BString& string);
	status_t ReplaceString(const char* name, int32 index, const BString& string);
	bool HasString(const char* name, int32 index = 0) const;
	const char* GetString(const char* name, const char* defaultValue) const;
	const char* GetString(const char* name, int32 index, const char* defaultValue) const;

	// Pointers are only meaningful inside this process.
	status_t AddPointer(const char* name, const void* pointer);
	status_t FindPointer(const char* name, void** pointer) const;
	status_t FindPointer(const char* name, int32 index, void** pointer) const;
	status_t ReplacePointer(const char* name, const void* pointer);
	status_t ReplacePointer(const char* name, int32 index, const void* pointer);
	bool HasPointer(const char* name, int32 index = 0) const;

	// File references, stored in the storage kit's byte form; a ref that does not resolve
	// cannot be added.
	status_t AddRef(const char* name, const entry_ref* ref);
	status_t FindRef(const char* name, entry_ref* ref) const;
	status_t FindRef(const char* name, int32 index, entry_ref* ref) const;
	status_t ReplaceRef(const char* name, const entry_ref* ref);
	status_t ReplaceRef(const char* name, int32 index, const entry_ref* ref);
	bool HasRef(const char* name, int32 index = 0) const;

	// Nested messages, stored flattened; Find replaces *message with a copy.
	status_t AddMessage(const char* name, const BMessage* message);
	status_t FindMessage(const char* name, BMessage* message) const;
	status_t FindMessage(const char* name, int32 index, BMessage* message) const;
	status_t ReplaceMessage(const char* name, const BMessage* message);
	status_t ReplaceMessage(const char* name, int32 index, const BMessage* message);
	bool HasMessage(const char* name, int32 index = 0) const;

	class Private;

private:
	friend class Private;

	struct Field {
		std::string name;
		type_code type;
		bool fixedSize;
		uint32 itemSize;             // for fixed-size fields
		std::vector<uint32> offsets; // where each item starts in data
		std::vector<uint8> data;

		int32 Count() const { return (int32)offsets.size(); }
		size_t ItemSize(int32 index) const;
	};

	Field* _FindField(const char* name);
	const Field* _FindField(const char* name) const;
	status_t _FindItem(const char* name, type_code type, int32 index, const void** data,
	                   size_t* size) const;
	status_t _FindFixed(const char* name, type_code type, int32 index, void* value,
	                    size_t size) const;
	void _PrintToStream(int depth) const;
	void _CopyFrom(const BMessage& other);
	void _ReleaseReplyObligation();
	status_t _SendReply(BMessage* reply, const BMessenger& replyTo, bigtime_t timeout);

	std::vector<Field> fFields;

	// Delivery state: who should get it inside its looper, where replies go, and the waiting
	// sender, if any.
	int32 fTargetToken;
	BMessenger fReplyTo;
	std::shared_ptr<BPrivate::ReplyChannel> fReplyChannel;
	uint32 fFlags;
};

#undef _GLOWPLATE_MESSAGE_ACCESSORS

#endif
