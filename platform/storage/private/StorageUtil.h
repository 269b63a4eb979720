// Helpers shared by the classes of the storage kit: path resolution, descriptor I/O that
// survives interrupted and short transfers, and the errno-to-status mapping. Not part of the
// kit's public interface.
#ifndef _STORAGE_PRIVATE_STORAGE_UTIL_H
#define _STORAGE_PRIVATE_STORAGE_UTIL_H

#include <string>
#include <sys/stat.h>

#include <SupportDefs.h>

namespace storage_private {

// The status for an errno value; never B_OK, also for a stray 0.
status_t errno_status(int error);

// Prefixes a relative path with the working folder.
status_t make_absolute(const char* path, std::string* absolute);

// Splits an absolute path without trailing slash into its folder and its leaf. The folder of
// "/x" is "/"; "/" itself has the folder "/" and an empty leaf.
void split_leaf(const std::string& path, std::string* folder, std::string* leaf);

// Joins a folder path and a relative path with exactly one slash between them.
std::string join_path(const std::string& folder, const std::string& relative);

// Resolves `path` to an absolute path whose folder part holds no symbolic links and no "." or
// ".." components. The folder must exist; the leaf need not. With `traverse` a link at the
// leaf is followed (also a dangling one, as long as the folder it points into exists).
status_t resolve_entry_path(const char* path, bool traverse, std::string* resolved);

// True when an absolute path is already in the form resolve_entry_path produces as far as
// the text shows (no empty, "." or ".." components, no trailing slash).
bool is_plain_absolute(const std::string& path);

// Reads up to `size` bytes at `position` (or at the descriptor's position when it is
// negative), retrying interrupted calls. Returns the count or a status.
ssize_t read_fd(int fd, void* buffer, size_t size, off_t position);

// Writes all `size` bytes or fails: a short transfer is continued, never reported as done.
ssize_t write_fd_fully(int fd, const void* buffer, size_t size, off_t position);

// Translates the platform's open mode into open(2) flags; B_BAD_VALUE for modes that make no
// sense (an access mode of 3, erasing a file opened only for reading).
status_t open_flags_for_mode(uint32 openMode, int* flags);

// The stat of a path, not following a link at the leaf.
status_t lstat_path(const std::string& path, struct stat* st);

} // namespace storage_private

#endif
