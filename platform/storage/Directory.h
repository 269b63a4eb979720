// BDirectory is an open folder: it lists its entries, finds and creates entries inside it.
// create_directory makes a folder together with every missing parent.
#ifndef _DIRECTORY_H
#define _DIRECTORY_H

#include <dirent.h>

#include <Node.h>
#include <StorageDefs.h>

class BEntry;
class BFile;
struct entry_ref;

class BDirectory : public BNode {
public:
	BDirectory();
	BDirectory(const entry_ref* ref);
	BDirectory(const BEntry* entry);
	BDirectory(const char* path);
	BDirectory(const BDirectory* dir, const char* path);
	BDirectory(const BDirectory& dir);
	~BDirectory() override;

	// B_NOT_A_DIRECTORY when the node is something else. Links are followed.
	status_t SetTo(const entry_ref* ref);
	status_t SetTo(const BEntry* entry);
	status_t SetTo(const char* path);
	status_t SetTo(const BDirectory* dir, const char* path);
	void Unset();

	status_t GetEntry(BEntry* entry) const;
	bool IsRootDirectory() const;

	// Finds an existing entry; `path` is relative to this folder unless absolute.
	status_t FindEntry(const char* path, BEntry* entry, bool traverse = false) const;
	bool Contains(const char* path, int32 nodeFlags = B_ANY_NODE) const;
	bool Contains(const BEntry* entry, int32 nodeFlags = B_ANY_NODE) const;

	// Walk the entries in the file system's order, without "." and "..";
	// B_ENTRY_NOT_FOUND after the last one.
	status_t GetNextEntry(BEntry* entry, bool traverse = false);
	status_t GetNextRef(entry_ref* ref);
	status_t Rewind();
	// Counts without disturbing a walk in progress.
	int32 CountEntries() const;

	status_t CreateFile(const char* path, BFile* file, bool failIfExists = false);
	status_t CreateDirectory(const char* path, BDirectory* dir);

	BDirectory& operator=(const BDirectory& dir);

private:
	status_t _OpenFolder(const std::string& path);
	status_t _NextName(std::string* name);
	std::string _Resolve(const char* path) const;

	DIR* fDir;
};

// Creates `path` and its missing parents with `mode` (less the umask). An existing folder is
// B_OK; an existing entry that is not a folder, in the path or at its end, is
// B_NOT_A_DIRECTORY or B_FILE_EXISTS.
status_t create_directory(const char* path, mode_t mode);

#endif
