#include <Message.h>

#include <bit>
#include <cstdio>
#include <cstring>

#include "MessagePrivate.h"
#include "ReplyChannel.h"

// Items are kept in memory in their flattened encoding, which is little-endian; on such a host
// that is the native layout and flattening is a copy.
static_assert(std::endian::native == std::endian::little, "the message format assumes a "
                                                          "little-endian host");

size_t BMessage::Private::RequiredItemSize(type_code type)
{
	switch (type) {
	case B_BOOL_TYPE:
	case B_INT8_TYPE:
	case B_UINT8_TYPE:
	case B_CHAR_TYPE:
		return 1;
	case B_INT16_TYPE:
	case B_UINT16_TYPE:
		return 2;
	case B_INT32_TYPE:
	case B_UINT32_TYPE:
	case B_FLOAT_TYPE:
	case B_RGB_COLOR_TYPE:
		return 4;
	case B_INT64_TYPE:
	case B_UINT64_TYPE:
	case B_DOUBLE_TYPE:
	case B_POINT_TYPE:
	case B_POINTER_TYPE:
	case B_OFF_T_TYPE:
	case B_TIME_TYPE:
	case B_SIZE_T_TYPE:
	case B_SSIZE_T_TYPE:
		return 8;
	case B_RECT_TYPE:
	case B_MESSENGER_TYPE:
		return 16;
	default:
		return 0;
	}
}

namespace {

bool valid_name(const char* name)
{
	if (name == nullptr)
		return false;
	size_t length = strnlen(name, B_FIELD_NAME_LENGTH + 1);
	return length >= 1 && length <= B_FIELD_NAME_LENGTH;
}

} // namespace

size_t BMessage::Field::ItemSize(int32 index) const
{
	if (fixedSize)
		return itemSize;
	size_t end = index + 1 < Count() ? offsets[(size_t)index + 1] : data.size();
	return end - offsets[(size_t)index];
}

BMessage::BMessage() : BMessage(0) {}

BMessage::BMessage(uint32 command) : what(command), fTargetToken(B_NULL_TOKEN), fFlags(0) {}

BMessage::BMessage(const BMessage& other) : what(0), fTargetToken(B_NULL_TOKEN), fFlags(0)
{
	_CopyFrom(other);
}

BMessage::~BMessage()
{
	_ReleaseReplyObligation();
}

BMessage& BMessage::operator=(const BMessage& other)
{
	if (this != &other) {
		_ReleaseReplyObligation();
		_CopyFrom(other);
	}
	return *this;
}

void BMessage::_CopyFrom(const BMessage& other)
{
	what = other.what;
	fFields = other.fFields;
	fTargetToken = other.fTargetToken;
	fReplyTo = other.fReplyTo;
	// A copy can still reply to a waiting sender, but only the delivered original owes it an
	// answer: otherwise every stored copy would delay or duplicate the B_NO_REPLY.
	fReplyChannel = other.fReplyChannel;
	fFlags = other.fFlags & ~Private::kReplyRequired;
}

void BMessage::_ReleaseReplyObligation()
{
	if ((fFlags & Private::kReplyRequired) == 0)
		return;
	fFlags &= ~Private::kReplyRequired;
	if (fReplyChannel && !fReplyChannel->Replied()) {
		BMessage noReply(B_NO_REPLY);
		Private(noReply).AddFlags(Private::kIsReply);
		fReplyChannel->Deliver(noReply, B_INFINITE_TIMEOUT);
	}
}

// --- fields --------------------------------------------------------------------------------

BMessage::Field* BMessage::_FindField(const char* name)
{
	return const_cast<Field*>(static_cast<const BMessage*>(this)->_FindField(name));
}

const BMessage::Field* BMessage::_FindField(const char* name) const
{
	if (name == nullptr)
		return nullptr;
	for (const Field& field : fFields) {
		if (field.name == name)
			return &field;
	}
	return nullptr;
}

status_t BMessage::AddData(const char* name, type_code type, const void* data, ssize_t numBytes,
                           bool isFixedSize, int32 count)
{
	if (!valid_name(name) || type == B_ANY_TYPE || numBytes < 0 ||
	    (numBytes > 0 && data == nullptr) || (isFixedSize && numBytes == 0) ||
	    (uint64)numBytes > UINT32_MAX) {
		return B_BAD_VALUE;
	}
	size_t required = Private::RequiredItemSize(type);
	if (required != 0 && (size_t)numBytes != required)
		return B_BAD_VALUE;
	if (type == B_STRING_TYPE && (numBytes == 0 || ((const char*)data)[numBytes - 1] != '\0'))
		return B_BAD_VALUE;

	Field* field = _FindField(name);
	if (field != nullptr) {
		if (field->type != type)
			return B_BAD_TYPE;
		if (field->fixedSize && (size_t)numBytes != field->itemSize)
			return B_BAD_VALUE;
	}
	size_t used = field != nullptr ? field->data.size() : 0;
	if (used + (size_t)numBytes > UINT32_MAX)
		return B_NO_MEMORY;

	if (field == nullptr) {
		Field& added = fFields.emplace_back();
		added.name = name;
		added.type = type;
		added.fixedSize = isFixedSize;
		added.itemSize = isFixedSize ? (uint32)numBytes : 0;
		if (count > 1) {
			// The hint comes from callers, not from data; still keep it from reserving much.
			size_t hint = (size_t)min_c(count, (int32)1024);
			added.offsets.reserve(hint);
			if (isFixedSize)
				added.data.reserve(hint * (size_t)numBytes);
		}
		field = &added;
	}
	field->offsets.push_back((uint32)field->data.size());
	const uint8* bytes = (const uint8*)data;
	field->data.insert(field->data.end(), bytes, bytes + numBytes);
	return B_OK;
}

status_t BMessage::_FindItem(const char* name, type_code type, int32 index, const void** data,
                             size_t* size) const
{
	if (name == nullptr)
		return B_BAD_VALUE;
	const Field* field = _FindField(name);
	if (field == nullptr)
		return B_NAME_NOT_FOUND;
	if (type != B_ANY_TYPE && field->type != type)
		return B_BAD_TYPE;
	if (index < 0 || index >= field->Count())
		return B_BAD_INDEX;
	*data = field->data.data() + field->offsets[(size_t)index];
	*size = field->ItemSize(index);
	return B_OK;
}

status_t BMessage::_FindFixed(const char* name, type_code type, int32 index, void* value,
                              size_t size) const
{
	const void* data;
	size_t found;
	status_t status = _FindItem(name, type, index, &data, &found);
	if (status != B_OK)
		return status;
	if (found != size)
		return B_BAD_DATA;
	memcpy(value, data, size);
	return B_OK;
}

status_t BMessage::FindData(const char* name, type_code type, const void** data,
                            ssize_t* numBytes) const
{
	return FindData(name, type, 0, data, numBytes);
}

status_t BMessage::FindData(const char* name, type_code type, int32 index, const void** data,
                            ssize_t* numBytes) const
{
	if (data == nullptr || numBytes == nullptr)
		return B_BAD_VALUE;
	const void* found;
	size_t size;
	status_t status = _FindItem(name, type, index, &found, &size);
	if (status == B_OK) {
		*data = found;
		*numBytes = (ssize_t)size;
	}
	return status;
}

status_t BMessage::ReplaceData(const char* name, type_code type, const void* data, ssize_t numBytes)
{
	return ReplaceData(name, type, 0, data, numBytes);
}

status_t BMessage::ReplaceData(const char* name, type_code type, int32 index, const void* data,
                               ssize_t numBytes)
{
	if (name == nullptr || numBytes < 0 || (numBytes > 0 && data == nullptr) ||
	    (uint64)numBytes > UINT32_MAX) {
		return B_BAD_VALUE;
	}
	Field* field = _FindField(name);
	if (field == nullptr)
		return B_NAME_NOT_FOUND;
	if (field->type != type)
		return B_BAD_TYPE;
	if (index < 0 || index >= field->Count())
		return B_BAD_INDEX;
	size_t required = Private::RequiredItemSize(type);
	if ((required != 0 && (size_t)numBytes != required) ||
	    (field->fixedSize && (size_t)numBytes != field->itemSize)) {
		return B_BAD_VALUE;
	}
	if (type == B_STRING_TYPE && (numBytes == 0 || ((const char*)data)[numBytes - 1] != '\0'))
		return B_BAD_VALUE;

	size_t oldSize = field->ItemSize(index);
	size_t start = field->offsets[(size_t)index];
	if (field->data.size() - oldSize + (size_t)numBytes > UINT32_MAX)
		return B_NO_MEMORY;
	const uint8* bytes = (const uint8*)data;
	if (oldSize == (size_t)numBytes) {
		if (numBytes > 0)
			memcpy(field->data.data() + start, bytes, (size_t)numBytes);
		return B_OK;
	}
	field->data.erase(field->data.begin() + (ptrdiff_t)start,
	                  field->data.begin() + (ptrdiff_t)(start + oldSize));
	field->data.insert(field->data.begin() + (ptrdiff_t)start, bytes, bytes + numBytes);
	for (size_t i = (size_t)index + 1; i < field->offsets.size(); i++)
		field->offsets[i] = (uint32)(field->offsets[i] - oldSize + (size_t)numBytes);
	return B_OK;
}

bool BMessage::HasData(const char* name, type_code type, int32 index) const
{
	const void* data;
	size_t size;
	return _FindItem(name, type, index, &data, &size) == B_OK;
}

status_t BMessage::RemoveData(const char* name, int32 index)
{
	if (name == nullptr)
		return B_BAD_VALUE;
	Field* field = _FindField(name);
	if (field == nullptr)
		return B_NAME_NOT_FOUND;
	if (index < 0 || index >= field->Count())
		return B_BAD_INDEX;
	if (field->Count() == 1)
		return RemoveName(name);
	size_t size = field->ItemSize(index);
	size_t start = field->offsets[(size_t)index];
	field->data.erase(field->data.begin() + (ptrdiff_t)start,
	                  field->data.begin() + (ptrdiff_t)(start + size));
	field->offsets.erase(field->offsets.begin() + index);
	for (size_t i = (size_t)index; i < field->offsets.size(); i++)
		field->offsets[i] = (uint32)(field->offsets[i] - size);
	return B_OK;
}

status_t BMessage::RemoveName(const char* name)
{
	if (name == nullptr)
		return B_BAD_VALUE;
	for (auto it = fFields.begin(); it != fFields.end(); ++it) {
		if (it->name == name) {
			fFields.erase(it);
			return B_OK;
		}
	}
	return B_NAME_NOT_FOUND;
}

status_t BMessage::MakeEmpty()
{
	fFields.clear();
	return B_OK;
}

status_t BMessage::Rename(const char* oldName, const char* newName)
{
	if (oldName == nullptr || !valid_name(newName))
		return B_BAD_VALUE;
	Field* field = _FindField(oldName);
	if (field == nullptr)
		return B_NAME_NOT_FOUND;
	if (strcmp(oldName, newName) != 0 && _FindField(newName) != nullptr)
		return B_NAME_IN_USE;
	field->name = newName;
	return B_OK;
}

// --- information -----------------------------------------------------------------------------

status_t BMessage::GetInfo(type_code typeRequested, int32 index, char** nameFound,
                           type_code* typeFound, int32* countFound) const
{
	return GetInfo(typeRequested, index, (const char**)nameFound, typeFound, countFound);
}

status_t BMessage::GetInfo(type_code typeRequested, int32 index, const char** nameFound,
                           type_code* typeFound, int32* countFound) const
{
	if (index < 0)
		return B_BAD_INDEX;
	int32 seen = 0;
	for (const Field& field : fFields) {
		if (typeRequested != B_ANY_TYPE && field.type != typeRequested)
			continue;
		if (seen++ == index) {
			if (nameFound != nullptr)
				*nameFound = field.name.c_str();
			if (typeFound != nullptr)
				*typeFound = field.type;
			if (countFound != nullptr)
				*countFound = field.Count();
			return B_OK;
		}
	}
	return seen == 0 ? B_BAD_TYPE : B_BAD_INDEX;
}

status_t BMessage::GetInfo(const char* name, type_code* typeFound, int32* countFound) const
{
	return GetInfo(name, typeFound, countFound, nullptr);
}

status_t BMessage::GetInfo(const char* name, type_code* typeFound, bool* fixedSize) const
{
	return GetInfo(name, typeFound, nullptr, fixedSize);
}

status_t BMessage::GetInfo(const char* name, type_code* typeFound, int32* countFound,
                           bool* fixedSize) const
{
	if (name == nullptr)
		return B_BAD_VALUE;
	const Field* field = _FindField(name);
	if (field == nullptr)
		return B_NAME_NOT_FOUND;
	if (typeFound != nullptr)
		*typeFound = field->type;
	if (countFound != nullptr)
		*countFound = field->Count();
	if (fixedSize != nullptr)
		*fixedSize = field->fixedSize;
	return B_OK;
}

int32 BMessage::CountNames(type_code type) const
{
	if (type == B_ANY_TYPE)
		return (int32)fFields.size();
	int32 count = 0;
	for (const Field& field : fFields)
		count += field.type == type ? 1 : 0;
	return count;
}

bool BMessage::IsSystem() const
{
	// System messages are those whose code starts with an underscore ('_QRQ', '_MDN', ...).
	return (what >> 24) == '_';
}
