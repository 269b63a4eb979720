#include <String.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <strings.h>

namespace {

// Length of a C string, stopping at maxLength; null counts as empty.
size_t bounded_length(const char* string, int32 maxLength)
{
	if (string == nullptr || maxLength <= 0)
		return 0;
	const void* end = memchr(string, 0, (size_t)maxLength);
	return end == nullptr ? (size_t)maxLength : (size_t)((const char*)end - string);
}

size_t safe_length(const char* string)
{
	return string == nullptr ? 0 : strlen(string);
}

}  // namespace

BString::BString() = default;

BString::BString(const char* string) : fData(string != nullptr ? string : "") {}

BString::BString(const char* string, int32 maxLength)
	: fData(string != nullptr ? std::string(string, bounded_length(string, maxLength)) : "")
{
}

BString::BString(const BString& other) : fData(other.fData) {}

BString::BString(BString&& other) noexcept : fData(std::move(other.fData))
{
	other.fData.clear();
}

BString::BString(std::string_view bytes) : fData(bytes) {}

BString::~BString() = default;

int32 BString::CountChars() const
{
	int32 count = 0;
	for (unsigned char c : fData) {
		if ((c & 0xC0) != 0x80)
			count++;
	}
	return count;
}

BString& BString::operator=(const BString& other)
{
	if (this != &other)
		fData = other.fData;
	return *this;
}

BString& BString::operator=(BString&& other) noexcept
{
	if (this != &other) {
		fData = std::move(other.fData);
		other.fData.clear();
	}
	return *this;
}

BString& BString::operator=(const char* string)
{
	return SetTo(string);
}

BString& BString::operator=(char c)
{
	fData.assign(1, c);
	return *this;
}

BString& BString::SetTo(const char* string)
{
	if (string == nullptr)
		fData.clear();
	else if (string >= fData.data() && string <= fData.data() + fData.size())
		fData = std::string(string);  // aliasing our own buffer
	else
		fData.assign(string);
	return *this;
}

BString& BString::SetTo(const char* string, int32 maxLength)
{
	fData = std::string(string != nullptr ? string : "", bounded_length(string, maxLength));
	return *this;
}

BString& BString::SetTo(const BString& other)
{
	return *this = other;
}

BString& BString::SetTo(const BString& other, int32 maxLength)
{
	if (maxLength < 0)
		maxLength = 0;
	fData = other.fData.substr(0, (size_t)maxLength);
	return *this;
}

BString& BString::SetTo(char c, int32 count)
{
	fData.assign(count > 0 ? (size_t)count : 0, c);
	return *this;
}

BString& BString::Adopt(BString& from)
{
	if (this != &from) {
		fData = std::move(from.fData);
		from.fData.clear();
	}
	return *this;
}

BString& BString::CopyInto(BString& into, int32 fromOffset, int32 length) const
{
	if (&into == this) {
		BString copy(*this);
		return copy.CopyInto(into, fromOffset, length);
	}
	if (fromOffset < 0 || length < 0 || fromOffset > Length()) {
		into.fData.clear();
		return into;
	}
	into.fData = fData.substr((size_t)fromOffset, (size_t)length);
	return into;
}

void BString::CopyInto(char* into, int32 fromOffset, int32 length) const
{
	if (into == nullptr || fromOffset < 0 || length <= 0 || fromOffset > Length())
		return;
	size_t count = std::min((size_t)length, fData.size() - (size_t)fromOffset);
	memcpy(into, fData.data() + fromOffset, count);
}

BString& BString::operator+=(const BString& string)
{
	return Append(string);
}

BString& BString::operator+=(const char* string)
{
	return Append(string);
}

BString& BString::operator+=(char c)
{
	fData.push_back(c);
	return *this;
}

BString& BString::Append(const BString& string)
{
	fData.append(string.fData);
	return *this;
}

BString& BString::Append(const char* string)
{
	if (string != nullptr)
		fData.append(std::string(string));
	return *this;
}

BString& BString::Append(const BString& string, int32 length)
{
	if (length > 0)
		fData.append(std::string(string.fData, 0, (size_t)length));
	return *this;
}

BString& BString::Append(const char* string, int32 length)
{
	fData.append(std::string(string != nullptr ? string : "", bounded_length(string, length)));
	return *this;
}

BString& BString::Append(char c, int32 count)
{
	if (count > 0)
		fData.append((size_t)count, c);
	return *this;
}

BString& BString::Prepend(const char* string)
{
	return Insert(string, 0);
}

BString& BString::Prepend(const BString& string)
{
	return Insert(string, 0);
}

BString& BString::Prepend(const char* string, int32 length)
{
	return Insert(string, length, 0);
}

BString& BString::Prepend(const BString& string, int32 length)
{
	return Insert(string, length, 0);
}

BString& BString::Prepend(char c, int32 count)
{
	return Insert(c, count, 0);
}

BString& BString::Insert(const char* string, int32 position)
{
	return Insert(string, 0, (int32)std::min<size_t>(safe_length(string), INT32_MAX), position);
}

BString& BString::Insert(const char* string, int32 length, int32 position)
{
	return Insert(string, 0, length, position);
}

BString& BString::Insert(const char* string, int32 fromOffset, int32 length, int32 position)
{
	if (string == nullptr || fromOffset < 0 || length <= 0)
		return *this;
	size_t available = safe_length(string);
	if ((size_t)fromOffset >= available)
		return *this;
	std::string piece(string + fromOffset,
		std::min((size_t)length, available - (size_t)fromOffset));
	position = std::clamp(position, 0, Length());
	fData.insert((size_t)position, piece);
	return *this;
}

BString& BString::Insert(const BString& string, int32 position)
{
	return Insert(string, 0, string.Length(), position);
}

BString& BString::Insert(const BString& string, int32 length, int32 position)
{
	return Insert(string, 0, length, position);
}

BString& BString::Insert(const BString& string, int32 fromOffset, int32 length, int32 position)
{
	if (fromOffset < 0 || length <= 0 || fromOffset >= string.Length())
		return *this;
	std::string piece = string.fData.substr((size_t)fromOffset, (size_t)length);
	position = std::clamp(position, 0, Length());
	fData.insert((size_t)position, piece);
	return *this;
}

BString& BString::Insert(char c, int32 count, int32 position)
{
	if (count <= 0)
		return *this;
	position = std::clamp(position, 0, Length());
	fData.insert((size_t)position, (size_t)count, c);
	return *this;
}

BString& BString::Truncate(int32 newLength, bool)
{
	if (newLength < 0)
		newLength = 0;
	if (newLength < Length())
		fData.resize((size_t)newLength);
	return *this;
}

BString& BString::Remove(int32 from, int32 length)
{
	if (from < 0 || length <= 0 || from >= Length())
		return *this;
	fData.erase((size_t)from, (size_t)length);
	return *this;
}

BString& BString::RemoveFirst(const BString& string)
{
	return RemoveFirst(string.String());
}

BString& BString::RemoveLast(const BString& string)
{
	return RemoveLast(string.String());
}

BString& BString::RemoveAll(const BString& string)
{
	return RemoveAll(string.String());
}

BString& BString::RemoveFirst(const char* string)
{
	return ReplaceFirst(string, "");
}

BString& BString::RemoveLast(const char* string)
{
	return ReplaceLast(string, "");
}

BString& BString::RemoveAll(const char* string)
{
	return ReplaceAll(string, "");
}

BString& BString::RemoveSet(const char* set)
{
	if (set == nullptr)
		return *this;
	std::string_view bytes(set);
	std::erase_if(fData, [&](char c) { return bytes.find(c) != std::string_view::npos; });
	return *this;
}

BString& BString::MoveInto(BString& into, int32 from, int32 length)
{
	CopyInto(into, from, length);
	if (&into != this)
		Remove(from, length);
	return into;
}

int BString::Compare(const BString& string) const
{
	return fData.compare(string.fData);
}

int BString::Compare(const char* string) const
{
	return fData.compare(string != nullptr ? string : "");
}

int BString::Compare(const BString& string, int32 length) const
{
	if (length <= 0)
		return 0;
	return fData.substr(0, (size_t)length).compare(string.fData.substr(0, (size_t)length));
}

int BString::Compare(const char* string, int32 length) const
{
	return Compare(BString(string, length), length);
}

int BString::ICompare(const BString& string) const
{
	return strcasecmp(String(), string.String());
}

int BString::ICompare(const char* string) const
{
	return strcasecmp(String(), string != nullptr ? string : "");
}

namespace {

int32 as_offset(size_t position)
{
	return position == std::string::npos ? B_ERROR : (int32)position;
}

}  // namespace

int32 BString::FindFirst(const BString& string) const
{
	return FindFirst(string, 0);
}

int32 BString::FindFirst(const char* string) const
{
	return FindFirst(string, 0);
}

int32 BString::FindFirst(const BString& string, int32 fromOffset) const
{
	if (fromOffset < 0 || fromOffset > Length())
		return B_ERROR;
	return as_offset(fData.find(string.fData, (size_t)fromOffset));
}

int32 BString::FindFirst(const char* string, int32 fromOffset) const
{
	if (string == nullptr)
		return B_BAD_VALUE;
	if (fromOffset < 0 || fromOffset > Length())
		return B_ERROR;
	return as_offset(fData.find(string, (size_t)fromOffset));
}

int32 BString::FindFirst(char c) const
{
	return FindFirst(c, 0);
}

int32 BString::FindFirst(char c, int32 fromOffset) const
{
	if (fromOffset < 0 || fromOffset >= Length())
		return B_ERROR;
	return as_offset(fData.find(c, (size_t)fromOffset));
}

int32 BString::FindLast(const BString& string) const
{
	return FindLast(string, Length());
}

int32 BString::FindLast(const char* string) const
{
	return FindLast(string, Length());
}

int32 BString::FindLast(const BString& string, int32 beforeOffset) const
{
	return FindLast(string.String(), beforeOffset);
}

int32 BString::FindLast(const char* string, int32 beforeOffset) const
{
	if (string == nullptr)
		return B_BAD_VALUE;
	// The match must lie wholly before beforeOffset.
	int64 length = (int64)strlen(string);
	int64 lastStart = (int64)std::clamp(beforeOffset, 0, Length()) - length;
	if (lastStart < 0)
		return B_ERROR;
	return as_offset(fData.rfind(string, (size_t)lastStart));
}

int32 BString::FindLast(char c) const
{
	return as_offset(fData.rfind(c));
}

int32 BString::FindLast(char c, int32 beforeOffset) const
{
	if (beforeOffset <= 0)
		return B_ERROR;
	beforeOffset = std::min(beforeOffset, Length());
	return as_offset(fData.rfind(c, (size_t)beforeOffset - 1));
}

int32 BString::IFindFirst(const char* string) const
{
	if (string == nullptr)
		return B_BAD_VALUE;
	BString haystack(*this), needle(string);
	haystack.ToLower();
	needle.ToLower();
	return haystack.FindFirst(needle);
}

bool BString::StartsWith(const char* prefix) const
{
	return prefix != nullptr && fData.starts_with(prefix);
}

bool BString::EndsWith(const char* suffix) const
{
	return suffix != nullptr && fData.ends_with(suffix);
}

BString& BString::ReplaceFirst(char replaceThis, char withThis)
{
	size_t at = fData.find(replaceThis);
	if (at != std::string::npos)
		fData[at] = withThis;
	return *this;
}

BString& BString::ReplaceLast(char replaceThis, char withThis)
{
	size_t at = fData.rfind(replaceThis);
	if (at != std::string::npos)
		fData[at] = withThis;
	return *this;
}

BString& BString::ReplaceAll(char replaceThis, char withThis, int32 fromOffset)
{
	for (size_t i = (size_t)std::max(fromOffset, 0); i < fData.size(); i++) {
		if (fData[i] == replaceThis)
			fData[i] = withThis;
	}
	return *this;
}

BString& BString::ReplaceFirst(const char* replaceThis, const char* withThis)
{
	return Replace(replaceThis, withThis, 1, 0);
}

BString& BString::ReplaceLast(const char* replaceThis, const char* withThis)
{
	if (replaceThis == nullptr || *replaceThis == '\0' || withThis == nullptr)
		return *this;
	size_t at = fData.rfind(replaceThis);
	if (at != std::string::npos)
		fData.replace(at, strlen(replaceThis), withThis);
	return *this;
}

BString& BString::ReplaceAll(const char* replaceThis, const char* withThis, int32 fromOffset)
{
	return Replace(replaceThis, withThis, INT32_MAX, fromOffset);
}

BString& BString::Replace(const char* replaceThis, const char* withThis, int32 maxCount,
	int32 fromOffset)
{
	if (replaceThis == nullptr || *replaceThis == '\0' || withThis == nullptr || maxCount <= 0
		|| fromOffset < 0 || fromOffset > Length())
		return *this;
	const std::string from(replaceThis), to(withThis);
	std::string result(fData, 0, (size_t)fromOffset);
	size_t position = (size_t)fromOffset;
	int32 count = 0;
	while (count < maxCount) {
		size_t at = fData.find(from, position);
		if (at == std::string::npos)
			break;
		result.append(fData, position, at - position).append(to);
		position = at + from.size();
		count++;
	}
	result.append(fData, position, std::string::npos);
	fData.swap(result);
	return *this;
}

BString& BString::ReplaceSet(const char* set, char with)
{
	if (set == nullptr)
		return *this;
	std::string_view bytes(set);
	for (char& c : fData) {
		if (bytes.find(c) != std::string_view::npos)
			c = with;
	}
	return *this;
}

char BString::ByteAt(int32 index) const
{
	if (index < 0 || index >= Length())
		return 0;
	return fData[(size_t)index];
}

char* BString::LockBuffer(int32 maxLength)
{
	if (maxLength > Length())
		fData.resize((size_t)maxLength);
	fLockedLength = Length();
	return fData.data();
}

BString& BString::UnlockBuffer(int32 length)
{
	if (length < 0)
		length = (int32)strnlen(fData.c_str(), fData.size());
	fData.resize(std::min((size_t)length, fData.size()));
	fLockedLength = -1;
	return *this;
}

BString& BString::ToLower()
{
	for (char& c : fData) {
		if (c >= 'A' && c <= 'Z')
			c = (char)(c - 'A' + 'a');
	}
	return *this;
}

BString& BString::ToUpper()
{
	for (char& c : fData) {
		if (c >= 'a' && c <= 'z')
			c = (char)(c - 'a' + 'A');
	}
	return *this;
}

BString& BString::Trim()
{
	size_t begin = 0, end = fData.size();
	while (begin < end && (unsigned char)fData[begin] <= ' ')
		begin++;
	while (end > begin && (unsigned char)fData[end - 1] <= ' ')
		end--;
	fData = fData.substr(begin, end - begin);
	return *this;
}

BString& BString::operator<<(const char* string)
{
	return Append(string);
}

BString& BString::operator<<(const BString& string)
{
	return Append(string);
}

BString& BString::operator<<(char c)
{
	fData.push_back(c);
	return *this;
}

BString& BString::operator<<(bool value)
{
	return Append(value ? "true" : "false");
}

BString& BString::operator<<(int value)
{
	fData += std::to_string(value);
	return *this;
}

BString& BString::operator<<(unsigned int value)
{
	fData += std::to_string(value);
	return *this;
}

BString& BString::operator<<(long value)
{
	fData += std::to_string(value);
	return *this;
}

BString& BString::operator<<(unsigned long value)
{
	fData += std::to_string(value);
	return *this;
}

BString& BString::operator<<(long long value)
{
	fData += std::to_string(value);
	return *this;
}

BString& BString::operator<<(unsigned long long value)
{
	fData += std::to_string(value);
	return *this;
}

BString& BString::operator<<(float value)
{
	char buffer[64];
	snprintf(buffer, sizeof(buffer), "%.2f", value);
	return Append(buffer);
}

BString& BString::operator<<(double value)
{
	char buffer[64];
	snprintf(buffer, sizeof(buffer), "%.2f", value);
	return Append(buffer);
}

BString& BString::SetToFormat(const char* format, ...)
{
	va_list args;
	va_start(args, format);
	va_list copy;
	va_copy(copy, args);
	int length = vsnprintf(nullptr, 0, format, copy);
	va_end(copy);
	if (length < 0) {
		fData.clear();
	} else {
		std::string buffer((size_t)length + 1, '\0');
		vsnprintf(buffer.data(), buffer.size(), format, args);
		buffer.resize((size_t)length);
		fData.swap(buffer);
	}
	va_end(args);
	return *this;
}

BString operator+(const BString& a, const BString& b)
{
	BString result(a);
	return result.Append(b);
}

BString operator+(const BString& a, const char* b)
{
	BString result(a);
	return result.Append(b);
}

BString operator+(const char* a, const BString& b)
{
	BString result(a);
	return result.Append(b);
}

bool operator==(const char* a, const BString& b)
{
	return b == a;
}

bool operator!=(const char* a, const BString& b)
{
	return b != a;
}

bool operator<(const char* a, const BString& b)
{
	return b.Compare(a) > 0;
}

int Compare(const BString& a, const BString& b)
{
	return a.Compare(b);
}
