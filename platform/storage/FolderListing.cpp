#include "FolderListing.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>

#include <Errors.h>

namespace BPrivate {

namespace {

// Alphabetical without regard to the case of Latin letters; names that differ only in case
// keep a stable order by their bytes.
bool before(const FolderEntry& a, const FolderEntry& b)
{
	if (a.isFolder != b.isFolder)
		return a.isFolder;
	size_t length = std::min(a.name.size(), b.name.size());
	for (size_t i = 0; i < length; i++) {
		int left = tolower((unsigned char)a.name[i]);
		int right = tolower((unsigned char)b.name[i]);
		if (left != right)
			return left < right;
	}
	if (a.name.size() != b.name.size())
		return a.name.size() < b.name.size();
	return a.name < b.name;
}

} // namespace

status_t list_folder(const std::string& path, std::vector<FolderEntry>* entries)
{
	entries->clear();
	DIR* folder = opendir(path.c_str());
	if (folder == nullptr)
		return status_from_errno(errno);
	int descriptor = dirfd(folder);
	errno = 0;
	while (dirent* entry = readdir(folder)) {
		std::string name = entry->d_name;
		if (name.empty() || name[0] == '.')
			continue;
		FolderEntry item;
		item.name = name;
		struct stat info;
		// Links count as what they point at, as the user sees them.
		if (fstatat(descriptor, name.c_str(), &info, 0) == 0)
			item.isFolder = S_ISDIR(info.st_mode);
		entries->push_back(item);
		errno = 0;
	}
	status_t status = errno != 0 ? status_from_errno(errno) : B_OK;
	closedir(folder);
	std::sort(entries->begin(), entries->end(), before);
	return status;
}

std::string parent_folder(const std::string& path)
{
	std::string folder = normalize_folder(path, "/");
	size_t slash = folder.rfind('/');
	if (slash == std::string::npos || slash == 0)
		return "/";
	return folder.substr(0, slash);
}

std::string normalize_folder(const std::string& path, const std::string& base)
{
	std::string full = !path.empty() && path[0] == '/' ? path : base + "/" + path;
	std::vector<std::string> parts;
	size_t start = 0;
	while (start <= full.size()) {
		size_t end = full.find('/', start);
		std::string part = full.substr(start, end == std::string::npos ? end : end - start);
		if (part == "..") {
			if (!parts.empty())
				parts.pop_back();
		} else if (!part.empty() && part != ".") {
			parts.push_back(part);
		}
		if (end == std::string::npos)
			break;
		start = end + 1;
	}
	std::string result;
	for (const std::string& part : parts)
		result += "/" + part;
	return result.empty() ? "/" : result;
}

} // namespace BPrivate
