#include <DataIO.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

BDataIO::~BDataIO() = default;

ssize_t BDataIO::Read(void*, size_t)
{
	return B_NOT_SUPPORTED;
}

ssize_t BDataIO::Write(const void*, size_t)
{
	return B_NOT_SUPPORTED;
}

status_t BDataIO::Flush()
{
	return B_OK;
}

status_t BDataIO::ReadExactly(void* buffer, size_t size, size_t* bytesRead)
{
	size_t total = 0;
	status_t status = B_OK;
	while (total < size) {
		ssize_t got = Read((char*)buffer + total, size - total);
		if (got < 0) {
			status = (status_t)got;
			break;
		}
		if (got == 0) {
			status = B_IO_ERROR;  // the stream ended early
			break;
		}
		total += (size_t)got;
	}
	if (bytesRead != nullptr)
		*bytesRead = total;
	return status;
}

status_t BDataIO::WriteExactly(const void* buffer, size_t size, size_t* bytesWritten)
{
	size_t total = 0;
	status_t status = B_OK;
	while (total < size) {
		ssize_t put = Write((const char*)buffer + total, size - total);
		if (put < 0) {
			status = (status_t)put;
			break;
		}
		if (put == 0) {
			status = B_IO_ERROR;
			break;
		}
		total += (size_t)put;
	}
	if (bytesWritten != nullptr)
		*bytesWritten = total;
	return status;
}

BPositionIO::~BPositionIO() = default;

ssize_t BPositionIO::Read(void* buffer, size_t size)
{
	off_t position = Position();
	ssize_t result = ReadAt(position, buffer, size);
	if (result > 0)
		Seek(position + result, SEEK_SET);
	return result;
}

ssize_t BPositionIO::Write(const void* buffer, size_t size)
{
	off_t position = Position();
	ssize_t result = WriteAt(position, buffer, size);
	if (result > 0)
		Seek(position + result, SEEK_SET);
	return result;
}

status_t BPositionIO::SetSize(off_t)
{
	return B_ERROR;
}

status_t BPositionIO::GetSize(off_t* size) const
{
	if (size == nullptr)
		return B_BAD_VALUE;
	// Seeking is not const on the platform's interface; measure through a const_cast and
	// put the position back.
	BPositionIO* self = const_cast<BPositionIO*>(this);
	off_t position = Position();
	off_t end = self->Seek(0, SEEK_END);
	self->Seek(position, SEEK_SET);
	if (end < 0)
		return (status_t)end;
	*size = end;
	return B_OK;
}

namespace {

// The new position of a seek, or -1 when it would be negative or the mode is unknown.
off_t seek_target(off_t current, off_t end, off_t position, uint32 mode)
{
	off_t base;
	switch (mode) {
		case SEEK_SET:
			base = 0;
			break;
		case SEEK_CUR:
			base = current;
			break;
		case SEEK_END:
			base = end;
			break;
		default:
			return -1;
	}
	if (__builtin_add_overflow(base, position, &base) || base < 0)
		return -1;
	return base;
}

// Moves a memory stream's position; the new position, or B_BAD_VALUE (position unchanged).
off_t seek_to(off_t* current, off_t end, off_t position, uint32 mode)
{
	off_t target = seek_target(*current, end, position, mode);
	if (target < 0)
		return B_BAD_VALUE;
	*current = target;
	return target;
}

// Copies what lies at position of a memory stream of the given length; 0 at or past the end.
ssize_t read_bytes(const char* data, size_t length, off_t position, void* buffer, size_t size)
{
	if (buffer == nullptr || position < 0)
		return B_BAD_VALUE;
	if ((size_t)position >= length)
		return 0;
	size_t count = std::min(size, length - (size_t)position);
	memcpy(buffer, data + position, count);
	return (ssize_t)count;
}

}  // namespace

BMemoryIO::BMemoryIO(void* data, size_t length)
	: fReadOnly(false), fBuffer((char*)data), fLength(length), fBufferSize(length), fPosition(0)
{
}

BMemoryIO::BMemoryIO(const void* data, size_t length)
	: fReadOnly(true),
	  fBuffer((char*)const_cast<void*>(data)),
	  fLength(length),
	  fBufferSize(length),
	  fPosition(0)
{
}

BMemoryIO::~BMemoryIO() = default;

ssize_t BMemoryIO::ReadAt(off_t position, void* buffer, size_t size)
{
	return read_bytes(fBuffer, fLength, position, buffer, size);
}

ssize_t BMemoryIO::WriteAt(off_t position, const void* buffer, size_t size)
{
	if (fReadOnly)
		return B_NOT_ALLOWED;
	if (buffer == nullptr || position < 0)
		return B_BAD_VALUE;
	if ((size_t)position >= fBufferSize)
		return 0;
	size_t count = std::min(size, fBufferSize - (size_t)position);
	memcpy(fBuffer + position, buffer, count);
	fLength = std::max(fLength, (size_t)position + count);
	return (ssize_t)count;
}

off_t BMemoryIO::Seek(off_t position, uint32 seekMode)
{
	return seek_to(&fPosition, (off_t)fLength, position, seekMode);
}

status_t BMemoryIO::SetSize(off_t size)
{
	if (fReadOnly)
		return B_NOT_ALLOWED;
	if (size < 0 || (size_t)size > fBufferSize)
		return B_ERROR;
	fLength = (size_t)size;
	return B_OK;
}

BMallocIO::BMallocIO()
	: fBlockSize(256), fMallocSize(0), fLength(0), fData(nullptr), fPosition(0)
{
}

BMallocIO::~BMallocIO()
{
	free(fData);
}

ssize_t BMallocIO::ReadAt(off_t position, void* buffer, size_t size)
{
	return read_bytes(fData, fLength, position, buffer, size);
}

ssize_t BMallocIO::WriteAt(off_t position, const void* buffer, size_t size)
{
	if (buffer == nullptr || position < 0)
		return B_BAD_VALUE;
	size_t end;
	if (__builtin_add_overflow((size_t)position, size, &end))
		return B_NO_MEMORY;
	if (end > fLength) {
		status_t status = SetSize((off_t)end);
		if (status != B_OK)
			return status;
	}
	// An empty write into a stream that holds nothing has no buffer to copy into.
	if (size > 0)
		memcpy(fData + position, buffer, size);
	return (ssize_t)size;
}

off_t BMallocIO::Seek(off_t position, uint32 seekMode)
{
	return seek_to(&fPosition, (off_t)fLength, position, seekMode);
}

status_t BMallocIO::SetSize(off_t size)
{
	if (size < 0)
		return B_BAD_VALUE;
	size_t newSize = (size_t)size;
	if (newSize == 0) {
		free(fData);
		fData = nullptr;
		fMallocSize = 0;
		fLength = 0;
		return B_OK;
	}
	if (newSize > fMallocSize) {
		// Grow by at least half again, so that many small writes stay linear.
		size_t wanted = std::max(newSize, fMallocSize + fMallocSize / 2);
		wanted = (wanted + fBlockSize - 1) / fBlockSize * fBlockSize;
		char* grown = (char*)realloc(fData, wanted);
		if (grown == nullptr)
			return B_NO_MEMORY;
		fData = grown;
		fMallocSize = wanted;
	}
	if (newSize > fLength)
		memset(fData + fLength, 0, newSize - fLength);
	fLength = newSize;
	return B_OK;
}

void BMallocIO::SetBlockSize(size_t blockSize)
{
	fBlockSize = blockSize > 0 ? blockSize : 1;
}
