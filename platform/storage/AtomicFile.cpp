// BAtomicFile: a temporary file beside the target, renamed over it on Commit.
#include <AtomicFile.h>

#include <cerrno>
#include <cstring>
#include <string_view>
#include <fcntl.h>
#include <random>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

#include <Entry.h>

#include "private/StorageUtil.h"

using namespace storage_private;

namespace {

// A random suffix makes a clash with another writer's temporary file unlikely; O_EXCL makes
// it harmless, and a few retries make it rare enough to never matter.
const int kCreateAttempts = 64;
const size_t kSuffixLength = 8;

std::string random_suffix()
{
	static const char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
	std::random_device device;
	std::string suffix;
	for (size_t i = 0; i < kSuffixLength; i++)
		suffix.push_back(kAlphabet[device() % (sizeof(kAlphabet) - 1)]);
	return suffix;
}

// ".name.gp-XXXXXXXX": hidden, recognisably ours, and never longer than a leaf may be.
std::string temporary_leaf(const std::string& leaf)
{
	const size_t extra = 1 + 4 + kSuffixLength;
	std::string base = leaf.substr(0, NAME_MAX - extra);
	return "." + base + ".gp-" + random_suffix();
}

// Attributes are data the user may rely on (a file type, a note); a rename would drop them
// with the old node, so they are copied byte for byte. Other namespaces belong to the system.
void copy_user_attributes(const std::string& from, int to)
{
	ssize_t size = listxattr(from.c_str(), nullptr, 0);
	if (size <= 0)
		return;
	std::vector<char> names((size_t)size);
	size = listxattr(from.c_str(), names.data(), names.size());
	if (size <= 0)
		return;
	names.resize((size_t)size);
	std::vector<char> value;
	for (size_t start = 0; start < names.size();) {
		const char* name = names.data() + start;
		size_t length = strnlen(name, names.size() - start);
		start += length + 1;
		if (length <= 5 || std::string_view(name, 5) != "user.")
			continue;
		ssize_t valueSize = getxattr(from.c_str(), name, nullptr, 0);
		if (valueSize < 0)
			continue;
		value.resize((size_t)valueSize);
		valueSize = getxattr(from.c_str(), name, value.data(), value.size());
		if (valueSize < 0)
			continue;
		fsetxattr(to, name, value.data(), (size_t)valueSize, 0);
	}
}

// The errors with which a folder refuses a new entry while a file in it may still be
// writable: no write permission on the folder, or a read-only mount with the file bound into
// it writable.
bool folder_refuses_entries(int error)
{
	return error == EACCES || error == EPERM || error == EROFS;
}

// Copies the whole of `from` over the start of `to` and cuts `to` to that length.
status_t copy_over(int from, int to)
{
	struct stat st;
	if (fstat(from, &st) != 0)
		return errno_status(errno);
	// Reserving the blocks first makes a full disk fail the save before any old byte is
	// overwritten; file systems that cannot reserve are written all the same.
	if (st.st_size > 0 && fallocate(to, FALLOC_FL_KEEP_SIZE, 0, st.st_size) != 0 &&
	    errno != EOPNOTSUPP && errno != ENOSYS && errno != EINTR)
		return errno_status(errno);
	std::vector<char> buffer(64 * 1024);
	for (off_t done = 0; done < st.st_size;) {
		ssize_t got = read_fd(from, buffer.data(), buffer.size(), done);
		if (got < 0)
			return (status_t)got;
		if (got == 0)
			return B_IO_ERROR;
		ssize_t put = write_fd_fully(to, buffer.data(), (size_t)got, done);
		if (put < 0)
			return (status_t)put;
		done += got;
	}
	if (ftruncate(to, st.st_size) != 0 || fsync(to) != 0)
		return errno_status(errno);
	return B_OK;
}

} // namespace

BAtomicFile::BAtomicFile() : fFd(-1), fStatus(B_NO_INIT), fWriteError(B_OK), fInPlace(false) {}

BAtomicFile::BAtomicFile(const char* path) : BAtomicFile()
{
	SetTo(path);
}

BAtomicFile::BAtomicFile(const entry_ref* ref) : BAtomicFile()
{
	SetTo(ref);
}

BAtomicFile::BAtomicFile(const BEntry* entry) : BAtomicFile()
{
	SetTo(entry);
}

BAtomicFile::~BAtomicFile()
{
	Abort();
}

status_t BAtomicFile::SetTo(const char* path)
{
	Abort();
	if (path == nullptr)
		return _Fail(B_BAD_VALUE);
	std::string target;
	status_t status = resolve_entry_path(path, true, &target);
	if (status != B_OK)
		return _Fail(status);

	struct stat st;
	bool exists = lstat(target.c_str(), &st) == 0;
	if (exists && S_ISDIR(st.st_mode))
		return _Fail(B_IS_A_DIRECTORY);
	// A rename would put a plain file in place of a device or a pipe.
	if (exists && !S_ISREG(st.st_mode))
		return _Fail(B_NOT_ALLOWED);
	if (!exists && errno != ENOENT)
		return _Fail(errno_status(errno));
	// Replacing by rename needs only the folder's permission; a file the writer may not write
	// is refused, as opening it for writing would be.
	if (exists && faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
		return _Fail(errno_status(errno));

	std::string folder;
	std::string leaf;
	split_leaf(target, &folder, &leaf);
	int fd = -1;
	std::string temporary;
	for (int attempt = 0; attempt < kCreateAttempts && fd < 0; attempt++) {
		temporary = join_path(folder, temporary_leaf(leaf));
		fd = open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
		if (fd < 0 && errno != EEXIST && errno != EINTR) {
			if (exists && folder_refuses_entries(errno))
				return _SetToInPlace(target, errno_status(errno));
			return _Fail(errno_status(errno));
		}
	}
	if (fd < 0)
		return _Fail(B_FILE_EXISTS);

	_Begin(fd, target, temporary);
	if (exists) {
		// The owner first: changing it clears set-id bits that the mode then restores. Only a
		// privileged writer can give the file away; otherwise the writer stays the owner and
		// the contents still arrive, so a refusal is not an error.
		if (st.st_uid != geteuid() || st.st_gid != getegid()) {
			int ignored = fchown(fd, st.st_uid, st.st_gid);
			(void)ignored;
		}
		if (fchmod(fd, st.st_mode & 07777) != 0)
			return _Fail(errno_status(errno));
	}
	return fStatus;
}

status_t BAtomicFile::_SetToInPlace(const std::string& target, status_t folderError)
{
	// The new contents gather in memory, so that the target stays as it was until Commit
	// and every stream operation works as it does on a temporary file.
	int fd = memfd_create("glowplate-atomic", MFD_CLOEXEC);
	if (fd < 0)
		return _Fail(folderError);
	return _Begin(fd, target, std::string());
}

status_t BAtomicFile::_Begin(int fd, const std::string& target, const std::string& temporary)
{
	fFd = fd;
	fTarget = target;
	fTemporary = temporary;
	fInPlace = temporary.empty();
	fWriteError = B_OK;
	return fStatus = B_OK;
}

status_t BAtomicFile::SetTo(const entry_ref* ref)
{
	if (ref == nullptr) {
		Abort();
		return _Fail(B_BAD_VALUE);
	}
	std::string path;
	status_t status = get_path_for_ref(*ref, &path);
	if (status != B_OK) {
		Abort();
		return _Fail(status);
	}
	return SetTo(path.c_str());
}

status_t BAtomicFile::SetTo(const BEntry* entry)
{
	if (entry == nullptr || entry->InitCheck() != B_OK) {
		Abort();
		return _Fail(B_BAD_VALUE);
	}
	std::string path = entry->PathString();
	return SetTo(path.c_str());
}

status_t BAtomicFile::InitCheck() const
{
	return fStatus;
}

const char* BAtomicFile::TargetPath() const
{
	return fStatus == B_OK ? fTarget.c_str() : nullptr;
}

ssize_t BAtomicFile::Read(void* buffer, size_t size)
{
	if (fStatus != B_OK)
		return fStatus;
	if (buffer == nullptr && size > 0)
		return B_BAD_VALUE;
	return read_fd(fFd, buffer, size, -1);
}

ssize_t BAtomicFile::Write(const void* buffer, size_t size)
{
	if (fStatus != B_OK)
		return fStatus;
	if (buffer == nullptr && size > 0)
		return _Record(B_BAD_VALUE);
	ssize_t result = write_fd_fully(fFd, buffer, size, -1);
	return result < 0 ? _Record((status_t)result) : result;
}

ssize_t BAtomicFile::ReadAt(off_t position, void* buffer, size_t size)
{
	if (fStatus != B_OK)
		return fStatus;
	if ((buffer == nullptr && size > 0) || position < 0)
		return B_BAD_VALUE;
	return read_fd(fFd, buffer, size, position);
}

ssize_t BAtomicFile::WriteAt(off_t position, const void* buffer, size_t size)
{
	if (fStatus != B_OK)
		return fStatus;
	if ((buffer == nullptr && size > 0) || position < 0)
		return _Record(B_BAD_VALUE);
	ssize_t result = write_fd_fully(fFd, buffer, size, position);
	return result < 0 ? _Record((status_t)result) : result;
}

off_t BAtomicFile::Seek(off_t position, uint32 seekMode)
{
	if (fStatus != B_OK)
		return fStatus;
	if (seekMode != SEEK_SET && seekMode != SEEK_CUR && seekMode != SEEK_END)
		return B_BAD_VALUE;
	off_t result = lseek(fFd, position, (int)seekMode);
	return result >= 0 ? result : errno_status(errno);
}

off_t BAtomicFile::Position() const
{
	if (fStatus != B_OK)
		return fStatus;
	off_t result = lseek(fFd, 0, SEEK_CUR);
	return result >= 0 ? result : errno_status(errno);
}

status_t BAtomicFile::SetSize(off_t size)
{
	if (fStatus != B_OK)
		return fStatus;
	if (size < 0)
		return _Record(B_BAD_VALUE);
	if (ftruncate(fFd, size) != 0)
		return _Record(errno_status(errno));
	return B_OK;
}

status_t BAtomicFile::GetSize(off_t* size) const
{
	if (size == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return fStatus;
	struct stat st;
	if (fstat(fFd, &st) != 0)
		return errno_status(errno);
	*size = st.st_size;
	return B_OK;
}

status_t BAtomicFile::Commit()
{
	if (fStatus != B_OK)
		return fStatus;
	if (fWriteError != B_OK)
		return _Fail(fWriteError);

	if (fInPlace)
		return _CommitInPlace();

	copy_user_attributes(fTarget, fFd);
	if (fsync(fFd) != 0)
		return _Fail(errno_status(errno));
	int fd = fFd;
	fFd = -1;
	// Some file systems report a failed write-back only here.
	if (close(fd) != 0 && errno != EINTR)
		return _Fail(errno_status(errno));
	if (rename(fTemporary.c_str(), fTarget.c_str()) != 0)
		return _Fail(errno_status(errno));
	fTemporary.clear();

	// The rename is durable only once the folder itself is on the disk. The new contents
	// are in place either way, so a folder that cannot be flushed does not fail the save.
	std::string folder;
	std::string leaf;
	split_leaf(fTarget, &folder, &leaf);
	int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
	if (folderFd >= 0) {
		fsync(folderFd);
		close(folderFd);
	}
	Abort();
	return B_OK;
}

status_t BAtomicFile::_CommitInPlace()
{
	// The node stays, and with it the owner, the mode and the attributes. The target was a
	// regular file when the writing began; something else in its place now is not written
	// (and a pipe cannot make the open block).
	int target = open(fTarget.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK);
	if (target < 0)
		return _Fail(errno_status(errno));
	struct stat st;
	status_t status = B_OK;
	if (fstat(target, &st) != 0)
		status = errno_status(errno);
	else if (!S_ISREG(st.st_mode))
		status = B_NOT_ALLOWED;
	else
		status = copy_over(fFd, target);
	if (close(target) != 0 && errno != EINTR && status == B_OK)
		status = errno_status(errno);
	if (status != B_OK)
		return _Fail(status);
	Abort();
	return B_OK;
}

void BAtomicFile::Abort()
{
	if (fFd >= 0)
		close(fFd);
	fFd = -1;
	if (!fTemporary.empty())
		unlink(fTemporary.c_str());
	fTemporary.clear();
	fTarget.clear();
	fWriteError = B_OK;
	fInPlace = false;
	fStatus = B_NO_INIT;
}

status_t BAtomicFile::_Fail(status_t status)
{
	Abort();
	return fStatus = status;
}

status_t BAtomicFile::_Record(status_t status)
{
	if (fWriteError == B_OK)
		fWriteError = status;
	return status;
}
