// The process-wide table that lets an entry_ref (device and inode of a folder plus a leaf
// name) be turned back into a path. Folders are entered whenever a ref is made from a path.
#ifndef _STORAGE_PRIVATE_DIRECTORY_TABLE_H
#define _STORAGE_PRIVATE_DIRECTORY_TABLE_H

#include <string>
#include <sys/types.h>

#include <SupportDefs.h>

namespace storage_private {

class DirectoryTable {
public:
	// Enters the folder at `canonicalPath` (already resolved, no links) and reports its
	// device and inode.
	static status_t Remember(const std::string& canonicalPath, dev_t* device, ino_t* inode);

	// The folder's current path. The remembered path is checked against the device and inode
	// each time, so a folder that was deleted, or renamed and replaced by another, is
	// B_ENTRY_NOT_FOUND instead of silently naming the wrong place.
	static status_t PathFor(dev_t device, ino_t inode, std::string* path);
};

} // namespace storage_private

#endif
