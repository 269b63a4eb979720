// BEntry keeps the absolute path of its place, with the folder part resolved. The leaf is
// kept as named (a link is the link unless `traverse` asked to follow it).
#include <Entry.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include <Directory.h>
#include <Path.h>

#include "private/StorageUtil.h"

using namespace storage_private;

BEntry::BEntry() : fStatus(B_NO_INIT) {}

BEntry::BEntry(const BDirectory* dir, const char* path, bool traverse) : fStatus(B_NO_INIT)
{
	SetTo(dir, path, traverse);
}

BEntry::BEntry(const entry_ref* ref, bool traverse) : fStatus(B_NO_INIT)
{
	SetTo(ref, traverse);
}

BEntry::BEntry(const char* path, bool traverse) : fStatus(B_NO_INIT)
{
	SetTo(path, traverse);
}

BEntry::BEntry(const BEntry& entry) : BStatable(), fPath(entry.fPath), fStatus(entry.fStatus) {}

BEntry::~BEntry() = default;

status_t BEntry::InitCheck() const
{
	return fStatus;
}

bool BEntry::Exists() const
{
	struct stat st;
	return fStatus == B_OK && lstat(fPath.c_str(), &st) == 0;
}

status_t BEntry::GetStat(struct stat* st) const
{
	if (st == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	return lstat_path(fPath, st);
}

status_t BEntry::SetTo(const BDirectory* dir, const char* path, bool traverse)
{
	if (dir == nullptr || path == nullptr) {
		Unset();
		return fStatus = B_BAD_VALUE;
	}
	if (path[0] == '/')
		return SetTo(path, traverse);
	BEntry folder;
	status_t status = dir->GetEntry(&folder);
	if (status != B_OK) {
		Unset();
		return fStatus = status;
	}
	return _SetAbsolute(join_path(folder.fPath, path), traverse);
}

status_t BEntry::SetTo(const entry_ref* ref, bool traverse)
{
	if (ref == nullptr) {
		Unset();
		return fStatus = B_BAD_VALUE;
	}
	std::string path;
	status_t status = get_path_for_ref(*ref, &path);
	if (status != B_OK) {
		Unset();
		return fStatus = status;
	}
	return _SetAbsolute(path, traverse);
}

status_t BEntry::SetTo(const char* path, bool traverse)
{
	if (path == nullptr) {
		Unset();
		return fStatus = B_BAD_VALUE;
	}
	return _SetAbsolute(path, traverse);
}

void BEntry::Unset()
{
	fPath.clear();
	fStatus = B_NO_INIT;
}

status_t BEntry::GetRef(entry_ref* ref) const
{
	if (ref == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	return get_ref_for_path(fPath.c_str(), ref);
}

status_t BEntry::GetPath(BPath* path) const
{
	if (path == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK) {
		path->Unset();
		return B_NO_INIT;
	}
	return path->SetTo(this);
}

status_t BEntry::GetParent(BEntry* entry) const
{
	if (entry == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (fPath == "/")
		return B_ENTRY_NOT_FOUND;
	std::string folder;
	std::string leaf;
	split_leaf(fPath, &folder, &leaf);
	return entry->SetTo(folder.c_str());
}

status_t BEntry::GetParent(BDirectory* dir) const
{
	if (dir == nullptr)
		return B_BAD_VALUE;
	BEntry parent;
	status_t status = GetParent(&parent);
	if (status != B_OK)
		return status;
	return dir->SetTo(&parent);
}

status_t BEntry::GetName(char* buffer) const
{
	if (buffer == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK) {
		buffer[0] = '\0';
		return B_NO_INIT;
	}
	std::string folder;
	std::string leaf;
	split_leaf(fPath, &folder, &leaf);
	if (fPath == "/")
		leaf = "/";
	// The leaf passed NAME_MAX when the entry was set, so it fits B_FILE_NAME_LENGTH.
	memcpy(buffer, leaf.c_str(), leaf.size() + 1);
	return B_OK;
}

status_t BEntry::Rename(const char* path, bool clobber)
{
	if (path == nullptr || path[0] == '\0')
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	std::string target = path;
	if (target[0] != '/') {
		std::string folder;
		std::string leaf;
		split_leaf(fPath, &folder, &leaf);
		target = join_path(folder, target);
	}
	return _MoveToPath(target, clobber);
}

status_t BEntry::MoveTo(BDirectory* dir, const char* path, bool clobber)
{
	if (dir == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	std::string leafName;
	if (path == nullptr) {
		std::string folder;
		split_leaf(fPath, &folder, &leafName);
		path = leafName.c_str();
	}
	BEntry target(dir, path);
	if (target.InitCheck() != B_OK)
		return target.InitCheck();
	return _MoveToPath(target.fPath, clobber);
}

status_t BEntry::Remove()
{
	if (fStatus != B_OK)
		return B_NO_INIT;
	struct stat st;
	status_t status = lstat_path(fPath, &st);
	if (status != B_OK)
		return status;
	int result = S_ISDIR(st.st_mode) ? rmdir(fPath.c_str()) : unlink(fPath.c_str());
	if (result != 0)
		return errno_status(errno);
	return B_OK;
}

bool BEntry::operator==(const BEntry& item) const
{
	if (fStatus != B_OK || item.fStatus != B_OK)
		return fStatus != B_OK && item.fStatus != B_OK;
	return fPath == item.fPath;
}

bool BEntry::operator!=(const BEntry& item) const
{
	return !(*this == item);
}

BEntry& BEntry::operator=(const BEntry& item)
{
	if (this != &item) {
		fPath = item.fPath;
		fStatus = item.fStatus;
	}
	return *this;
}

const char* BEntry::PathString() const
{
	return fStatus == B_OK ? fPath.c_str() : nullptr;
}

status_t BEntry::_SetAbsolute(const std::string& path, bool traverse)
{
	std::string resolved;
	status_t status = resolve_entry_path(path.c_str(), traverse, &resolved);
	if (status != B_OK) {
		Unset();
		return fStatus = status;
	}
	fPath = resolved;
	return fStatus = B_OK;
}

status_t BEntry::_MoveToPath(const std::string& target, bool clobber)
{
	std::string resolved;
	status_t status = resolve_entry_path(target.c_str(), false, &resolved);
	if (status != B_OK)
		return status;
	struct stat st;
	status = lstat_path(fPath, &st);
	if (status != B_OK)
		return status;
	if (resolved == fPath)
		return B_OK;

	int result;
	if (clobber) {
		result = rename(fPath.c_str(), resolved.c_str());
	} else {
		// Asking the kernel not to replace closes the window between a check and the
		// rename; only file systems without that support fall back to checking first.
		result = renameat2(AT_FDCWD, fPath.c_str(), AT_FDCWD, resolved.c_str(), RENAME_NOREPLACE);
		if (result != 0 && errno == EINVAL) {
			if (lstat(resolved.c_str(), &st) == 0)
				return B_FILE_EXISTS;
			result = rename(fPath.c_str(), resolved.c_str());
		}
	}
	if (result != 0)
		return errno == EEXIST ? B_FILE_EXISTS : errno_status(errno);
	fPath = resolved;
	return B_OK;
}
