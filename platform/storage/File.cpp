// BFile: a descriptor opened with the translated mode, read and written without buffering.
#include <File.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <Directory.h>
#include <Entry.h>

#include "private/StorageUtil.h"

using namespace storage_private;

BFile::BFile() : fMode(0) {}

BFile::BFile(const entry_ref* ref, uint32 openMode) : fMode(0)
{
	SetTo(ref, openMode);
}

BFile::BFile(const BEntry* entry, uint32 openMode) : fMode(0)
{
	SetTo(entry, openMode);
}

BFile::BFile(const char* path, uint32 openMode) : fMode(0)
{
	SetTo(path, openMode);
}

BFile::BFile(const BDirectory* dir, const char* path, uint32 openMode) : fMode(0)
{
	SetTo(dir, path, openMode);
}

BFile::BFile(const BFile& file) : BNode(), BPositionIO(), fMode(0)
{
	*this = file;
}

BFile::~BFile() = default;

status_t BFile::SetTo(const entry_ref* ref, uint32 openMode)
{
	if (ref == nullptr) {
		Unset();
		return _SetStatus(B_BAD_VALUE);
	}
	std::string path;
	status_t status = get_path_for_ref(*ref, &path);
	if (status != B_OK) {
		Unset();
		return _SetStatus(status);
	}
	return _Open(path, openMode);
}

status_t BFile::SetTo(const BEntry* entry, uint32 openMode)
{
	if (entry == nullptr || entry->InitCheck() != B_OK) {
		Unset();
		return _SetStatus(B_BAD_VALUE);
	}
	return _Open(entry->PathString(), openMode);
}

status_t BFile::SetTo(const char* path, uint32 openMode)
{
	BEntry entry(path);
	if (entry.InitCheck() != B_OK) {
		Unset();
		return _SetStatus(entry.InitCheck());
	}
	return _Open(entry.PathString(), openMode);
}

status_t BFile::SetTo(const BDirectory* dir, const char* path, uint32 openMode)
{
	BEntry entry(dir, path);
	if (entry.InitCheck() != B_OK) {
		Unset();
		return _SetStatus(entry.InitCheck());
	}
	return _Open(entry.PathString(), openMode);
}

void BFile::Unset()
{
	BNode::Unset();
	fMode = 0;
}

bool BFile::IsReadable() const
{
	uint32 access = fMode & B_ACCESS_MODE_MASK;
	return InitCheck() == B_OK && (access == B_READ_ONLY || access == B_READ_WRITE);
}

bool BFile::IsWritable() const
{
	uint32 access = fMode & B_ACCESS_MODE_MASK;
	return InitCheck() == B_OK && (access == B_WRITE_ONLY || access == B_READ_WRITE);
}

ssize_t BFile::Read(void* buffer, size_t size)
{
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	if (buffer == nullptr && size > 0)
		return B_BAD_VALUE;
	return read_fd(_Descriptor(), buffer, size, -1);
}

ssize_t BFile::ReadAt(off_t location, void* buffer, size_t size)
{
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	if ((buffer == nullptr && size > 0) || location < 0)
		return B_BAD_VALUE;
	return read_fd(_Descriptor(), buffer, size, location);
}

ssize_t BFile::Write(const void* buffer, size_t size)
{
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	if (buffer == nullptr && size > 0)
		return B_BAD_VALUE;
	return write_fd_fully(_Descriptor(), buffer, size, -1);
}

ssize_t BFile::WriteAt(off_t location, const void* buffer, size_t size)
{
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	if ((buffer == nullptr && size > 0) || location < 0)
		return B_BAD_VALUE;
	return write_fd_fully(_Descriptor(), buffer, size, location);
}

off_t BFile::Seek(off_t offset, uint32 seekMode)
{
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	if (seekMode != SEEK_SET && seekMode != SEEK_CUR && seekMode != SEEK_END)
		return B_BAD_VALUE;
	off_t result = lseek(_Descriptor(), offset, (int)seekMode);
	return result >= 0 ? result : errno_status(errno);
}

off_t BFile::Position() const
{
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	off_t result = lseek(_Descriptor(), 0, SEEK_CUR);
	return result >= 0 ? result : errno_status(errno);
}

status_t BFile::SetSize(off_t size)
{
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	if (size < 0)
		return B_BAD_VALUE;
	if (!IsWritable())
		return B_NOT_ALLOWED;
	for (;;) {
		if (ftruncate(_Descriptor(), size) == 0)
			return B_OK;
		if (errno != EINTR)
			return errno_status(errno);
	}
}

status_t BFile::GetSize(off_t* size) const
{
	return BNode::GetSize(size);
}

BFile& BFile::operator=(const BFile& file)
{
	if (this != &file) {
		BNode::operator=(file);
		fMode = InitCheck() == B_OK ? file.fMode : 0;
	}
	return *this;
}

status_t BFile::_Open(const std::string& path, uint32 openMode)
{
	int flags;
	status_t status = open_flags_for_mode(openMode, &flags);
	if (status != B_OK) {
		Unset();
		return _SetStatus(status);
	}
	int fd;
	do {
		fd = open(path.c_str(), flags, 0666);
	} while (fd < 0 && errno == EINTR);
	if (fd < 0) {
		int error = errno;
		Unset();
		return _SetStatus(error == EEXIST ? B_FILE_EXISTS : errno_status(error));
	}
	struct stat st;
	if (fstat(fd, &st) != 0)
		status = errno_status(errno);
	else if (S_ISDIR(st.st_mode))
		status = B_IS_A_DIRECTORY;
	if (status != B_OK) {
		close(fd);
		Unset();
		return _SetStatus(status);
	}
	_SetDescriptor(fd, path);
	fMode = openMode;
	return B_OK;
}
