// BPath holds an absolute path as text. Without normalisation it keeps the text as given and
// never touches the file system, so a path into folders that do not exist yet can be built
// and then created. Normalisation resolves links and "." and ".." through the file system;
// it is done when asked for and whenever the text needs it (a relative path, an empty, "." or
// ".." component, a trailing slash), and it requires the folder part to exist.
#ifndef _PATH_H
#define _PATH_H

#include <string>

#include <StorageDefs.h>

class BDirectory;
class BEntry;
struct entry_ref;

class BPath {
public:
	BPath();
	BPath(const BPath& path);
	BPath(const entry_ref* ref);
	BPath(const BEntry* entry);
	BPath(const char* dir, const char* leaf = nullptr, bool normalize = false);
	BPath(const BDirectory* dir, const char* leaf, bool normalize = false);
	~BPath();

	status_t InitCheck() const;

	// Every SetTo leaves the path unset when it fails. The arguments may point into this
	// path's own text (SetTo(path.Path(), "leaf")).
	status_t SetTo(const entry_ref* ref);
	status_t SetTo(const BEntry* entry);
	status_t SetTo(const char* path, const char* leaf = nullptr, bool normalize = false);
	status_t SetTo(const BDirectory* dir, const char* leaf = nullptr, bool normalize = false);
	void Unset();

	// Adds a relative path below the current one; an absolute `path` is B_BAD_VALUE. A failed
	// Append leaves the path unset, as the platform does, so a chain of Appends cannot
	// silently name a shorter path.
	status_t Append(const char* path, bool normalize = false);

	// Null while the path is unset.
	const char* Path() const;
	// The last component; empty for "/", null while the path is unset.
	const char* Leaf() const;
	// B_ENTRY_NOT_FOUND for "/".
	status_t GetParent(BPath* path) const;

	bool operator==(const BPath& item) const;
	bool operator==(const char* path) const;
	bool operator!=(const BPath& item) const;
	bool operator!=(const char* path) const;
	BPath& operator=(const BPath& item);
	BPath& operator=(const char* path);

private:
	status_t _Fail(status_t status);

	std::string fPath;
	status_t fStatus;
};

#endif
