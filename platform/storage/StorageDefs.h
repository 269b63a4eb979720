// Limits and small types shared by the storage kit.
#ifndef _STORAGE_DEFS_H
#define _STORAGE_DEFS_H

#include <climits>
#include <fcntl.h>
#include <sys/types.h>

#include <SupportDefs.h>

// The platform's limits, which include the terminating null byte. A Linux path may be longer
// than B_PATH_NAME_LENGTH; the kit never writes a whole path into a caller's buffer of that
// size, and a leaf name (at most NAME_MAX bytes) always fits B_FILE_NAME_LENGTH. The kernel
// kit defines the same two, with the same text.
#ifndef B_PATH_NAME_LENGTH
#define B_PATH_NAME_LENGTH 1024
#endif
#ifndef B_FILE_NAME_LENGTH
#define B_FILE_NAME_LENGTH 256
#endif
#define B_ATTR_NAME_LENGTH (B_FILE_NAME_LENGTH - 1)
#define B_MIME_TYPE_LENGTH (B_ATTR_NAME_LENGTH - 15)

// Open modes with the platform's numeric values. They are not the C library's O_ flags; BFile
// translates them, so stored modes and peers keep the platform's meaning.
enum {
	B_READ_ONLY = 0x0000,
	B_WRITE_ONLY = 0x0001,
	B_READ_WRITE = 0x0002,
	B_ACCESS_MODE_MASK = 0x0003,

	B_FAIL_IF_EXISTS = 0x0100,
	B_CREATE_FILE = 0x0200,
	B_ERASE_FILE = 0x0400,
	B_OPEN_AT_END = 0x0800,
};

// Kinds of node, for BDirectory::Contains and file panels.
enum node_flavor {
	B_FILE_NODE = 0x01,
	B_SYMLINK_NODE = 0x02,
	B_DIRECTORY_NODE = 0x04,
	B_ANY_NODE = 0x07,
};

#endif
