// Path resolution and descriptor I/O shared by the storage kit.
#include "private/StorageUtil.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <string_view>
#include <unistd.h>

#include <Errors.h>
#include <StorageDefs.h>

namespace storage_private {

namespace {

// Linux gives up after 40 links in one lookup; following a chain by hand keeps the same limit
// so that a loop of links ends with an error instead of hanging.
const int kMaxLinkDepth = 40;

status_t resolve_folder(const std::string& folder, std::string* resolved)
{
	char* real = realpath(folder.c_str(), nullptr);
	if (real == nullptr)
		return errno_status(errno);
	*resolved = real;
	free(real);
	struct stat st;
	if (stat(resolved->c_str(), &st) != 0)
		return errno_status(errno);
	if (!S_ISDIR(st.st_mode))
		return B_NOT_A_DIRECTORY;
	return B_OK;
}

status_t resolve(const std::string& input, bool traverse, int depth, std::string* resolved)
{
	if (depth > kMaxLinkDepth)
		return B_LINK_LIMIT;

	std::string path = input;
	while (path.size() > 1 && path.back() == '/')
		path.pop_back();
	if (path == "/") {
		*resolved = path;
		return B_OK;
	}

	std::string folder;
	std::string leaf;
	split_leaf(path, &folder, &leaf);
	if (leaf == "." || leaf == "..")
		return resolve_folder(path, resolved);
	if (leaf.size() > NAME_MAX)
		return B_NAME_TOO_LONG;

	std::string realFolder;
	status_t status = resolve_folder(folder, &realFolder);
	if (status != B_OK)
		return status;
	std::string result = join_path(realFolder, leaf);
	if (result.size() >= PATH_MAX)
		return B_NAME_TOO_LONG;

	struct stat st;
	if (traverse && lstat(result.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
		char target[PATH_MAX];
		ssize_t length = readlink(result.c_str(), target, sizeof(target) - 1);
		if (length < 0)
			return errno_status(errno);
		target[length] = '\0';
		std::string next = target[0] == '/' ? std::string(target) : join_path(realFolder, target);
		return resolve(next, true, depth + 1, resolved);
	}
	*resolved = result;
	return B_OK;
}

} // namespace

status_t errno_status(int error)
{
	if (error == 0)
		return B_ERROR;
	status_t status = status_from_errno(error);
	return status == B_OK ? B_ERROR : status;
}

status_t make_absolute(const char* path, std::string* absolute)
{
	if (path == nullptr)
		return B_BAD_VALUE;
	if (path[0] == '/') {
		*absolute = path;
		return B_OK;
	}
	char* cwd = getcwd(nullptr, 0);
	if (cwd == nullptr)
		return errno_status(errno);
	*absolute = join_path(cwd, path);
	free(cwd);
	return B_OK;
}

void split_leaf(const std::string& path, std::string* folder, std::string* leaf)
{
	size_t slash = path.rfind('/');
	if (slash == std::string::npos) {
		*folder = ".";
		*leaf = path;
	} else if (slash == 0) {
		*folder = "/";
		*leaf = path.substr(1);
	} else {
		*folder = path.substr(0, slash);
		*leaf = path.substr(slash + 1);
	}
}

std::string join_path(const std::string& folder, const std::string& relative)
{
	if (folder.empty())
		return relative;
	if (relative.empty())
		return folder;
	if (folder.back() == '/')
		return folder + relative;
	return folder + "/" + relative;
}

status_t resolve_entry_path(const char* path, bool traverse, std::string* resolved)
{
	if (path == nullptr)
		return B_BAD_VALUE;
	if (path[0] == '\0')
		return B_ENTRY_NOT_FOUND;
	std::string absolute;
	status_t status = make_absolute(path, &absolute);
	if (status != B_OK)
		return status;
	return resolve(absolute, traverse, 0, resolved);
}

bool is_plain_absolute(const std::string& path)
{
	if (path.empty() || path[0] != '/')
		return false;
	if (path == "/")
		return true;
	if (path.back() == '/')
		return false;
	size_t start = 1;
	while (start <= path.size()) {
		size_t end = path.find('/', start);
		if (end == std::string::npos)
			end = path.size();
		std::string_view component(path.data() + start, end - start);
		if (component.empty() || component == "." || component == "..")
			return false;
		start = end + 1;
	}
	return true;
}

ssize_t read_fd(int fd, void* buffer, size_t size, off_t position)
{
	if (size > SSIZE_MAX)
		size = SSIZE_MAX;
	for (;;) {
		ssize_t result = position < 0 ? read(fd, buffer, size) : pread(fd, buffer, size, position);
		if (result >= 0)
			return result;
		if (errno != EINTR)
			return errno_status(errno);
	}
}

ssize_t write_fd_fully(int fd, const void* buffer, size_t size, off_t position)
{
	if (size > SSIZE_MAX)
		return B_BAD_VALUE;
	const char* bytes = static_cast<const char*>(buffer);
	size_t done = 0;
	while (done < size) {
		ssize_t result = position < 0 ? write(fd, bytes + done, size - done)
		                              : pwrite(fd, bytes + done, size - done, position + done);
		if (result < 0) {
			if (errno == EINTR)
				continue;
			return errno_status(errno);
		}
		if (result == 0)
			return B_IO_ERROR;
		done += result;
	}
	return (ssize_t)done;
}

status_t open_flags_for_mode(uint32 openMode, int* flags)
{
	int result = O_CLOEXEC | O_NOCTTY;
	switch (openMode & B_ACCESS_MODE_MASK) {
	case B_READ_ONLY:
		result |= O_RDONLY;
		break;
	case B_WRITE_ONLY:
		result |= O_WRONLY;
		break;
	case B_READ_WRITE:
		result |= O_RDWR;
		break;
	default:
		return B_BAD_VALUE;
	}
	if ((openMode & B_ERASE_FILE) != 0) {
		// Linux would truncate a file opened only for reading; a read must never destroy data.
		if ((openMode & B_ACCESS_MODE_MASK) == B_READ_ONLY)
			return B_BAD_VALUE;
		result |= O_TRUNC;
	}
	if ((openMode & B_CREATE_FILE) != 0) {
		result |= O_CREAT;
		if ((openMode & B_FAIL_IF_EXISTS) != 0)
			result |= O_EXCL;
	}
	if ((openMode & B_OPEN_AT_END) != 0)
		result |= O_APPEND;
	*flags = result;
	return B_OK;
}

status_t lstat_path(const std::string& path, struct stat* st)
{
	if (lstat(path.c_str(), st) != 0)
		return errno_status(errno);
	return B_OK;
}

} // namespace storage_private
