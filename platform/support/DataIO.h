// Byte streams: BDataIO reads and writes in sequence, BPositionIO adds a position and a size,
// BMemoryIO works on a caller's buffer and BMallocIO on a buffer of its own that grows.
#ifndef _DATA_IO_H
#define _DATA_IO_H

#include <SupportDefs.h>

class BDataIO {
public:
	BDataIO() = default;
	virtual ~BDataIO();

	// Both return the number of bytes moved, or a negative status.
	virtual ssize_t Read(void* buffer, size_t size);
	virtual ssize_t Write(const void* buffer, size_t size);
	virtual status_t Flush();

	// Loop until all bytes moved; B_PARTIAL_READ / B_PARTIAL_WRITE style failures become
	// B_IO_ERROR, so a short transfer is never taken for success.
	status_t ReadExactly(void* buffer, size_t size, size_t* bytesRead = nullptr);
	status_t WriteExactly(const void* buffer, size_t size, size_t* bytesWritten = nullptr);

	BDataIO(const BDataIO&) = delete;
	BDataIO& operator=(const BDataIO&) = delete;
};

class BPositionIO : public BDataIO {
public:
	BPositionIO() = default;
	~BPositionIO() override;

	ssize_t Read(void* buffer, size_t size) override;
	ssize_t Write(const void* buffer, size_t size) override;

	virtual ssize_t ReadAt(off_t position, void* buffer, size_t size) = 0;
	virtual ssize_t WriteAt(off_t position, const void* buffer, size_t size) = 0;

	// seekMode is SEEK_SET, SEEK_CUR or SEEK_END; returns the new position or a status.
	virtual off_t Seek(off_t position, uint32 seekMode) = 0;
	virtual off_t Position() const = 0;

	virtual status_t SetSize(off_t size);
	virtual status_t GetSize(off_t* size) const;
};

class BMemoryIO : public BPositionIO {
public:
	BMemoryIO(void* data, size_t length);
	BMemoryIO(const void* data, size_t length);  // read-only
	~BMemoryIO() override;

	ssize_t ReadAt(off_t position, void* buffer, size_t size) override;
	ssize_t WriteAt(off_t position, const void* buffer, size_t size) override;
	off_t Seek(off_t position, uint32 seekMode) override;
	off_t Position() const override { return fPosition; }
	status_t SetSize(off_t size) override;

private:
	bool fReadOnly;
	char* fBuffer;
	size_t fLength;
	size_t fBufferSize;
	off_t fPosition;
};

class BMallocIO : public BPositionIO {
public:
	BMallocIO();
	~BMallocIO() override;

	ssize_t ReadAt(off_t position, void* buffer, size_t size) override;
	ssize_t WriteAt(off_t position, const void* buffer, size_t size) override;
	off_t Seek(off_t position, uint32 seekMode) override;
	off_t Position() const override { return fPosition; }
	status_t SetSize(off_t size) override;

	void SetBlockSize(size_t blockSize);
	const void* Buffer() const { return fData; }
	size_t BufferLength() const { return fLength; }

private:
	size_t fBlockSize;
	size_t fMallocSize;
	size_t fLength;
	char* fData;
	off_t fPosition;
};

#endif
