#include "TACStorageFile.h"

#include <AtomicFile.h>
#include <Entry.h>
#include <File.h>
#include <Message.h>
#include <TypeConstants.h>

namespace {

// Well-formed UTF-8: no stray continuation bytes, no sequences cut short, no overlong forms,
// surrogates or code points beyond U+10FFFF.
bool is_utf8(const char* text, size_t length)
{
	const uint8* bytes = (const uint8*)text;
	size_t i = 0;
	while (i < length) {
		uint8 lead = bytes[i];
		size_t count;
		uint32 min;
		uint32 code;
		if (lead < 0x80) {
			i++;
			continue;
		} else if ((lead & 0xE0) == 0xC0) {
			count = 1, min = 0x80, code = lead & 0x1F;
		} else if ((lead & 0xF0) == 0xE0) {
			count = 2, min = 0x800, code = lead & 0x0F;
		} else if ((lead & 0xF8) == 0xF0) {
			count = 3, min = 0x10000, code = lead & 0x07;
		} else {
			return false;
		}
		if (length - i - 1 < count)
			return false;
		for (size_t k = 1; k <= count; k++) {
			if ((bytes[i + k] & 0xC0) != 0x80)
				return false;
			code = (code << 6) | (bytes[i + k] & 0x3F);
		}
		if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
			return false;
		i += count + 1;
	}
	return true;
}

} // namespace

bool TACStorageFile::IsStorable(const BString& candidate)
{
	return candidate.Length() <= kMaxLength &&
	       is_utf8(candidate.String(), (size_t)candidate.Length());
}

status_t TACStorageFile::Parse(const void* data, size_t size, std::vector<BString>* candidates)
{
	candidates->clear();
	if (data == nullptr || size == 0 || size > (size_t)kMaxFileSize)
		return -1;
	BMessage message;
	if (message.Unflatten((const char*)data, (ssize_t)size) != B_OK)
		return -1;
	type_code type;
	int32 count = 0;
	// A file without candidates is a list that was saved empty.
	if (message.GetInfo("_Cdd", &type, &count) != B_OK)
		return B_OK;
	if (type != B_STRING_TYPE || count > kMaxCandidates)
		return -1;
	std::vector<BString> read;
	read.reserve((size_t)count);
	for (int32 i = 0; i < count; i++) {
		const char* text;
		if (message.FindString("_Cdd", i, &text) != B_OK)
			return -1;
		BString candidate(text);
		if (!IsStorable(candidate))
			return -1;
		read.push_back(candidate);
	}
	candidates->swap(read);
	return B_OK;
}

status_t TACStorageFile::Read(const char* path, std::vector<BString>* candidates)
{
	candidates->clear();
	// Only a plain file is opened: a pipe or a device put in its place could stall the open
	// or the read for good.
	BEntry entry(path, true);
	if (entry.InitCheck() != B_OK || !entry.IsFile())
		return -1;
	BFile file(&entry, B_READ_ONLY);
	off_t size = 0;
	if (file.InitCheck() != B_OK || file.GetSize(&size) != B_OK || size <= 0 || size > kMaxFileSize)
		return -1;
	std::vector<char> bytes((size_t)size);
	if (file.ReadExactly(bytes.data(), bytes.size()) != B_OK)
		return -1;
	return Parse(bytes.data(), bytes.size(), candidates) == B_OK ? B_OK : -1;
}

void TACStorageFile::MakeMessage(const std::vector<BString>& candidates, BMessage* message)
{
	message->MakeEmpty();
	message->what = 0;
	int32 stored = 0;
	for (const BString& candidate : candidates) {
		if (stored == kMaxCandidates)
			break;
		if (!IsStorable(candidate))
			continue;
		message->AddString("_Cdd", candidate);
		stored++;
	}
}

status_t TACStorageFile::Write(const char* path, const BMessage& message)
{
	if (path == nullptr || path[0] == '\0')
		return -1;
	BAtomicFile file(path);
	status_t status = file.InitCheck();
	if (status == B_OK)
		status = message.Flatten(&file);
	if (status == B_OK)
		status = file.Commit();
	return status;
}
