// BFile is a regular file opened for reading, writing or both: a node with attributes and a
// positioned byte stream at once.
//
// Open modes are the platform's (StorageDefs.h). B_FAIL_IF_EXISTS counts only together with
// B_CREATE_FILE. B_ERASE_FILE with B_READ_ONLY is refused with B_BAD_VALUE, since opening a
// file to read it must not erase it. New files get 0666 less the umask. A folder cannot be
// opened as a file (B_IS_A_DIRECTORY). Links are followed.
#ifndef _FILE_H
#define _FILE_H

#include <DataIO.h>
#include <Node.h>
#include <StorageDefs.h>

class BFile : public BNode, public BPositionIO {
public:
	BFile();
	BFile(const entry_ref* ref, uint32 openMode);
	BFile(const BEntry* entry, uint32 openMode);
	BFile(const char* path, uint32 openMode);
	BFile(const BDirectory* dir, const char* path, uint32 openMode);
	// Shares the open file with `file` (a duplicated descriptor, so also its position).
	BFile(const BFile& file);
	~BFile() override;

	status_t SetTo(const entry_ref* ref, uint32 openMode);
	status_t SetTo(const BEntry* entry, uint32 openMode);
	status_t SetTo(const char* path, uint32 openMode);
	status_t SetTo(const BDirectory* dir, const char* path, uint32 openMode);
	void Unset();

	bool IsReadable() const;
	bool IsWritable() const;

	// Read and Write use and move the file's position; ReadAt and WriteAt leave it alone.
	// Writes move every byte or fail, so a short count never hides an error. With
	// B_OPEN_AT_END every write lands at the end of the file.
	ssize_t Read(void* buffer, size_t size) override;
	ssize_t ReadAt(off_t location, void* buffer, size_t size) override;
	ssize_t Write(const void* buffer, size_t size) override;
	ssize_t WriteAt(off_t location, const void* buffer, size_t size) override;

	off_t Seek(off_t offset, uint32 seekMode) override;
	off_t Position() const override;

	status_t SetSize(off_t size) override;
	status_t GetSize(off_t* size) const override;

	BFile& operator=(const BFile& file);

private:
	status_t _Open(const std::string& path, uint32 openMode);

	uint32 fMode;
};

#endif
