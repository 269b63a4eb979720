// What a file panel shows of a folder: its entries sorted for people (folders first, then
// files, each alphabetically without regard to case, then byte by byte), without the hidden
// ones (names starting with a dot). Reading a folder that cannot be read gives its error.
#ifndef _FOLDER_LISTING_H
#define _FOLDER_LISTING_H

#include <string>
#include <vector>

#include <SupportDefs.h>

namespace BPrivate {

struct FolderEntry {
	std::string name;
	bool isFolder = false;
};

// B_OK with the entries, or the error of opening or reading the folder (B_PERMISSION_DENIED,
// B_ENTRY_NOT_FOUND, B_NOT_A_DIRECTORY, ...).
status_t list_folder(const std::string& path, std::vector<FolderEntry>* entries);

// The folder above the path ("/" stays "/").
std::string parent_folder(const std::string& path);
// The path made absolute (relative to `base`) and without "." and ".." parts.
std::string normalize_folder(const std::string& path, const std::string& base);

} // namespace BPrivate

#endif
