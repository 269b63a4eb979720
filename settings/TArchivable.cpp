#include "TArchivable.h"

#include <cassert>
#include <cstring>
#include <vector>

#include <AtomicFile.h>
#include <Entry.h>
#include <File.h>
#include <Message.h>

B_REGISTER_ARCHIVABLE(TArchivable);

namespace {

// Runs a message look-up into a temporary and copies the result out only on success, so that
// every helper leaves its destination alone when the key is missing or of another type,
// whatever the message class does with its output on failure.
template <typename Value, typename LookUp>
status_t find_into(const BMessage* from, Value* value, LookUp lookUp)
{
	assert(from != nullptr && value != nullptr);
	Value found{};
	status_t status = lookUp(&found);
	if (status == B_OK)
		*value = found;
	return status;
}

} // namespace

TArchivable::TArchivable() = default;

TArchivable::TArchivable(BMessage* from) : BArchivable(from) {}

TArchivable::~TArchivable() = default;

TArchivable* TArchivable::Instantiate(BMessage* from)
{
	if (!validate_instantiation(from, "TArchivable"))
		return nullptr;
	return new TArchivable(from);
}

status_t TArchivable::Archive(BMessage* into, bool deep) const
{
	if (into == nullptr)
		return B_BAD_VALUE;
	status_t status = BArchivable::Archive(into, deep);
	status |= into->AddString(B_CLASS_FIELD, "TArchivable");
	return status;
}

status_t TArchivable::Unarchive(const BMessage* from)
{
	return B_OK;
}

status_t TArchivable::Load(const BEntry& entry)
{
	BFile file(&entry, B_READ_ONLY);
	if (file.InitCheck() != B_OK)
		return -1;

	off_t size = 0;
	if (file.GetSize(&size) != B_OK || size <= 0 || size > kMaxFileSize)
		return -1;
	// Network and user-space file systems may hand the file over in several pieces, so the
	// read goes on until all of it has come; only an error or a file cut short fails it.
	std::vector<char> bytes((size_t)size);
	if (file.ReadExactly(bytes.data(), bytes.size()) != B_OK)
		return -1;

	BMessage archive;
	if (archive.Unflatten(bytes.data(), (ssize_t)bytes.size()) != B_OK)
		return -1;

	// Records share field names ("Clrs" is in more than one of them), so the file of another
	// record could otherwise leak some of its values into this one.
	if (!_IsArchiveOfThisClass(archive))
		return -1;

	return Unarchive(&archive) == B_OK ? B_OK : -1;
}

status_t TArchivable::Save(const BEntry& entry) const
{
	BMessage archive;
	if (Archive(&archive, true) != B_OK)
		return -1;
	ssize_t size = archive.FlattenedSize();
	if (size <= 0 || size > kMaxFileSize)
		return -1;

	// Nothing touches the existing file until the new one is complete: the atomic file writes
	// a temporary file beside it and puts it in place of the old one only on Commit. Leaving
	// this function early discards what was written.
	BAtomicFile file(&entry);
	if (file.InitCheck() != B_OK)
		return -1;
	if (archive.Flatten(&file) != B_OK)
		return -1;
	return file.Commit() == B_OK ? B_OK : -1;
}

bool TArchivable::_IsArchiveOfThisClass(const BMessage& archive) const
{
	// The platform's Archive writes the dynamic class name exactly as it names it, so asking it
	// keeps this check in step with what Save writes.
	BMessage probe;
	const char* className = nullptr;
	if (BArchivable::Archive(&probe, false) != B_OK ||
	    probe.FindString(B_CLASS_FIELD, &className) != B_OK)
		return false;
	return validate_instantiation(const_cast<BMessage*>(&archive), className);
}

// Both forms of a look-up that the message class offers under the same name.
#define T_ARCHIVABLE_FIND(Name, Type)                                                              \
	status_t TArchivable::Find##Name(const BMessage* from, const char* name, Type* value) const    \
	{                                                                                              \
		return Find##Name(from, name, 0, value);                                                   \
	}                                                                                              \
	status_t TArchivable::Find##Name(const BMessage* from, const char* name, int32 index,          \
	                                 Type* value) const                                            \
	{                                                                                              \
		return find_into(from, value,                                                              \
		                 [&](Type* found) { return from->Find##Name(name, index, found); });       \
	}

T_ARCHIVABLE_FIND(Bool, bool)
T_ARCHIVABLE_FIND(Double, double)
T_ARCHIVABLE_FIND(Float, float)
T_ARCHIVABLE_FIND(Int8, int8)
T_ARCHIVABLE_FIND(Int16, int16)
T_ARCHIVABLE_FIND(Int32, int32)
T_ARCHIVABLE_FIND(Int64, int64)
T_ARCHIVABLE_FIND(Message, BMessage)
T_ARCHIVABLE_FIND(Rect, BRect)
T_ARCHIVABLE_FIND(Ref, entry_ref)
T_ARCHIVABLE_FIND(String, const char*)
T_ARCHIVABLE_FIND(String, BString)

#undef T_ARCHIVABLE_FIND

status_t TArchivable::FindData(const BMessage* from, const char* name, type_code type,
                               const void** data, ssize_t* numBytes) const
{
	return FindData(from, name, type, 0, data, numBytes);
}

status_t TArchivable::FindData(const BMessage* from, const char* name, type_code type, int32 index,
                               const void** data, ssize_t* numBytes) const
{
	assert(from != nullptr && data != nullptr && numBytes != nullptr);
	const void* foundData = nullptr;
	ssize_t foundBytes = 0;
	status_t status = from->FindData(name, type, index, &foundData, &foundBytes);
	if (status == B_OK) {
		*data = foundData;
		*numBytes = foundBytes;
	}
	return status;
}

status_t TArchivable::FindRGBColor(const BMessage* from, const char* name, rgb_color* value) const
{
	return FindRGBColor(from, name, 0, value);
}

status_t TArchivable::FindRGBColor(const BMessage* from, const char* name, int32 index,
                                   rgb_color* value) const
{
	return FindColorBytes(from, name, B_RGB_COLOR_TYPE, index, value);
}

status_t TArchivable::FindColorBytes(const BMessage* from, const char* name, type_code type,
                                     int32 index, rgb_color* value) const
{
	assert(from != nullptr && value != nullptr);
	const void* data = nullptr;
	ssize_t numBytes = 0;
	status_t status = from->FindData(name, type, index, &data, &numBytes);
	if (status != B_OK)
		return status;
	if (data == nullptr || numBytes < (ssize_t)sizeof(rgb_color))
		return B_BAD_DATA;
	memcpy(value, data, sizeof(rgb_color));
	return B_OK;
}
