#include <Resources.h>

#include <cstdlib>
#include <cstring>

#include <Application.h>

using BPrivate::ResourceRecord;

// Defined by a generated source file when the executable has resources; null otherwise.
extern "C" const ResourceRecord* glowplate_app_resources(size_t* count) __attribute__((weak));

BResources::BResources() : fRecords(nullptr), fCount(0) {}

BResources::BResources(const ResourceRecord* records, size_t count) : BResources()
{
	SetTo(records, count);
}

BResources::~BResources() = default;

status_t BResources::SetTo(const ResourceRecord* records, size_t count)
{
	if (records == nullptr && count > 0)
		return B_BAD_VALUE;
	fRecords = records;
	fCount = count;
	return B_OK;
}

const ResourceRecord* BResources::_Find(type_code type, int32 id) const
{
	for (size_t i = 0; i < fCount; i++) {
		if (fRecords[i].type == type && fRecords[i].id == id)
			return &fRecords[i];
	}
	return nullptr;
}

const ResourceRecord* BResources::_Find(type_code type, const char* name) const
{
	if (name == nullptr)
		return nullptr;
	for (size_t i = 0; i < fCount; i++) {
		if (fRecords[i].type == type && fRecords[i].name != nullptr &&
		    strcmp(fRecords[i].name, name) == 0) {
			return &fRecords[i];
		}
	}
	return nullptr;
}

const void* BResources::LoadResource(type_code type, int32 id, size_t* outSize)
{
	const ResourceRecord* record = _Find(type, id);
	if (record != nullptr && outSize != nullptr)
		*outSize = record->size;
	return record != nullptr ? record->data : nullptr;
}

const void* BResources::LoadResource(type_code type, const char* name, size_t* outSize)
{
	const ResourceRecord* record = _Find(type, name);
	if (record != nullptr && outSize != nullptr)
		*outSize = record->size;
	return record != nullptr ? record->data : nullptr;
}

bool BResources::HasResource(type_code type, int32 id)
{
	return _Find(type, id) != nullptr;
}

bool BResources::HasResource(type_code type, const char* name)
{
	return _Find(type, name) != nullptr;
}

bool BResources::GetResourceInfo(int32 byIndex, type_code* typeFound, int32* idFound,
                                 const char** nameFound, size_t* lengthFound)
{
	if (byIndex < 0 || (size_t)byIndex >= fCount)
		return false;
	const ResourceRecord& record = fRecords[byIndex];
	if (typeFound != nullptr)
		*typeFound = record.type;
	if (idFound != nullptr)
		*idFound = record.id;
	if (nameFound != nullptr)
		*nameFound = record.name;
	if (lengthFound != nullptr)
		*lengthFound = record.size;
	return true;
}

bool BResources::GetResourceInfo(type_code byType, int32 andIndex, int32* idFound,
                                 const char** nameFound, size_t* lengthFound)
{
	for (size_t i = 0; i < fCount; i++) {
		if (fRecords[i].type != byType || andIndex-- != 0)
			continue;
		return GetResourceInfo((int32)i, nullptr, idFound, nameFound, lengthFound);
	}
	return false;
}

bool BResources::GetResourceInfo(type_code byType, int32 andID, const char** nameFound,
                                 size_t* lengthFound)
{
	const ResourceRecord* record = _Find(byType, andID);
	if (record == nullptr)
		return false;
	return GetResourceInfo((int32)(record - fRecords), nullptr, nullptr, nameFound, lengthFound);
}

bool BResources::GetResourceInfo(type_code byType, const char* andName, int32* idFound,
                                 size_t* lengthFound)
{
	const ResourceRecord* record = _Find(byType, andName);
	if (record == nullptr)
		return false;
	return GetResourceInfo((int32)(record - fRecords), nullptr, idFound, nullptr, lengthFound);
}

void* BResources::_Copy(const ResourceRecord* record, size_t* lengthFound) const
{
	if (record == nullptr)
		return nullptr;
	// malloc(0) may return null; a resource without bytes still is one.
	void* copy = malloc(record->size > 0 ? record->size : 1);
	if (copy == nullptr)
		return nullptr;
	if (record->size > 0)
		memcpy(copy, record->data, record->size);
	if (lengthFound != nullptr)
		*lengthFound = record->size;
	return copy;
}

void* BResources::FindResource(type_code type, int32 id, size_t* lengthFound)
{
	return _Copy(_Find(type, id), lengthFound);
}

void* BResources::FindResource(type_code type, const char* name, size_t* lengthFound)
{
	return _Copy(_Find(type, name), lengthFound);
}

ssize_t BResources::ReadResource(type_code type, int32 id, void* data, off_t offset, size_t length)
{
	const ResourceRecord* record = _Find(type, id);
	if (record == nullptr)
		return B_BAD_VALUE;
	if (data == nullptr || offset < 0)
		return B_BAD_VALUE;
	if ((uint64)offset >= record->size)
		return 0;
	size_t count = min_c(length, record->size - (size_t)offset);
	memcpy(data, (const char*)record->data + offset, count);
	return (ssize_t)count;
}

BResources* BApplication::AppResources()
{
	static BResources* sResources = [] {
		BResources* resources = new BResources;
		if (glowplate_app_resources != nullptr) {
			size_t count = 0;
			const ResourceRecord* records = glowplate_app_resources(&count);
			resources->SetTo(records, count);
		}
		return resources;
	}();
	return sResources;
}
