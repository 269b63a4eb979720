// entry_ref names a file by the folder that holds it and its leaf name; BEntry is a named
// place in the file system that may or may not exist yet.
//
// How a ref maps to a Linux path: `device` and `directory` are the st_dev and st_ino of the
// parent folder and `name` is the leaf. Whenever a ref is made from a path (get_ref_for_path,
// BEntry::GetRef, Unflatten), the parent folder is remembered in a process-wide table keyed by
// (device, directory). The table keeps the folder's path, checked against the device and
// inode whenever the ref is used: a folder that was deleted, or renamed or moved since, no
// longer resolves (B_ENTRY_NOT_FOUND) rather than leading somewhere else. Descriptors would
// follow a move, but they would keep a removable volume busy. A ref whose folder this process
// never saw cannot be resolved either: device and inode numbers are local to a machine and a
// boot, so refs travel between processes only in their byte form.
//
// The byte form of a ref (Flatten/Unflatten) is its absolute path in the file system's own
// bytes, without a terminating null byte. Parsing it requires the parent folder to exist, as
// the platform requires of every ref.
#ifndef _ENTRY_H
#define _ENTRY_H

#include <string>
#include <sys/stat.h>

#include <Statable.h>
#include <StorageDefs.h>

class BDirectory;
class BPath;

struct entry_ref {
	entry_ref();
	entry_ref(dev_t dev, ino_t dir, const char* name);
	entry_ref(const entry_ref& other);
	~entry_ref();

	status_t set_name(const char* name);

	bool operator==(const entry_ref& other) const;
	bool operator!=(const entry_ref& other) const;
	bool operator<(const entry_ref& other) const;
	entry_ref& operator=(const entry_ref& other);

	// The byte form: the absolute path, no terminator. FlattenedSize is negative (a status)
	// when the ref does not resolve; Flatten fails with B_BUFFER_OVERFLOW when `size` is too
	// small. Unflatten accepts any bytes and answers malformed input with B_BAD_VALUE.
	ssize_t FlattenedSize() const;
	status_t Flatten(void* buffer, ssize_t size) const;
	status_t Unflatten(const void* buffer, ssize_t size);

	dev_t device;
	ino_t directory;
	char* name;
};

// Fills `ref` for `path` (whose parent folder must exist; the leaf need not).
status_t get_ref_for_path(const char* path, entry_ref* ref);

// The absolute path a ref stands for, resolved through the folder table.
status_t get_path_for_ref(const entry_ref& ref, std::string* path);

class BEntry : public BStatable {
public:
	BEntry();
	BEntry(const BDirectory* dir, const char* path, bool traverse = false);
	BEntry(const entry_ref* ref, bool traverse = false);
	BEntry(const char* path, bool traverse = false);
	BEntry(const BEntry& entry);
	~BEntry() override;

	status_t InitCheck() const;
	bool Exists() const;

	status_t GetStat(struct stat* st) const override;

	status_t SetTo(const BDirectory* dir, const char* path, bool traverse = false);
	status_t SetTo(const entry_ref* ref, bool traverse = false);
	status_t SetTo(const char* path, bool traverse = false);
	void Unset();

	status_t GetRef(entry_ref* ref) const;
	status_t GetPath(BPath* path) const;
	status_t GetParent(BEntry* entry) const;
	status_t GetParent(BDirectory* dir) const;
	status_t GetName(char* buffer) const;

	// Renames within the same folder; `path` may also be an absolute or relative path, which
	// makes it a move. Without `clobber` an existing target is B_FILE_EXISTS.
	status_t Rename(const char* path, bool clobber = false);
	status_t MoveTo(BDirectory* dir, const char* path = nullptr, bool clobber = false);
	// Removes the file or the (empty) folder; the entry stays set to the now-absent place.
	status_t Remove();

	bool operator==(const BEntry& item) const;
	bool operator!=(const BEntry& item) const;
	BEntry& operator=(const BEntry& item);

	// The absolute path of the entry, or null when the entry is not initialised. It stays
	// valid until the entry changes.
	const char* PathString() const;

private:
	status_t _SetAbsolute(const std::string& path, bool traverse);
	status_t _MoveToPath(const std::string& target, bool clobber);

	std::string fPath;
	status_t fStatus;
};

#endif
