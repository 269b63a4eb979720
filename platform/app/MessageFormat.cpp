// Flattening and unflattening of BMessage in the format documented in Message.h.
#include <Message.h>

#include <cstring>
#include <string_view>
#include <unordered_set>

#include "MessagePrivate.h"

namespace {

constexpr char kMagic[4] = {'G', 'P', 'M', 'F'};
constexpr uint16 kVersion = 1;
constexpr size_t kHeaderSize = 20;
constexpr uint16 kHeaderIsReply = 0x1;
constexpr uint16 kHeaderWasDropped = 0x2;
constexpr uint8 kFieldFixedSize = 0x1;
// type, flags, name length, one name byte, count, one size: the least a field can take.
constexpr size_t kMinFieldSize = 4 + 1 + 1 + 1 + 4 + 4;

class Writer {
public:
	explicit Writer(char* buffer) : fPosition(buffer) {}
	void Bytes(const void* data, size_t size)
	{
		if (size > 0)
			memcpy(fPosition, data, size);
		fPosition += size;
	}
	void U8(uint8 value) { Bytes(&value, 1); }
	void U16(uint16 value) { Bytes(&value, 2); }
	void U32(uint32 value) { Bytes(&value, 4); }

private:
	char* fPosition;
};

// Reads from untrusted bytes; every read checks what remains, and a failed read leaves the
// reader failed for good so that callers can check once at the end of a step.
class Reader {
public:
	Reader(const char* data, size_t size) : fData(data), fLeft(size) {}
	bool Bytes(void* out, size_t size)
	{
		const char* from = Take(size);
		if (from != nullptr && size > 0)
			memcpy(out, from, size);
		return from != nullptr;
	}
	const char* Take(size_t size)
	{
		if (fFailed || size > fLeft) {
			fFailed = true;
			return nullptr;
		}
		const char* from = fData;
		fData += size;
		fLeft -= size;
		return from;
	}
	bool U8(uint8* value) { return Bytes(value, 1); }
	bool U32(uint32* value) { return Bytes(value, 4); }
	size_t Left() const { return fLeft; }

private:
	const char* fData;
	size_t fLeft;
	bool fFailed = false;
};

} // namespace

ssize_t BMessage::FlattenedSize() const
{
	uint64 size = kHeaderSize;
	for (const Field& field : fFields) {
		size += 4 + 1 + 1 + field.name.size() + 4;
		size += field.fixedSize ? 4 : 4 * (uint64)field.Count();
		size += field.data.size();
	}
	if (size > UINT32_MAX)
		return B_BUFFER_OVERFLOW;
	return (ssize_t)size;
}

status_t BMessage::Flatten(char* buffer, ssize_t size) const
{
	if (buffer == nullptr || size < 0)
		return B_BAD_VALUE;
	ssize_t needed = FlattenedSize();
	if (needed < 0)
		return (status_t)needed;
	if (size < needed)
		return B_BUFFER_OVERFLOW;

	Writer out(buffer);
	out.Bytes(kMagic, 4);
	out.U16(kVersion);
	uint16 flags = 0;
	if (fFlags & Private::kIsReply)
		flags |= kHeaderIsReply;
	if (fFlags & Private::kWasDropped)
		flags |= kHeaderWasDropped;
	out.U16(flags);
	out.U32(what);
	out.U32((uint32)needed);
	out.U32((uint32)fFields.size());
	for (const Field& field : fFields) {
		out.U32(field.type);
		out.U8(field.fixedSize ? kFieldFixedSize : 0);
		out.U8((uint8)field.name.size());
		out.Bytes(field.name.data(), field.name.size());
		out.U32((uint32)field.Count());
		if (field.fixedSize) {
			out.U32(field.itemSize);
			out.Bytes(field.data.data(), field.data.size());
		} else {
			for (int32 i = 0; i < field.Count(); i++) {
				size_t itemSize = field.ItemSize(i);
				out.U32((uint32)itemSize);
				out.Bytes(field.data.data() + field.offsets[(size_t)i], itemSize);
			}
		}
	}
	return B_OK;
}

status_t BMessage::Flatten(BDataIO* stream, ssize_t* size) const
{
	if (stream == nullptr)
		return B_BAD_VALUE;
	ssize_t needed = FlattenedSize();
	if (needed < 0)
		return (status_t)needed;
	std::vector<char> buffer((size_t)needed);
	status_t status = Flatten(buffer.data(), needed);
	if (status == B_OK)
		status = stream->WriteExactly(buffer.data(), buffer.size());
	if (status == B_OK && size != nullptr)
		*size = needed;
	return status;
}

status_t BMessage::Unflatten(const char* flatBuffer, ssize_t size)
{
	if (flatBuffer == nullptr || size < 0)
		return B_BAD_VALUE;
	if ((size_t)size < 4 || memcmp(flatBuffer, kMagic, 4) != 0)
		return B_NOT_A_MESSAGE;
	if ((size_t)size < kHeaderSize)
		return B_BAD_DATA;

	Reader in(flatBuffer + 4, kHeaderSize - 4);
	uint16 version, headerFlags;
	uint32 command, total, fieldCount;
	in.Bytes(&version, 2);
	in.Bytes(&headerFlags, 2);
	in.U32(&command);
	in.U32(&total);
	in.U32(&fieldCount);
	if (version != kVersion)
		return B_NOT_SUPPORTED;
	if (total < kHeaderSize || total > (uint64)size)
		return B_BAD_DATA;
	Reader body(flatBuffer + kHeaderSize, total - kHeaderSize);
	if (fieldCount > body.Left() / kMinFieldSize)
		return B_BAD_DATA;

	std::vector<Field> fields;
	fields.reserve(fieldCount);
	std::unordered_set<std::string_view> names;
	for (uint32 f = 0; f < fieldCount; f++) {
		Field field;
		uint8 fieldFlags, nameLength;
		uint32 count;
		if (!body.U32(&field.type) || !body.U8(&fieldFlags) || !body.U8(&nameLength))
			return B_BAD_DATA;
		if ((fieldFlags & ~kFieldFixedSize) != 0 || nameLength == 0 || field.type == B_ANY_TYPE) {
			return B_BAD_DATA;
		}
		const char* name = body.Take(nameLength);
		if (name == nullptr || memchr(name, '\0', nameLength) != nullptr)
			return B_BAD_DATA;
		// A short list is searched directly; a set keeps long (forged) lists from costing
		// quadratic time.
		std::string_view fieldName(name, nameLength);
		if (fieldCount <= 16) {
			for (const Field& earlier : fields) {
				if (earlier.name == fieldName)
					return B_BAD_DATA;
			}
		} else if (!names.insert(fieldName).second) {
			return B_BAD_DATA;
		}
		field.name.assign(name, nameLength);
		if (!body.U32(&count) || count == 0)
			return B_BAD_DATA;

		size_t required = Private::RequiredItemSize(field.type);
		field.fixedSize = (fieldFlags & kFieldFixedSize) != 0;
		field.itemSize = 0;
		if (field.fixedSize) {
			uint32 itemSize;
			if (!body.U32(&itemSize) || itemSize == 0 || (required != 0 && itemSize != required) ||
			    (uint64)count * itemSize > body.Left()) {
				return B_BAD_DATA;
			}
			field.itemSize = itemSize;
			field.offsets.resize(count);
			for (uint32 i = 0; i < count; i++)
				field.offsets[i] = i * itemSize;
			const char* items = body.Take((size_t)count * itemSize);
			// Strings of one fixed size need their terminator as much as variable ones do.
			if (field.type == B_STRING_TYPE) {
				for (uint32 i = 0; i < count; i++) {
					if (items[(size_t)(i + 1) * itemSize - 1] != '\0')
						return B_BAD_DATA;
				}
			}
			field.data.assign(items, items + (size_t)count * itemSize);
		} else {
			// Each item needs at least its size word; a count above that is a lie.
			if (count > body.Left() / 4)
				return B_BAD_DATA;
			field.offsets.reserve(count);
			for (uint32 i = 0; i < count; i++) {
				uint32 itemSize;
				if (!body.U32(&itemSize) || itemSize > body.Left())
					return B_BAD_DATA;
				if (required != 0 && itemSize != required)
					return B_BAD_DATA;
				const char* item = body.Take(itemSize);
				if (field.type == B_STRING_TYPE && (itemSize == 0 || item[itemSize - 1] != '\0'))
					return B_BAD_DATA;
				field.offsets.push_back((uint32)field.data.size());
				field.data.insert(field.data.end(), item, item + itemSize);
			}
		}
		fields.push_back(std::move(field));
		// The views in `names` point into the input buffer, not into the moved fields.
	}
	if (body.Left() != 0)
		return B_BAD_DATA;

	Private(this).ClearDelivery();
	what = command;
	fFields = std::move(fields);
	fFlags = 0;
	if (headerFlags & kHeaderIsReply)
		fFlags |= Private::kIsReply;
	if (headerFlags & kHeaderWasDropped)
		fFlags |= Private::kWasDropped;
	return B_OK;
}

status_t BMessage::Unflatten(BDataIO* stream)
{
	if (stream == nullptr)
		return B_BAD_VALUE;
	char header[kHeaderSize];
	status_t status = stream->ReadExactly(header, 4);
	if (status != B_OK)
		return status;
	if (memcmp(header, kMagic, 4) != 0)
		return B_NOT_A_MESSAGE;
	status = stream->ReadExactly(header + 4, kHeaderSize - 4);
	if (status != B_OK)
		return status;
	uint32 total;
	memcpy(&total, header + 12, 4);
	if (total < kHeaderSize)
		return B_BAD_DATA;

	// The size comes from the stream: grow the buffer only as bytes really arrive, so that a
	// lying header cannot make us allocate gigabytes for a short file.
	std::vector<char> buffer(header, header + kHeaderSize);
	constexpr size_t kChunk = 64 * 1024;
	while (buffer.size() < total) {
		size_t chunk = min_c(kChunk, (size_t)total - buffer.size());
		size_t start = buffer.size();
		buffer.resize(start + chunk);
		status = stream->ReadExactly(buffer.data() + start, chunk);
		if (status != B_OK)
			return status == B_IO_ERROR ? B_BAD_DATA : status;
	}
	return Unflatten(buffer.data(), (ssize_t)buffer.size());
}
