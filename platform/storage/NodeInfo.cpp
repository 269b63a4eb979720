// BNodeInfo: file-type attributes of a node.
#include <NodeInfo.h>

#include <cstring>

#include <Node.h>
#include <TypeConstants.h>

namespace {

const char kTypeAttribute[] = "BEOS:TYPE";
const char kPreferredAppAttribute[] = "BEOS:PREF_APP";

} // namespace

bool is_valid_mime_type(const char* type)
{
	if (type == nullptr || type[0] == '\0' || type[0] == '/')
		return false;
	size_t length = strlen(type);
	if (length >= B_MIME_TYPE_LENGTH)
		return false;
	int slashes = 0;
	for (size_t i = 0; i < length; i++) {
		unsigned char c = (unsigned char)type[i];
		if (c == '/') {
			if (++slashes > 1 || i + 1 == length)
				return false;
			continue;
		}
		if (c <= ' ' || c >= 0x7f || strchr("()<>@,;:\\\"[]?=", c) != nullptr)
			return false;
	}
	return true;
}

BNodeInfo::BNodeInfo() : fNode(nullptr), fStatus(B_NO_INIT) {}

BNodeInfo::BNodeInfo(BNode* node) : fNode(nullptr), fStatus(B_NO_INIT)
{
	SetTo(node);
}

BNodeInfo::~BNodeInfo() = default;

status_t BNodeInfo::SetTo(BNode* node)
{
	fNode = nullptr;
	if (node == nullptr || node->InitCheck() != B_OK)
		return fStatus = B_BAD_VALUE;
	fNode = node;
	return fStatus = B_OK;
}

status_t BNodeInfo::InitCheck() const
{
	return fStatus;
}

status_t BNodeInfo::GetType(char* type) const
{
	return _Get(kTypeAttribute, type);
}

status_t BNodeInfo::SetType(const char* type)
{
	return _Set(kTypeAttribute, type);
}

status_t BNodeInfo::GetPreferredApp(char* signature) const
{
	return _Get(kPreferredAppAttribute, signature);
}

status_t BNodeInfo::SetPreferredApp(const char* signature)
{
	return _Set(kPreferredAppAttribute, signature);
}

status_t BNodeInfo::_Get(const char* attribute, char* value) const
{
	if (value == nullptr)
		return B_BAD_VALUE;
	value[0] = '\0';
	if (fStatus != B_OK)
		return B_NO_INIT;
	attr_info info;
	status_t status = fNode->GetAttrInfo(attribute, &info);
	if (status != B_OK)
		return status;
	if (info.type != B_MIME_STRING_TYPE)
		return B_BAD_TYPE;
	if (info.size > B_MIME_TYPE_LENGTH)
		return B_BAD_DATA;
	char buffer[B_MIME_TYPE_LENGTH + 1];
	ssize_t count = fNode->ReadAttr(attribute, B_MIME_STRING_TYPE, 0, buffer, info.size);
	if (count < 0)
		return (status_t)count;
	buffer[count] = '\0';
	// Another program may have written the value; only a well-formed type reaches the caller,
	// and it always fits the caller's buffer.
	if (!is_valid_mime_type(buffer))
		return B_BAD_DATA;
	strcpy(value, buffer);
	return B_OK;
}

status_t BNodeInfo::_Set(const char* attribute, const char* value)
{
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (value == nullptr) {
		status_t status = fNode->RemoveAttr(attribute);
		return status == B_ENTRY_NOT_FOUND ? B_OK : status;
	}
	if (!is_valid_mime_type(value))
		return B_BAD_VALUE;
	ssize_t result = fNode->WriteAttr(attribute, B_MIME_STRING_TYPE, 0, value, strlen(value) + 1);
	return result < 0 ? (status_t)result : B_OK;
}
