// BAtomicFile writes a file so that its readers see either the old contents or the complete
// new ones, never an erased or half-written file: everything goes into a temporary file in
// the target's folder, and Commit flushes it to the disk and renames it over the target.
// Every file that holds a user's data is written through this class.
//
//	BAtomicFile file(path);
//	if (file.InitCheck() == B_OK && message.Flatten(&file) == B_OK)
//		status = file.Commit();
//	// Leaving the scope without Commit removes the temporary file; the target is untouched.
//
// The temporary file is created next to the target (so the rename stays on one file system)
// with O_EXCL under a hidden name. It gets the permissions of an existing target, else 0666
// less the umask; an existing target's owner and "user." attributes are carried over. A
// target that is a symbolic link is resolved, so the file it points at is replaced and the
// link stays. Once any write failed, Commit refuses and reports that first failure, so a
// caller that ignores one write's result still cannot publish a damaged file.
//
// A folder that refuses new entries (no write permission, a read-only mount) while the target
// itself is writable would otherwise make the file impossible to save. There the new contents
// gather in memory instead, and Commit writes them over the target in place, cuts it to their
// length and flushes it. The target is still untouched until Commit, and a full disk is
// noticed before the first byte is overwritten where the file system can reserve space; only
// a crash or an error in the middle of that Commit can leave a mixed file.
#ifndef _ATOMIC_FILE_H
#define _ATOMIC_FILE_H

#include <string>

#include <DataIO.h>
#include <StorageDefs.h>

class BEntry;
struct entry_ref;

class BAtomicFile : public BPositionIO {
public:
	BAtomicFile();
	BAtomicFile(const char* path);
	BAtomicFile(const entry_ref* ref);
	BAtomicFile(const BEntry* entry);
	~BAtomicFile() override;

	// Starts a new file for `path` (any earlier uncommitted one is discarded). Fails with
	// B_IS_A_DIRECTORY for a folder, and with the folder's error (B_PERMISSION_DENIED, ...)
	// when no temporary file can be made there and there is no writable target to write in
	// place of.
	status_t SetTo(const char* path);
	status_t SetTo(const entry_ref* ref);
	status_t SetTo(const BEntry* entry);
	status_t InitCheck() const;

	// The path that Commit replaces (links resolved), or null.
	const char* TargetPath() const;

	ssize_t Read(void* buffer, size_t size) override;
	ssize_t Write(const void* buffer, size_t size) override;
	ssize_t ReadAt(off_t position, void* buffer, size_t size) override;
	ssize_t WriteAt(off_t position, const void* buffer, size_t size) override;
	off_t Seek(off_t position, uint32 seekMode) override;
	off_t Position() const override;
	status_t SetSize(off_t size) override;
	status_t GetSize(off_t* size) const override;

	// Flushes, renames over the target, then flushes the folder. On failure the target is as
	// it was and the temporary file is gone. Writing in place, it writes over the target and
	// flushes it; a failure there may come after part of the target was overwritten. Afterwards
	// the object is unset either way.
	status_t Commit();
	// Discards what was written; the target is untouched.
	void Abort();

private:
	status_t _SetToInPlace(const std::string& target, status_t folderError);
	// Takes over the open file; without a temporary file, the contents go in place.
	status_t _Begin(int fd, const std::string& target, const std::string& temporary);
	status_t _CommitInPlace();
	status_t _Fail(status_t status);
	status_t _Record(status_t status);

	int fFd;
	status_t fStatus;
	status_t fWriteError;
	std::string fTarget;
	std::string fTemporary;
	// The contents go over the target in place at Commit instead of replacing it.
	bool fInPlace;
};

#endif
