// Holds paths only, not descriptors: an open descriptor would keep a removable volume busy
// for as long as the program runs, just because a file on it was once saved.
#include "private/DirectoryTable.h"

#include <cerrno>
#include <deque>
#include <map>
#include <mutex>
#include <sys/stat.h>

#include <Errors.h>

#include "private/StorageUtil.h"

namespace storage_private {

namespace {

// A program touches few folders; the bound only keeps a pathological caller (refs made for
// every folder of a large tree) from growing the table without end. The oldest folders are
// forgotten first.
const size_t kMaxFolders = 4096;

struct Table {
	std::mutex lock;
	std::map<std::pair<dev_t, ino_t>, std::string> paths;
	std::deque<std::pair<dev_t, ino_t>> order;
};

Table& table()
{
	// Never destroyed, so refs resolved by destructors of other static objects still work.
	static Table* sTable = new Table;
	return *sTable;
}

} // namespace

status_t DirectoryTable::Remember(const std::string& canonicalPath, dev_t* device, ino_t* inode)
{
	struct stat st;
	if (stat(canonicalPath.c_str(), &st) != 0)
		return errno_status(errno);
	if (!S_ISDIR(st.st_mode))
		return B_NOT_A_DIRECTORY;
	*device = st.st_dev;
	*inode = st.st_ino;

	Table& t = table();
	std::lock_guard<std::mutex> guard(t.lock);
	auto key = std::make_pair(st.st_dev, st.st_ino);
	auto found = t.paths.find(key);
	if (found != t.paths.end()) {
		found->second = canonicalPath;
		return B_OK;
	}
	if (t.paths.size() >= kMaxFolders) {
		t.paths.erase(t.order.front());
		t.order.pop_front();
	}
	t.paths.emplace(key, canonicalPath);
	t.order.push_back(key);
	return B_OK;
}

status_t DirectoryTable::PathFor(dev_t device, ino_t inode, std::string* path)
{
	std::string candidate;
	{
		Table& t = table();
		std::lock_guard<std::mutex> guard(t.lock);
		auto found = t.paths.find(std::make_pair(device, inode));
		if (found == t.paths.end())
			return B_ENTRY_NOT_FOUND;
		candidate = found->second;
	}
	struct stat st;
	if (stat(candidate.c_str(), &st) != 0 || st.st_dev != device || st.st_ino != inode ||
	    !S_ISDIR(st.st_mode))
		return B_ENTRY_NOT_FOUND;
	*path = candidate;
	return B_OK;
}

} // namespace storage_private
