// entry_ref: the folder's device and inode plus the leaf, resolved through DirectoryTable.
#include <Entry.h>

#include <cstdlib>
#include <cstring>

#include "private/DirectoryTable.h"
#include "private/StorageUtil.h"

using storage_private::DirectoryTable;

entry_ref::entry_ref() : device(-1), directory(-1), name(nullptr) {}

entry_ref::entry_ref(dev_t dev, ino_t dir, const char* leaf)
    : device(dev), directory(dir), name(nullptr)
{
	set_name(leaf);
}

entry_ref::entry_ref(const entry_ref& other)
    : device(other.device), directory(other.directory), name(nullptr)
{
	set_name(other.name);
}

entry_ref::~entry_ref()
{
	free(name);
}

status_t entry_ref::set_name(const char* leaf)
{
	if (leaf == name)
		return B_OK;
	char* copy = nullptr;
	if (leaf != nullptr) {
		copy = strdup(leaf);
		if (copy == nullptr)
			return B_NO_MEMORY;
	}
	free(name);
	name = copy;
	return B_OK;
}

bool entry_ref::operator==(const entry_ref& other) const
{
	if (device != other.device || directory != other.directory)
		return false;
	if (name == nullptr || other.name == nullptr)
		return name == other.name;
	return strcmp(name, other.name) == 0;
}

bool entry_ref::operator!=(const entry_ref& other) const
{
	return !(*this == other);
}

bool entry_ref::operator<(const entry_ref& other) const
{
	if (device != other.device)
		return device < other.device;
	if (directory != other.directory)
		return directory < other.directory;
	if (name == nullptr || other.name == nullptr)
		return name == nullptr && other.name != nullptr;
	return strcmp(name, other.name) < 0;
}

entry_ref& entry_ref::operator=(const entry_ref& other)
{
	if (this != &other) {
		device = other.device;
		directory = other.directory;
		set_name(other.name);
	}
	return *this;
}

ssize_t entry_ref::FlattenedSize() const
{
	std::string path;
	status_t status = get_path_for_ref(*this, &path);
	if (status != B_OK)
		return status;
	return (ssize_t)path.size();
}

status_t entry_ref::Flatten(void* buffer, ssize_t size) const
{
	if (buffer == nullptr && size != 0)
		return B_BAD_VALUE;
	std::string path;
	status_t status = get_path_for_ref(*this, &path);
	if (status != B_OK)
		return status;
	if (size < (ssize_t)path.size())
		return B_BUFFER_OVERFLOW;
	memcpy(buffer, path.data(), path.size());
	return B_OK;
}

status_t entry_ref::Unflatten(const void* buffer, ssize_t size)
{
	if (buffer == nullptr || size <= 0 || size >= PATH_MAX)
		return B_BAD_VALUE;
	const char* bytes = static_cast<const char*>(buffer);
	if (bytes[0] != '/' || memchr(bytes, '\0', size) != nullptr)
		return B_BAD_VALUE;
	std::string path(bytes, size);
	return get_ref_for_path(path.c_str(), this);
}

status_t get_ref_for_path(const char* path, entry_ref* ref)
{
	if (path == nullptr || ref == nullptr)
		return B_BAD_VALUE;
	std::string resolved;
	status_t status = storage_private::resolve_entry_path(path, false, &resolved);
	if (status != B_OK)
		return status;

	// The root folder has no parent to name it by; like the platform, it is the entry "." of
	// itself.
	std::string folder;
	std::string leaf;
	if (resolved == "/") {
		folder = "/";
		leaf = ".";
	} else {
		storage_private::split_leaf(resolved, &folder, &leaf);
	}
	dev_t device;
	ino_t inode;
	status = DirectoryTable::Remember(folder, &device, &inode);
	if (status != B_OK)
		return status;
	status = ref->set_name(leaf.c_str());
	if (status != B_OK)
		return status;
	ref->device = device;
	ref->directory = inode;
	return B_OK;
}

status_t get_path_for_ref(const entry_ref& ref, std::string* path)
{
	if (path == nullptr || ref.name == nullptr || ref.name[0] == '\0' ||
	    strchr(ref.name, '/') != nullptr)
		return B_BAD_VALUE;
	std::string folder;
	status_t status = DirectoryTable::PathFor(ref.device, ref.directory, &folder);
	if (status != B_OK)
		return status;
	if (strcmp(ref.name, ".") == 0) {
		*path = folder;
		return B_OK;
	}
	if (strcmp(ref.name, "..") == 0)
		return storage_private::resolve_entry_path(storage_private::join_path(folder, "..").c_str(),
		                                           false, path);
	*path = storage_private::join_path(folder, ref.name);
	return B_OK;
}
