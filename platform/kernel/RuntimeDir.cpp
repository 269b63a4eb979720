#include "RuntimeDir.h"

#include <cerrno>
#include <cstdlib>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// True when path is a folder (not a link to one) that belongs to the effective user and that
// no one else may enter, read or write.
bool is_private_folder(const std::string& path)
{
	struct stat info;
	if (lstat(path.c_str(), &info) != 0)
		return false;
	return S_ISDIR(info.st_mode) && info.st_uid == geteuid() && (info.st_mode & 0077) == 0;
}

// Creates path as a private folder unless it exists, then checks that it is one.
status_t make_private_folder(const std::string& path)
{
	if (mkdir(path.c_str(), 0700) == 0) {
		// The umask may have taken away bits we need ourselves; nobody else gets any.
		chmod(path.c_str(), 0700);
	} else if (errno != EEXIST) {
		return status_from_errno(errno);
	}
	return is_private_folder(path) ? B_OK : B_PERMISSION_DENIED;
}

} // namespace

status_t runtime_directory(std::string& path)
{
	// The folder is looked up on every call rather than remembered, so that a process (a
	// test, above all) that changes XDG_RUNTIME_DIR gets the folder it now names.
	const char* xdg = getenv("XDG_RUNTIME_DIR");
	if (xdg != nullptr && xdg[0] == '/' && is_private_folder(xdg)) {
		std::string candidate = std::string(xdg) + "/glowplate";
		status_t status = make_private_folder(candidate);
		if (status == B_OK) {
			path = candidate;
			return B_OK;
		}
	}

	std::string fallback = "/tmp/glowplate-" + std::to_string(geteuid());
	status_t status = make_private_folder(fallback);
	if (status != B_OK)
		return status;
	path = fallback;
	return B_OK;
}
