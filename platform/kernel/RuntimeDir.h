// The per-user runtime folder where this user's running programs find each other: the kernel
// kit keeps the sockets of named ports there and the application kit's roster keeps the
// registrations of running applications.
//
// It is "glowplate" inside $XDG_RUNTIME_DIR when that names a usable folder of this user;
// otherwise /tmp/glowplate-<uid>. Either way the folder is created on first use with mode
// 0700 and then checked: it must be a real folder (not a link), owned by the effective user,
// and reachable by nobody else. A folder that fails the check is refused rather than used,
// because anyone who could enter it could talk to our sockets.
#ifndef _RUNTIME_DIR_H
#define _RUNTIME_DIR_H

#include <string>

#include <SupportDefs.h>

// Sets path to the folder (without a trailing slash) and returns B_OK, or returns
// B_PERMISSION_DENIED when the folder exists but is not safely ours, or another error when
// it cannot be created. path is left unchanged on failure.
status_t runtime_directory(std::string& path);

#endif
