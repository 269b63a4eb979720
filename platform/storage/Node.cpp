// BNode: an open descriptor of a node and its attributes as "user." extended attributes.
#include <Node.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <Directory.h>
#include <Entry.h>
#include <String.h>
#include <TypeConstants.h>

#include "private/StorageUtil.h"

using namespace storage_private;

namespace {

const char kNamespace[] = "user.";
const size_t kNamespaceLength = sizeof(kNamespace) - 1;
const char kMagic[4] = {'g', 'p', 'a', 't'};
const size_t kHeaderSize = 8;

// Linux limits a full attribute name to 255 bytes and a value to 64 KiB.
const size_t kMaxFullNameLength = 255;
const size_t kMaxValueSize = 65536;

status_t full_attr_name(const char* name, std::string* fullName)
{
	if (name == nullptr || name[0] == '\0')
		return B_BAD_VALUE;
	size_t length = strlen(name);
	if (length + kNamespaceLength > kMaxFullNameLength)
		return B_NAME_TOO_LONG;
	*fullName = kNamespace;
	fullName->append(name, length);
	return B_OK;
}

status_t attr_errno_status(int error)
{
	// A missing attribute is ENODATA on Linux; the platform calls it B_ENTRY_NOT_FOUND.
	if (error == ENODATA)
		return B_ENTRY_NOT_FOUND;
	return errno_status(error);
}

bool has_header(const std::string& value)
{
	return value.size() >= kHeaderSize && memcmp(value.data(), kMagic, 4) == 0;
}

void decode(const std::string& value, type_code* type, const char** data, size_t* size)
{
	if (has_header(value)) {
		const uint8* bytes = reinterpret_cast<const uint8*>(value.data());
		*type = (type_code)bytes[4] | (type_code)bytes[5] << 8 | (type_code)bytes[6] << 16 |
		        (type_code)bytes[7] << 24;
		*data = value.data() + kHeaderSize;
		*size = value.size() - kHeaderSize;
	} else {
		*type = B_RAW_TYPE;
		*data = value.data();
		*size = value.size();
	}
}

std::string encode(type_code type, const std::string& data)
{
	bool looksLikeHeader = data.size() >= 4 && memcmp(data.data(), kMagic, 4) == 0;
	if (type == B_RAW_TYPE && !looksLikeHeader)
		return data;
	std::string value(kMagic, 4);
	for (int shift = 0; shift < 32; shift += 8)
		value.push_back((char)((type >> shift) & 0xff));
	value += data;
	return value;
}

} // namespace

BNode::BNode() : fFd(-1), fPathOnly(false), fStatus(B_NO_INIT), fAttrIndex(0), fAttrListed(false) {}

BNode::BNode(const entry_ref* ref) : BNode()
{
	SetTo(ref);
}

BNode::BNode(const BEntry* entry) : BNode()
{
	SetTo(entry);
}

BNode::BNode(const char* path) : BNode()
{
	SetTo(path);
}

BNode::BNode(const BDirectory* dir, const char* path) : BNode()
{
	SetTo(dir, path);
}

BNode::BNode(const BNode& node) : BNode()
{
	*this = node;
}

BNode::~BNode()
{
	Unset();
}

status_t BNode::InitCheck() const
{
	return fStatus;
}

status_t BNode::GetStat(struct stat* st) const
{
	if (st == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (fstat(fFd, st) != 0)
		return errno_status(errno);
	return B_OK;
}

status_t BNode::SetTo(const entry_ref* ref)
{
	BEntry entry(ref, true);
	return SetTo(&entry);
}

status_t BNode::SetTo(const BEntry* entry)
{
	if (entry == nullptr || entry->InitCheck() != B_OK) {
		Unset();
		return fStatus = B_BAD_VALUE;
	}
	return _Open(entry->PathString());
}

status_t BNode::SetTo(const char* path)
{
	BEntry entry(path, true);
	if (entry.InitCheck() != B_OK) {
		Unset();
		return fStatus = entry.InitCheck();
	}
	return SetTo(&entry);
}

status_t BNode::SetTo(const BDirectory* dir, const char* path)
{
	BEntry entry(dir, path, true);
	if (entry.InitCheck() != B_OK) {
		Unset();
		return fStatus = entry.InitCheck();
	}
	return SetTo(&entry);
}

void BNode::Unset()
{
	if (fFd >= 0)
		close(fFd);
	fFd = -1;
	fPathOnly = false;
	fStatus = B_NO_INIT;
	fPath.clear();
	fAttrNames.clear();
	fAttrIndex = 0;
	fAttrListed = false;
}

status_t BNode::Lock()
{
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (flock(fFd, LOCK_EX | LOCK_NB) != 0)
		return errno == EWOULDBLOCK ? B_BUSY : errno_status(errno);
	return B_OK;
}

status_t BNode::Unlock()
{
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (flock(fFd, LOCK_UN) != 0)
		return errno_status(errno);
	return B_OK;
}

status_t BNode::Sync()
{
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (fsync(fFd) != 0)
		return errno_status(errno);
	return B_OK;
}

ssize_t BNode::WriteAttr(const char* name, type_code type, off_t offset, const void* buffer,
                         size_t length)
{
	if ((buffer == nullptr && length > 0) || offset < 0)
		return B_BAD_VALUE;
	if ((uint64)offset > kMaxValueSize || length > kMaxValueSize - offset)
		return B_BAD_VALUE;

	std::string data;
	if (offset > 0) {
		std::string old;
		status_t status = _ReadValue(name, &old);
		if (status != B_OK && status != B_ENTRY_NOT_FOUND)
			return status;
		type_code oldType;
		const char* oldData;
		size_t oldSize;
		decode(old, &oldType, &oldData, &oldSize);
		data.assign(oldData, oldSize);
		if (data.size() < (size_t)offset + length)
			data.resize((size_t)offset + length, '\0');
	}
	if (length > 0)
		data.replace((size_t)offset, length, static_cast<const char*>(buffer), length);

	status_t status = _WriteValue(name, encode(type, data));
	return status == B_OK ? (ssize_t)length : status;
}

ssize_t BNode::ReadAttr(const char* name, type_code type, off_t offset, void* buffer,
                        size_t length) const
{
	if ((buffer == nullptr && length > 0) || offset < 0)
		return B_BAD_VALUE;
	std::string value;
	status_t status = _ReadValue(name, &value);
	if (status != B_OK)
		return status;
	type_code storedType;
	const char* data;
	size_t size;
	decode(value, &storedType, &data, &size);
	if ((uint64)offset >= size)
		return 0;
	size_t count = min_c(length, size - (size_t)offset);
	memcpy(buffer, data + offset, count);
	return (ssize_t)count;
}

status_t BNode::RemoveAttr(const char* name)
{
	std::string fullName;
	status_t status = _FullAttrName(name, &fullName);
	if (status != B_OK)
		return status;
	int result = fPathOnly ? removexattr(_AttrPath().c_str(), fullName.c_str())
	                       : fremovexattr(fFd, fullName.c_str());
	if (result != 0)
		return attr_errno_status(errno);
	return B_OK;
}

status_t BNode::RenameAttr(const char* oldName, const char* newName)
{
	// The value moves as stored, header and type included.
	std::string value;
	status_t status = _ReadValue(oldName, &value);
	if (status != B_OK)
		return status;
	std::string oldFull;
	std::string newFull;
	status = full_attr_name(newName, &newFull);
	if (status != B_OK)
		return status;
	full_attr_name(oldName, &oldFull);
	if (oldFull == newFull)
		return B_OK;
	status = _WriteValue(newName, value);
	if (status != B_OK)
		return status;
	return RemoveAttr(oldName);
}

status_t BNode::GetAttrInfo(const char* name, attr_info* info) const
{
	if (info == nullptr)
		return B_BAD_VALUE;
	std::string value;
	status_t status = _ReadValue(name, &value);
	if (status != B_OK)
		return status;
	const char* data;
	size_t size;
	decode(value, &info->type, &data, &size);
	info->size = (off_t)size;
	return B_OK;
}

status_t BNode::GetNextAttrName(char* buffer)
{
	if (buffer == nullptr)
		return B_BAD_VALUE;
	buffer[0] = '\0';
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (!fAttrListed) {
		std::vector<char> list;
		for (;;) {
			ssize_t size = fPathOnly ? listxattr(_AttrPath().c_str(), nullptr, 0)
			                         : flistxattr(fFd, nullptr, 0);
			if (size < 0)
				return attr_errno_status(errno);
			list.resize((size_t)size + 1);
			size = fPathOnly ? listxattr(_AttrPath().c_str(), list.data(), size)
			                 : flistxattr(fFd, list.data(), size);
			if (size >= 0) {
				list.resize((size_t)size);
				break;
			}
			// The list grew between the two calls; ask again.
			if (errno != ERANGE)
				return attr_errno_status(errno);
		}
		fAttrNames.clear();
		for (size_t start = 0; start < list.size();) {
			size_t end = start;
			while (end < list.size() && list[end] != '\0')
				end++;
			std::string_view item(list.data() + start, end - start);
			if (item.size() > kNamespaceLength && item.substr(0, kNamespaceLength) == kNamespace)
				fAttrNames.emplace_back(item.substr(kNamespaceLength));
			start = end + 1;
		}
		fAttrIndex = 0;
		fAttrListed = true;
	}
	if (fAttrIndex >= fAttrNames.size())
		return B_ENTRY_NOT_FOUND;
	const std::string& name = fAttrNames[fAttrIndex++];
	// Linux names fit: 255 bytes less the namespace prefix is below B_ATTR_NAME_LENGTH.
	memcpy(buffer, name.c_str(), name.size() + 1);
	return B_OK;
}

status_t BNode::RewindAttrs()
{
	if (fStatus != B_OK)
		return B_NO_INIT;
	fAttrNames.clear();
	fAttrIndex = 0;
	fAttrListed = false;
	return B_OK;
}

status_t BNode::WriteAttrString(const char* name, const BString* data)
{
	if (data == nullptr)
		return B_BAD_VALUE;
	ssize_t result = WriteAttr(name, B_STRING_TYPE, 0, data->String(), data->Length() + 1);
	return result < 0 ? (status_t)result : B_OK;
}

status_t BNode::ReadAttrString(const char* name, BString* result) const
{
	if (result == nullptr)
		return B_BAD_VALUE;
	attr_info info;
	status_t status = GetAttrInfo(name, &info);
	if (status != B_OK)
		return status;
	std::string text((size_t)info.size, '\0');
	ssize_t count = ReadAttr(name, B_STRING_TYPE, 0, text.data(), text.size());
	if (count < 0)
		return (status_t)count;
	text.resize((size_t)count);
	// The stored terminator, and anything a foreign writer put after a null byte, is not
	// part of the text.
	size_t end = text.find('\0');
	if (end != std::string::npos)
		text.resize(end);
	result->SetTo(text.c_str());
	return B_OK;
}

BNode& BNode::operator=(const BNode& node)
{
	if (this == &node)
		return *this;
	Unset();
	if (node.fStatus != B_OK)
		return *this;
	int fd = fcntl(node.fFd, F_DUPFD_CLOEXEC, 0);
	if (fd < 0) {
		fStatus = errno_status(errno);
		return *this;
	}
	_SetDescriptor(fd, node.fPath);
	fPathOnly = node.fPathOnly;
	return *this;
}

bool BNode::operator==(const BNode& node) const
{
	if (fStatus != B_OK || node.fStatus != B_OK)
		return fStatus != B_OK && node.fStatus != B_OK;
	struct stat mine;
	struct stat theirs;
	if (GetStat(&mine) != B_OK || node.GetStat(&theirs) != B_OK)
		return false;
	return mine.st_dev == theirs.st_dev && mine.st_ino == theirs.st_ino;
}

bool BNode::operator!=(const BNode& node) const
{
	return !(*this == node);
}

int BNode::Dup()
{
	if (fStatus != B_OK)
		return B_NO_INIT;
	int fd = fcntl(fFd, F_DUPFD_CLOEXEC, 0);
	return fd >= 0 ? fd : errno_status(errno);
}

void BNode::_SetDescriptor(int fd, const std::string& path)
{
	Unset();
	fFd = fd;
	fPath = path;
	fStatus = B_OK;
}

status_t BNode::_SetStatus(status_t status)
{
	if (status != B_OK)
		Unset();
	return fStatus = status;
}

status_t BNode::_Open(const std::string& path)
{
	// O_NONBLOCK keeps the open of a pipe or device node from waiting for a peer.
	int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
	bool pathOnly = false;
	if (fd < 0 && errno == EACCES) {
		// A node that may not be read still has attributes its owner may read and write.
		fd = open(path.c_str(), O_PATH | O_CLOEXEC);
		pathOnly = true;
	}
	if (fd < 0)
		return _SetStatus(errno_status(errno));
	_SetDescriptor(fd, path);
	fPathOnly = pathOnly;
	return B_OK;
}

status_t BNode::_ReadValue(const char* name, std::string* value) const
{
	std::string fullName;
	status_t status = _FullAttrName(name, &fullName);
	if (status != B_OK)
		return status;
	for (;;) {
		ssize_t size = fPathOnly ? getxattr(_AttrPath().c_str(), fullName.c_str(), nullptr, 0)
		                         : fgetxattr(fFd, fullName.c_str(), nullptr, 0);
		if (size < 0)
			return attr_errno_status(errno);
		value->resize((size_t)size);
		if (size == 0)
			return B_OK;
		size = fPathOnly
		           ? getxattr(_AttrPath().c_str(), fullName.c_str(), value->data(), value->size())
		           : fgetxattr(fFd, fullName.c_str(), value->data(), value->size());
		if (size >= 0) {
			value->resize((size_t)size);
			return B_OK;
		}
		// Another writer made the value longer between the two calls; measure again.
		if (errno != ERANGE)
			return attr_errno_status(errno);
	}
}

status_t BNode::_WriteValue(const char* name, const std::string& value)
{
	std::string fullName;
	status_t status = _FullAttrName(name, &fullName);
	if (status != B_OK)
		return status;
	if (value.size() > kMaxValueSize)
		return B_BAD_VALUE;
	int result =
	    fPathOnly ? setxattr(_AttrPath().c_str(), fullName.c_str(), value.data(), value.size(), 0)
	              : fsetxattr(fFd, fullName.c_str(), value.data(), value.size(), 0);
	if (result != 0)
		return attr_errno_status(errno);
	return B_OK;
}

status_t BNode::_FullAttrName(const char* name, std::string* fullName) const
{
	if (fStatus != B_OK)
		return B_NO_INIT;
	return full_attr_name(name, fullName);
}

std::string BNode::_AttrPath() const
{
	return "/proc/self/fd/" + std::to_string(fFd);
}
