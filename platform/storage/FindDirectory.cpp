// find_directory: XDG base directories and the home folder.
#include <FindDirectory.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <string>
#include <unistd.h>

#include <Directory.h>
#include <Path.h>

#include "private/StorageUtil.h"

using storage_private::join_path;

namespace {

status_t home_folder(std::string* home)
{
	const char* value = getenv("HOME");
	if (value != nullptr && value[0] == '/') {
		*home = value;
		return B_OK;
	}
	// Without HOME (a service, a stripped environment) the password database still knows.
	struct passwd entry;
	struct passwd* found = nullptr;
	char buffer[4096];
	if (getpwuid_r(getuid(), &entry, buffer, sizeof(buffer), &found) != 0 || found == nullptr ||
	    found->pw_dir == nullptr || found->pw_dir[0] != '/')
		return B_ENTRY_NOT_FOUND;
	*home = found->pw_dir;
	return B_OK;
}

// The XDG rules: a variable that is unset, empty or relative is ignored.
status_t xdg_folder(const char* variable, const char* fallback, std::string* folder)
{
	const char* value = getenv(variable);
	if (value != nullptr && value[0] == '/') {
		*folder = value;
		return B_OK;
	}
	std::string home;
	status_t status = home_folder(&home);
	if (status != B_OK)
		return status;
	*folder = join_path(home, fallback);
	return B_OK;
}

status_t folder_for(directory_which which, std::string* folder)
{
	switch (which) {
	case B_DESKTOP_DIRECTORY: {
		std::string home;
		status_t status = home_folder(&home);
		if (status == B_OK)
			*folder = join_path(home, "Desktop");
		return status;
	}
	case B_TRASH_DIRECTORY: {
		status_t status = xdg_folder("XDG_DATA_HOME", ".local/share", folder);
		if (status == B_OK)
			*folder = join_path(*folder, "Trash/files");
		return status;
	}
	case B_SYSTEM_DIRECTORY:
		*folder = "/usr";
		return B_OK;
	case B_SYSTEM_SETTINGS_DIRECTORY:
		*folder = "/etc";
		return B_OK;
	case B_SYSTEM_TEMP_DIRECTORY: {
		const char* value = getenv("TMPDIR");
		*folder = value != nullptr && value[0] == '/' ? value : "/tmp";
		return B_OK;
	}
	case B_USER_DIRECTORY:
		return home_folder(folder);
	case B_USER_CONFIG_DIRECTORY:
	case B_USER_SETTINGS_DIRECTORY:
		return xdg_folder("XDG_CONFIG_HOME", ".config", folder);
	case B_USER_FONTS_DIRECTORY: {
		status_t status = xdg_folder("XDG_DATA_HOME", ".local/share", folder);
		if (status == B_OK)
			*folder = join_path(*folder, "fonts");
		return status;
	}
	case B_USER_DATA_DIRECTORY:
		return xdg_folder("XDG_DATA_HOME", ".local/share", folder);
	case B_USER_CACHE_DIRECTORY:
		return xdg_folder("XDG_CACHE_HOME", ".cache", folder);
	}
	return B_BAD_VALUE;
}

status_t find_folder(directory_which which, bool createIt, std::string* folder)
{
	status_t status = folder_for(which, folder);
	if (status != B_OK)
		return status;
	while (folder->size() > 1 && folder->back() == '/')
		folder->pop_back();
	if (createIt) {
		status = create_directory(folder->c_str(), 0700);
		if (status != B_OK)
			return status;
	}
	return B_OK;
}

} // namespace

status_t find_directory(directory_which which, dev_t volume, bool createIt, char* returnedPath,
                        int32 pathLength)
{
	if (returnedPath == nullptr || pathLength <= 0 || (volume != (dev_t)-1 && volume != 0))
		return B_BAD_VALUE;
	std::string folder;
	status_t status = find_folder(which, createIt, &folder);
	if (status != B_OK)
		return status;
	if (folder.size() >= (size_t)pathLength)
		return B_BUFFER_OVERFLOW;
	memcpy(returnedPath, folder.c_str(), folder.size() + 1);
	return B_OK;
}

status_t find_directory(directory_which which, BPath* path, bool createIt, BVolume* volume)
{
	if (path == nullptr || volume != nullptr)
		return B_BAD_VALUE;
	std::string folder;
	status_t status = find_folder(which, createIt, &folder);
	if (status != B_OK)
		return status;
	return path->SetTo(folder.c_str());
}
