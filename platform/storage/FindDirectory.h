// find_directory names the well-known folders. On Linux they follow the XDG base-directory
// rules: B_USER_SETTINGS_DIRECTORY is $XDG_CONFIG_HOME, or ~/.config when that is unset,
// empty or not absolute. With `createIt` the folder and its missing parents are created
// (0700, as those rules ask for).
#ifndef _FIND_DIRECTORY_H
#define _FIND_DIRECTORY_H

#include <StorageDefs.h>

class BPath;
class BVolume;

enum directory_which {
	B_DESKTOP_DIRECTORY = 0, // ~/Desktop
	B_TRASH_DIRECTORY = 1,   // $XDG_DATA_HOME/Trash/files

	B_SYSTEM_DIRECTORY = 1000,          // /usr
	B_SYSTEM_SETTINGS_DIRECTORY = 1008, // /etc
	B_SYSTEM_TEMP_DIRECTORY = 1021,     // $TMPDIR or /tmp

	B_USER_DIRECTORY = 3000,          // $HOME
	B_USER_CONFIG_DIRECTORY = 3001,   // $XDG_CONFIG_HOME
	B_USER_FONTS_DIRECTORY = 3004,    // $XDG_DATA_HOME/fonts
	B_USER_SETTINGS_DIRECTORY = 3006, // $XDG_CONFIG_HOME
	B_USER_DATA_DIRECTORY = 3012,     // $XDG_DATA_HOME (~/.local/share)
	B_USER_CACHE_DIRECTORY = 3013,    // $XDG_CACHE_HOME (~/.cache)
};

// Writes the path, null-terminated, into `returnedPath` of `pathLength` bytes. `volume` is
// accepted for the platform's signature and must be -1 or 0 (there is one file system tree).
status_t find_directory(directory_which which, dev_t volume, bool createIt, char* returnedPath,
                        int32 pathLength);

// `volume` must be null, for the same reason.
status_t find_directory(directory_which which, BPath* path, bool createIt = false,
                        BVolume* volume = nullptr);

#endif
