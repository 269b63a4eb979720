// The typed accessors of BMessage: each type's Add, Find, Replace, Has and Get on top of the
// generic item storage of Message.cpp.
#include <Message.h>

#include <cstring>

#include <Entry.h>
#include <GraphicsDefs.h>

#include "MessengerPrivate.h"

namespace {

// How the typed accessors turn a value into item bytes and back.
template <typename T>
struct ItemCodec {
	static constexpr size_t kSize = sizeof(T);
	static void Encode(const T& value, uint8* bytes) { memcpy(bytes, &value, sizeof(T)); }
	static T Decode(const uint8* bytes)
	{
		T value;
		memcpy(&value, bytes, sizeof(T));
		return value;
	}
};

// A stored byte other than 0 and 1 must not be copied into a bool as it is.
template <>
struct ItemCodec<bool> {
	static constexpr size_t kSize = 1;
	static void Encode(bool value, uint8* bytes) { bytes[0] = value ? 1 : 0; }
	static bool Decode(const uint8* bytes) { return bytes[0] != 0; }
};

template <>
struct ItemCodec<BMessenger> {
	static constexpr size_t kSize = 16;
	static void Encode(const BMessenger& value, uint8* bytes)
	{
		BMessenger::Private messenger(const_cast<BMessenger&>(value));
		int32 words[4] = {messenger.Team(), messenger.LooperToken(), messenger.HandlerToken(), 0};
		memcpy(bytes, words, sizeof(words));
	}
	static BMessenger Decode(const uint8* bytes)
	{
		int32 words[4];
		memcpy(words, bytes, sizeof(words));
		BMessenger value;
		BMessenger::Private(value).SetTo(words[0], words[1], words[2]);
		return value;
	}
};

} // namespace

#define DEFINE_MESSAGE_ACCESSORS(Name, Type, TypeCode)                                             \
	status_t BMessage::Add##Name(const char* name, Type value)                                     \
	{                                                                                              \
		uint8 bytes[ItemCodec<Type>::kSize];                                                       \
		ItemCodec<Type>::Encode(value, bytes);                                                     \
		return AddData(name, TypeCode, bytes, sizeof(bytes), true);                                \
	}                                                                                              \
	status_t BMessage::Find##Name(const char* name, Type* value) const                             \
	{                                                                                              \
		return Find##Name(name, 0, value);                                                         \
	}                                                                                              \
	status_t BMessage::Find##Name(const char* name, int32 index, Type* value) const                \
	{                                                                                              \
		if (value == nullptr)                                                                      \
			return B_BAD_VALUE;                                                                    \
		uint8 bytes[ItemCodec<Type>::kSize];                                                       \
		status_t status = _FindFixed(name, TypeCode, index, bytes, sizeof(bytes));                 \
		if (status == B_OK)                                                                        \
			*value = ItemCodec<Type>::Decode(bytes);                                               \
		return status;                                                                             \
	}                                                                                              \
	status_t BMessage::Replace##Name(const char* name, Type value)                                 \
	{                                                                                              \
		return Replace##Name(name, 0, value);                                                      \
	}                                                                                              \
	status_t BMessage::Replace##Name(const char* name, int32 index, Type value)                    \
	{                                                                                              \
		uint8 bytes[ItemCodec<Type>::kSize];                                                       \
		ItemCodec<Type>::Encode(value, bytes);                                                     \
		return ReplaceData(name, TypeCode, index, bytes, sizeof(bytes));                           \
	}                                                                                              \
	bool BMessage::Has##Name(const char* name, int32 index) const                                  \
	{                                                                                              \
		return HasData(name, TypeCode, index);                                                     \
	}                                                                                              \
	Type BMessage::Get##Name(const char* name, Type defaultValue) const                            \
	{                                                                                              \
		return Get##Name(name, 0, defaultValue);                                                   \
	}                                                                                              \
	Type BMessage::Get##Name(const char* name, int32 index, Type defaultValue) const               \
	{                                                                                              \
		Type value = defaultValue;                                                                 \
		Find##Name(name, index, &value);                                                           \
		return value;                                                                              \
	}

DEFINE_MESSAGE_ACCESSORS(Bool, bool, B_BOOL_TYPE)
DEFINE_MESSAGE_ACCESSORS(Int8, int8, B_INT8_TYPE)
DEFINE_MESSAGE_ACCESSORS(UInt8, uint8, B_UINT8_TYPE)
DEFINE_MESSAGE_ACCESSORS(Int16, int16, B_INT16_TYPE)
DEFINE_MESSAGE_ACCESSORS(UInt16, uint16, B_UINT16_TYPE)
DEFINE_MESSAGE_ACCESSORS(Int32, int32, B_INT32_TYPE)
DEFINE_MESSAGE_ACCESSORS(UInt32, uint32, B_UINT32_TYPE)
DEFINE_MESSAGE_ACCESSORS(Int64, int64, B_INT64_TYPE)
DEFINE_MESSAGE_ACCESSORS(UInt64, uint64, B_UINT64_TYPE)
DEFINE_MESSAGE_ACCESSORS(Float, float, B_FLOAT_TYPE)
DEFINE_MESSAGE_ACCESSORS(Double, double, B_DOUBLE_TYPE)
DEFINE_MESSAGE_ACCESSORS(Point, BPoint, B_POINT_TYPE)
DEFINE_MESSAGE_ACCESSORS(Rect, BRect, B_RECT_TYPE)
DEFINE_MESSAGE_ACCESSORS(Messenger, BMessenger, B_MESSENGER_TYPE)
DEFINE_MESSAGE_ACCESSORS(Color, rgb_color, B_RGB_COLOR_TYPE)

#undef DEFINE_MESSAGE_ACCESSORS

// Strings

status_t BMessage::AddString(const char* name, const char* string)
{
	if (string == nullptr)
		return B_BAD_VALUE;
	return AddData(name, B_STRING_TYPE, string, (ssize_t)strlen(string) + 1, false);
}

status_t BMessage::AddString(const char* name, const BString& string)
{
	return AddData(name, B_STRING_TYPE, string.String(), string.Length() + 1, false);
}

status_t BMessage::FindString(const char* name, const char** string) const
{
	return FindString(name, 0, string);
}

status_t BMessage::FindString(const char* name, int32 index, const char** string) const
{
	if (string == nullptr)
		return B_BAD_VALUE;
	const void* data;
	size_t size;
	status_t status = _FindItem(name, B_STRING_TYPE, index, &data, &size);
	if (status == B_OK)
		*string = (const char*)data;
	return status;
}

status_t BMessage::FindString(const char* name, BString* string) const
{
	return FindString(name, 0, string);
}

status_t BMessage::FindString(const char* name, int32 index, BString* string) const
{
	if (string == nullptr)
		return B_BAD_VALUE;
	const void* data;
	size_t size;
	status_t status = _FindItem(name, B_STRING_TYPE, index, &data, &size);
	// Every stored string item ends with its null byte, which the BString does not keep;
	// bytes before it, null bytes included, come back exactly.
	if (status == B_OK)
		*string = BString(std::string_view((const char*)data, size - 1));
	return status;
}

status_t BMessage::ReplaceString(const char* name, const char* string)
{
	return ReplaceString(name, 0, string);
}

status_t BMessage::ReplaceString(const char* name, int32 index, const char* string)
{
	if (string == nullptr)
		return B_BAD_VALUE;
	return ReplaceData(name, B_STRING_TYPE, index, string, (ssize_t)strlen(string) + 1);
}

status_t BMessage::ReplaceString(const char* name, const BString& string)
{
	return ReplaceString(name, 0, string);
}

status_t BMessage::ReplaceString(const char* name, int32 index, const BString& string)
{
	return ReplaceData(name, B_STRING_TYPE, index, string.String(), string.Length() + 1);
}

bool BMessage::HasString(const char* name, int32 index) const
{
	return HasData(name, B_STRING_TYPE, index);
}

const char* BMessage::GetString(const char* name, const char* defaultValue) const
{
	return GetString(name, 0, defaultValue);
}

const char* BMessage::GetString(const char* name, int32 index, const char* defaultValue) const
{
	const char* value = defaultValue;
	FindString(name, index, &value);
	return value;
}

// Pointers

status_t BMessage::AddPointer(const char* name, const void* pointer)
{
	uint64 value = (uint64)(uintptr_t)pointer;
	return AddData(name, B_POINTER_TYPE, &value, sizeof(value), true);
}

status_t BMessage::FindPointer(const char* name, void** pointer) const
{
	return FindPointer(name, 0, pointer);
}

status_t BMessage::FindPointer(const char* name, int32 index, void** pointer) const
{
	if (pointer == nullptr)
		return B_BAD_VALUE;
	uint64 value;
	status_t status = _FindFixed(name, B_POINTER_TYPE, index, &value, sizeof(value));
	if (status == B_OK)
		*pointer = (void*)(uintptr_t)value;
	return status;
}

status_t BMessage::ReplacePointer(const char* name, const void* pointer)
{
	return ReplacePointer(name, 0, pointer);
}

status_t BMessage::ReplacePointer(const char* name, int32 index, const void* pointer)
{
	uint64 value = (uint64)(uintptr_t)pointer;
	return ReplaceData(name, B_POINTER_TYPE, index, &value, sizeof(value));
}

bool BMessage::HasPointer(const char* name, int32 index) const
{
	return HasData(name, B_POINTER_TYPE, index);
}

// File references and nested messages are stored in their flattened forms.

namespace {

// entry_ref and BMessage have the same flattening calls, one with void and one with char
// pointers; a char pointer serves both.
template <typename T>
status_t flatten_item(const T& value, std::vector<char>* bytes)
{
	ssize_t size = value.FlattenedSize();
	if (size < 0)
		return (status_t)size;
	bytes->resize((size_t)size);
	return value.Flatten(bytes->data(), size);
}

template <typename T>
status_t add_flat(BMessage* message, const char* name, type_code type, const T* value)
{
	if (value == nullptr)
		return B_BAD_VALUE;
	std::vector<char> bytes;
	status_t status = flatten_item(*value, &bytes);
	if (status != B_OK)
		return status;
	return message->AddData(name, type, bytes.data(), (ssize_t)bytes.size(), false);
}

template <typename T>
status_t replace_flat(BMessage* message, const char* name, type_code type, int32 index,
                      const T* value)
{
	if (value == nullptr)
		return B_BAD_VALUE;
	std::vector<char> bytes;
	status_t status = flatten_item(*value, &bytes);
	if (status != B_OK)
		return status;
	return message->ReplaceData(name, type, index, bytes.data(), (ssize_t)bytes.size());
}

// The destination changes only when the whole item could be read.
template <typename T>
status_t find_flat(const BMessage* message, const char* name, type_code type, int32 index, T* value)
{
	if (value == nullptr)
		return B_BAD_VALUE;
	const void* data;
	ssize_t size;
	status_t status = message->FindData(name, type, index, &data, &size);
	if (status != B_OK)
		return status;
	T found;
	status = found.Unflatten((const char*)data, size);
	if (status == B_OK)
		*value = found;
	return status;
}

} // namespace

status_t BMessage::AddRef(const char* name, const entry_ref* ref)
{
	return add_flat(this, name, B_REF_TYPE, ref);
}

status_t BMessage::FindRef(const char* name, entry_ref* ref) const
{
	return FindRef(name, 0, ref);
}

status_t BMessage::FindRef(const char* name, int32 index, entry_ref* ref) const
{
	return find_flat(this, name, B_REF_TYPE, index, ref);
}

status_t BMessage::ReplaceRef(const char* name, const entry_ref* ref)
{
	return ReplaceRef(name, 0, ref);
}

status_t BMessage::ReplaceRef(const char* name, int32 index, const entry_ref* ref)
{
	return replace_flat(this, name, B_REF_TYPE, index, ref);
}

bool BMessage::HasRef(const char* name, int32 index) const
{
	return HasData(name, B_REF_TYPE, index);
}

status_t BMessage::AddMessage(const char* name, const BMessage* message)
{
	return add_flat(this, name, B_MESSAGE_TYPE, message);
}

status_t BMessage::FindMessage(const char* name, BMessage* message) const
{
	return FindMessage(name, 0, message);
}

status_t BMessage::FindMessage(const char* name, int32 index, BMessage* message) const
{
	return find_flat(this, name, B_MESSAGE_TYPE, index, message);
}

status_t BMessage::ReplaceMessage(const char* name, const BMessage* message)
{
	return ReplaceMessage(name, 0, message);
}

status_t BMessage::ReplaceMessage(const char* name, int32 index, const BMessage* message)
{
	return replace_flat(this, name, B_MESSAGE_TYPE, index, message);
}

bool BMessage::HasMessage(const char* name, int32 index) const
{
	return HasData(name, B_MESSAGE_TYPE, index);
}
