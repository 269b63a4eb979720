// Copying a file with its attributes.
//
// The bytes are copied here rather than by a copy program, and they go through BAtomicFile: the
// target is replaced only once the whole new contents are written, so a copy that fails half
// way (a full disk, a source that cannot be read to its end) leaves a target that existed
// before exactly as it was. Attributes can only be written to a file that exists, so they
// follow once the contents are in place.
#include "UIUtils.h"

#include <vector>

#include <sys/stat.h>

#include <AtomicFile.h>
#include <File.h>
#include <Node.h>

#include <PathFunctions.h>

namespace {

const size_t kCopyChunk = 64 * 1024;

// Where a copy to `destination` goes: into it when it is a folder, else to it.
BString copy_target(const char* source, const char* destination)
{
	BString target(destination);
	struct stat info;
	if (stat(destination, &info) == 0 && S_ISDIR(info.st_mode)) {
		if (!target.EndsWith("/"))
			target << "/";
		target << extract_file_name(source);
	}
	return target;
}

// Whether both paths lead to one file (links followed), whatever their spelling.
bool same_file(const struct stat& source, const char* target)
{
	struct stat info;
	return stat(target, &info) == 0 && info.st_dev == source.st_dev && info.st_ino == source.st_ino;
}

status_t copy_contents(const char* source, const char* target)
{
	BFile from(source, B_READ_ONLY);
	if (from.InitCheck() != B_OK)
		return from.InitCheck();
	BAtomicFile to(target);
	if (to.InitCheck() != B_OK)
		return to.InitCheck();

	std::vector<char> buffer(kCopyChunk);
	for (;;) {
		ssize_t count = from.Read(buffer.data(), buffer.size());
		if (count < 0)
			return (status_t)count;
		if (count == 0)
			break;
		for (ssize_t written = 0; written < count;) {
			ssize_t now = to.Write(buffer.data() + written, (size_t)(count - written));
			if (now <= 0)
				return now < 0 ? (status_t)now : B_IO_ERROR;
			written += now;
		}
	}
	// Leaving without Commit discards the new file and keeps the old target.
	return to.Commit();
}

status_t copy_attributes(const char* source, const char* target)
{
	BNode from(source);
	BNode to(target);
	if (from.InitCheck() != B_OK || to.InitCheck() != B_OK)
		return B_ERROR;
	char name[B_ATTR_NAME_LENGTH];
	status_t status;
	while ((status = from.GetNextAttrName(name)) == B_OK) {
		attr_info info;
		if (from.GetAttrInfo(name, &info) != B_OK || info.size < 0)
			return B_ERROR;
		std::vector<char> value((size_t)info.size);
		ssize_t read = from.ReadAttr(name, info.type, 0, value.data(), value.size());
		if (read != (ssize_t)value.size())
			return B_ERROR;
		if (to.WriteAttr(name, info.type, 0, value.data(), value.size()) != read)
			return B_ERROR;
	}
	// The end of the list, or a file system that keeps no attributes at all: nothing to copy.
	return status == B_ENTRY_NOT_FOUND || status == B_NOT_SUPPORTED ? B_OK : status;
}

} // namespace

status_t copy_file(const char* source, const char* destination)
{
	if (source == nullptr || destination == nullptr || destination[0] == '\0')
		return -1;
	struct stat sourceInfo;
	if (stat(source, &sourceInfo) != 0 || !S_ISREG(sourceInfo.st_mode))
		return -1;
	BString target = copy_target(source, destination);
	// Copied onto itself, a file would be replaced by what was read of it; nothing is gained.
	if (same_file(sourceInfo, target.String()))
		return -1;
	if (copy_contents(source, target.String()) != B_OK)
		return -1;
	return copy_attributes(source, target.String()) == B_OK ? 0 : -1;
}
