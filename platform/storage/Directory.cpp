// BDirectory: a folder descriptor, with a second descriptor of its own for listing so that a
// walk does not depend on anything else done with the folder.
#include <Directory.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <Entry.h>
#include <File.h>

#include "private/StorageUtil.h"

using namespace storage_private;

namespace {

bool matches_flavor(const struct stat& st, int32 nodeFlags)
{
	if (S_ISDIR(st.st_mode))
		return (nodeFlags & B_DIRECTORY_NODE) != 0;
	if (S_ISLNK(st.st_mode))
		return (nodeFlags & B_SYMLINK_NODE) != 0;
	return (nodeFlags & B_FILE_NODE) != 0;
}

bool is_dot_name(const char* name)
{
	return strcmp(name, ".") == 0 || strcmp(name, "..") == 0;
}

} // namespace

BDirectory::BDirectory() : fDir(nullptr) {}

BDirectory::BDirectory(const entry_ref* ref) : fDir(nullptr)
{
	SetTo(ref);
}

BDirectory::BDirectory(const BEntry* entry) : fDir(nullptr)
{
	SetTo(entry);
}

BDirectory::BDirectory(const char* path) : fDir(nullptr)
{
	SetTo(path);
}

BDirectory::BDirectory(const BDirectory* dir, const char* path) : fDir(nullptr)
{
	SetTo(dir, path);
}

BDirectory::BDirectory(const BDirectory& dir) : BNode(), fDir(nullptr)
{
	*this = dir;
}

BDirectory::~BDirectory()
{
	Unset();
}

status_t BDirectory::SetTo(const entry_ref* ref)
{
	BEntry entry(ref, true);
	if (entry.InitCheck() != B_OK) {
		Unset();
		return _SetStatus(entry.InitCheck());
	}
	return _OpenFolder(entry.PathString());
}

status_t BDirectory::SetTo(const BEntry* entry)
{
	if (entry == nullptr || entry->InitCheck() != B_OK) {
		Unset();
		return _SetStatus(B_BAD_VALUE);
	}
	return _OpenFolder(entry->PathString());
}

status_t BDirectory::SetTo(const char* path)
{
	BEntry entry(path, true);
	if (entry.InitCheck() != B_OK) {
		Unset();
		return _SetStatus(entry.InitCheck());
	}
	return _OpenFolder(entry.PathString());
}

status_t BDirectory::SetTo(const BDirectory* dir, const char* path)
{
	BEntry entry(dir, path, true);
	if (entry.InitCheck() != B_OK) {
		Unset();
		return _SetStatus(entry.InitCheck());
	}
	return _OpenFolder(entry.PathString());
}

void BDirectory::Unset()
{
	if (fDir != nullptr)
		closedir(fDir);
	fDir = nullptr;
	BNode::Unset();
}

status_t BDirectory::GetEntry(BEntry* entry) const
{
	if (entry == nullptr)
		return B_BAD_VALUE;
	if (InitCheck() != B_OK) {
		entry->Unset();
		return B_NO_INIT;
	}
	// The descriptor knows where the folder is now, also after it was renamed; the path it
	// was opened by is the fallback where /proc is not there to ask.
	char current[PATH_MAX];
	std::string link = "/proc/self/fd/" + std::to_string(_Descriptor());
	ssize_t length = readlink(link.c_str(), current, sizeof(current) - 1);
	if (length > 0 && current[0] == '/') {
		current[length] = '\0';
		struct stat mine;
		struct stat there;
		if (GetStat(&mine) == B_OK && stat(current, &there) == 0 && mine.st_dev == there.st_dev &&
		    mine.st_ino == there.st_ino)
			return entry->SetTo(current);
	}
	return entry->SetTo(_NodePath().c_str());
}

bool BDirectory::IsRootDirectory() const
{
	struct stat mine;
	struct stat root;
	return GetStat(&mine) == B_OK && stat("/", &root) == 0 && mine.st_dev == root.st_dev &&
	       mine.st_ino == root.st_ino;
}

status_t BDirectory::FindEntry(const char* path, BEntry* entry, bool traverse) const
{
	if (path == nullptr || entry == nullptr)
		return B_BAD_VALUE;
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	status_t status = entry->SetTo(this, path, traverse);
	if (status != B_OK)
		return status;
	if (!entry->Exists()) {
		entry->Unset();
		return B_ENTRY_NOT_FOUND;
	}
	return B_OK;
}

bool BDirectory::Contains(const char* path, int32 nodeFlags) const
{
	BEntry entry;
	if (FindEntry(path, &entry) != B_OK)
		return false;
	struct stat st;
	return entry.GetStat(&st) == B_OK && matches_flavor(st, nodeFlags);
}

bool BDirectory::Contains(const BEntry* entry, int32 nodeFlags) const
{
	if (entry == nullptr || entry->InitCheck() != B_OK || InitCheck() != B_OK)
		return false;
	BEntry self;
	if (GetEntry(&self) != B_OK)
		return false;
	// Anywhere below this folder counts, not only its direct entries.
	std::string folder = self.PathString();
	std::string path = entry->PathString();
	if (folder != "/")
		folder += "/";
	if (path.size() <= folder.size() || path.compare(0, folder.size(), folder) != 0)
		return false;
	struct stat st;
	return entry->GetStat(&st) == B_OK && matches_flavor(st, nodeFlags);
}

status_t BDirectory::GetNextEntry(BEntry* entry, bool traverse)
{
	if (entry == nullptr)
		return B_BAD_VALUE;
	std::string name;
	status_t status = _NextName(&name);
	if (status != B_OK) {
		entry->Unset();
		return status;
	}
	return entry->SetTo(this, name.c_str(), traverse);
}

status_t BDirectory::GetNextRef(entry_ref* ref)
{
	if (ref == nullptr)
		return B_BAD_VALUE;
	BEntry entry;
	status_t status = GetNextEntry(&entry);
	if (status != B_OK)
		return status;
	return entry.GetRef(ref);
}

status_t BDirectory::Rewind()
{
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	if (fDir != nullptr)
		rewinddir(fDir);
	return B_OK;
}

int32 BDirectory::CountEntries() const
{
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	int fd = openat(_Descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
	if (fd < 0)
		return errno_status(errno);
	DIR* dir = fdopendir(fd);
	if (dir == nullptr) {
		status_t status = errno_status(errno);
		close(fd);
		return status;
	}
	int32 count = 0;
	while (struct dirent* item = readdir(dir)) {
		if (!is_dot_name(item->d_name))
			count++;
	}
	closedir(dir);
	return count;
}

status_t BDirectory::CreateFile(const char* path, BFile* file, bool failIfExists)
{
	if (path == nullptr)
		return B_BAD_VALUE;
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	uint32 mode = B_READ_WRITE | B_CREATE_FILE | B_ERASE_FILE;
	if (failIfExists)
		mode |= B_FAIL_IF_EXISTS;
	BFile local;
	BFile* target = file != nullptr ? file : &local;
	return target->SetTo(this, path, mode);
}

status_t BDirectory::CreateDirectory(const char* path, BDirectory* dir)
{
	if (path == nullptr)
		return B_BAD_VALUE;
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	BEntry entry(this, path);
	if (entry.InitCheck() != B_OK)
		return entry.InitCheck();
	if (mkdir(entry.PathString(), 0777) != 0)
		return errno == EEXIST ? B_FILE_EXISTS : errno_status(errno);
	if (dir != nullptr)
		return dir->SetTo(&entry);
	return B_OK;
}

BDirectory& BDirectory::operator=(const BDirectory& dir)
{
	if (this != &dir) {
		if (fDir != nullptr)
			closedir(fDir);
		fDir = nullptr;
		BNode::operator=(dir);
	}
	return *this;
}

status_t BDirectory::_OpenFolder(const std::string& path)
{
	Unset();
	int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
	if (fd < 0)
		return _SetStatus(errno == ENOTDIR ? B_NOT_A_DIRECTORY : errno_status(errno));
	_SetDescriptor(fd, path);
	return B_OK;
}

status_t BDirectory::_NextName(std::string* name)
{
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	if (fDir == nullptr) {
		int fd = openat(_Descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
		if (fd < 0)
			return errno_status(errno);
		fDir = fdopendir(fd);
		if (fDir == nullptr) {
			status_t status = errno_status(errno);
			close(fd);
			return status;
		}
	}
	for (;;) {
		errno = 0;
		struct dirent* item = readdir(fDir);
		if (item == nullptr)
			return errno != 0 ? errno_status(errno) : B_ENTRY_NOT_FOUND;
		if (!is_dot_name(item->d_name)) {
			*name = item->d_name;
			return B_OK;
		}
	}
}

status_t create_directory(const char* path, mode_t mode)
{
	if (path == nullptr || path[0] == '\0')
		return B_BAD_VALUE;
	std::string absolute;
	status_t status = make_absolute(path, &absolute);
	if (status != B_OK)
		return status;
	while (absolute.size() > 1 && absolute.back() == '/')
		absolute.pop_back();
	if (absolute.size() >= PATH_MAX)
		return B_NAME_TOO_LONG;

	size_t position = 1;
	for (;;) {
		size_t slash = absolute.find('/', position);
		bool last = slash == std::string::npos;
		std::string prefix = last ? absolute : absolute.substr(0, slash);
		position = last ? absolute.size() : slash + 1;
		if (prefix.back() == '/')
			continue; // an empty component ("a//b")

		if (mkdir(prefix.c_str(), mode) != 0) {
			int error = errno;
			struct stat st;
			// Another process may have made it meanwhile; an existing folder is fine.
			if (error != EEXIST && !(error == EACCES && stat(prefix.c_str(), &st) == 0))
				return errno_status(error);
			if (stat(prefix.c_str(), &st) != 0)
				return errno_status(errno);
			if (!S_ISDIR(st.st_mode))
				return last ? B_FILE_EXISTS : B_NOT_A_DIRECTORY;
		}
		if (last)
			return B_OK;
	}
}
