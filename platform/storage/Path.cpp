// BPath: absolute path text, normalised through the file system only when needed.
#include <Path.h>

#include <cstring>

#include <Directory.h>
#include <Entry.h>

#include "private/StorageUtil.h"

using storage_private::is_plain_absolute;
using storage_private::join_path;

BPath::BPath() : fStatus(B_NO_INIT) {}

BPath::BPath(const BPath& path) : fPath(path.fPath), fStatus(path.fStatus) {}

BPath::BPath(const entry_ref* ref) : fStatus(B_NO_INIT)
{
	SetTo(ref);
}

BPath::BPath(const BEntry* entry) : fStatus(B_NO_INIT)
{
	SetTo(entry);
}

BPath::BPath(const char* dir, const char* leaf, bool normalize) : fStatus(B_NO_INIT)
{
	SetTo(dir, leaf, normalize);
}

BPath::BPath(const BDirectory* dir, const char* leaf, bool normalize) : fStatus(B_NO_INIT)
{
	SetTo(dir, leaf, normalize);
}

BPath::~BPath() = default;

status_t BPath::InitCheck() const
{
	return fStatus;
}

status_t BPath::SetTo(const entry_ref* ref)
{
	if (ref == nullptr)
		return _Fail(B_BAD_VALUE);
	std::string path;
	status_t status = get_path_for_ref(*ref, &path);
	if (status != B_OK)
		return _Fail(status);
	fPath = path;
	fStatus = B_OK;
	return B_OK;
}

status_t BPath::SetTo(const BEntry* entry)
{
	if (entry == nullptr || entry->InitCheck() != B_OK)
		return _Fail(B_BAD_VALUE);
	fPath = entry->PathString();
	fStatus = B_OK;
	return B_OK;
}

status_t BPath::SetTo(const char* path, const char* leaf, bool normalize)
{
	if (path == nullptr || path[0] == '\0')
		return _Fail(B_BAD_VALUE);
	if (leaf != nullptr && leaf[0] == '/')
		return _Fail(B_BAD_VALUE);

	// Copy first: the arguments may be this object's own text.
	std::string combined = path;
	if (leaf != nullptr && leaf[0] != '\0')
		combined = join_path(combined, leaf);
	if (combined.size() >= PATH_MAX)
		return _Fail(B_NAME_TOO_LONG);

	if (normalize || !is_plain_absolute(combined)) {
		std::string resolved;
		status_t status = storage_private::resolve_entry_path(combined.c_str(), false, &resolved);
		if (status != B_OK)
			return _Fail(status);
		combined = resolved;
	}
	fPath = combined;
	fStatus = B_OK;
	return B_OK;
}

status_t BPath::SetTo(const BDirectory* dir, const char* leaf, bool normalize)
{
	if (dir == nullptr)
		return _Fail(B_BAD_VALUE);
	BEntry entry;
	status_t status = dir->GetEntry(&entry);
	if (status != B_OK)
		return _Fail(status);
	std::string folder = entry.PathString();
	return SetTo(folder.c_str(), leaf, normalize);
}

void BPath::Unset()
{
	fPath.clear();
	fStatus = B_NO_INIT;
}

status_t BPath::Append(const char* path, bool normalize)
{
	if (fStatus != B_OK)
		return _Fail(B_BAD_VALUE);
	if (path == nullptr || path[0] == '/')
		return _Fail(B_BAD_VALUE);
	std::string base = fPath;
	return SetTo(base.c_str(), path, normalize);
}

const char* BPath::Path() const
{
	return fStatus == B_OK ? fPath.c_str() : nullptr;
}

const char* BPath::Leaf() const
{
	if (fStatus != B_OK)
		return nullptr;
	return fPath.c_str() + fPath.rfind('/') + 1;
}

status_t BPath::GetParent(BPath* path) const
{
	if (path == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (fPath == "/") {
		path->Unset();
		return B_ENTRY_NOT_FOUND;
	}
	std::string folder;
	std::string leaf;
	storage_private::split_leaf(fPath, &folder, &leaf);
	path->fPath = folder;
	path->fStatus = B_OK;
	return B_OK;
}

bool BPath::operator==(const BPath& item) const
{
	return *this == item.Path();
}

bool BPath::operator==(const char* path) const
{
	const char* mine = Path();
	if (mine == nullptr || path == nullptr)
		return mine == path;
	return strcmp(mine, path) == 0;
}

bool BPath::operator!=(const BPath& item) const
{
	return !(*this == item);
}

bool BPath::operator!=(const char* path) const
{
	return !(*this == path);
}

BPath& BPath::operator=(const BPath& item)
{
	if (this != &item) {
		fPath = item.fPath;
		fStatus = item.fStatus;
	}
	return *this;
}

BPath& BPath::operator=(const char* path)
{
	if (path == nullptr)
		Unset();
	else
		SetTo(path);
	return *this;
}

status_t BPath::_Fail(status_t status)
{
	Unset();
	fStatus = status;
	return status;
}
