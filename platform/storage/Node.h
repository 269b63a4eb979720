// BNode is an open file-system node (file, folder) and the keeper of its attributes.
//
// Attributes are Linux extended attributes in the "user." namespace: the attribute "x" is the
// extended attribute "user.x". An attribute value starts with an 8-byte header, the bytes
// 'g' 'p' 'a' 't' and the type code as a little-endian 32-bit number, followed by the data.
// Values without that header were written by other programs; they read as B_RAW_TYPE with all
// their bytes, and B_RAW_TYPE data is stored without a header (unless it would look like one),
// so copying attributes through this class leaves such values byte for byte as they were.
// File systems without user extended attributes answer B_NOT_SUPPORTED.
#ifndef _NODE_H
#define _NODE_H

#include <string>
#include <vector>

#include <Statable.h>
#include <StorageDefs.h>

class BDirectory;
class BEntry;
class BString;
struct entry_ref;

struct attr_info {
	uint32 type;
	off_t size;
};

class BNode : public BStatable {
public:
	BNode();
	BNode(const entry_ref* ref);
	BNode(const BEntry* entry);
	BNode(const char* path);
	BNode(const BDirectory* dir, const char* path);
	BNode(const BNode& node);
	~BNode() override;

	status_t InitCheck() const;
	status_t GetStat(struct stat* st) const override;

	// A node follows a link to what it points at.
	status_t SetTo(const entry_ref* ref);
	status_t SetTo(const BEntry* entry);
	status_t SetTo(const char* path);
	status_t SetTo(const BDirectory* dir, const char* path);
	void Unset();

	// An advisory exclusive lock (flock); B_BUSY when another holder has it.
	status_t Lock();
	status_t Unlock();
	status_t Sync();

	// ReadAttr ignores `type`, as the platform does; GetAttrInfo tells the stored type.
	// WriteAttr at offset 0 replaces the whole value; at a larger offset it keeps the bytes
	// before it (zero-filling a gap) and the bytes after the written range.
	ssize_t WriteAttr(const char* name, type_code type, off_t offset, const void* buffer,
	                  size_t length);
	ssize_t ReadAttr(const char* name, type_code type, off_t offset, void* buffer,
	                 size_t length) const;
	status_t RemoveAttr(const char* name);
	status_t RenameAttr(const char* oldName, const char* newName);
	status_t GetAttrInfo(const char* name, attr_info* info) const;

	// Lists the attribute names as they were when the listing began (the first call or the
	// last RewindAttrs). `buffer` holds B_ATTR_NAME_LENGTH bytes; B_ENTRY_NOT_FOUND at the end.
	status_t GetNextAttrName(char* buffer);
	status_t RewindAttrs();

	// Strings are stored as B_STRING_TYPE with their terminating null byte.
	status_t WriteAttrString(const char* name, const BString* data);
	status_t ReadAttrString(const char* name, BString* result) const;

	BNode& operator=(const BNode& node);
	bool operator==(const BNode& node) const;
	bool operator!=(const BNode& node) const;

	// A duplicate of the descriptor for the caller to own, or a negative status.
	int Dup();

protected:
	// Takes ownership of `fd`, which was opened for `path` (already resolved).
	void _SetDescriptor(int fd, const std::string& path);
	int _Descriptor() const { return fFd; }
	const std::string& _NodePath() const { return fPath; }
	status_t _SetStatus(status_t status);

private:
	status_t _Open(const std::string& path);
	// Whole stored values (header included) under the attribute's own name.
	status_t _ReadValue(const char* name, std::string* value) const;
	status_t _WriteValue(const char* name, const std::string& value);
	status_t _FullAttrName(const char* name, std::string* fullName) const;
	std::string _AttrPath() const;

	int fFd;
	bool fPathOnly;
	status_t fStatus;
	std::string fPath;
	std::vector<std::string> fAttrNames;
	size_t fAttrIndex;
	bool fAttrListed;
};

#endif
