// A growable byte string. It holds bytes, not characters: no encoding is assumed or converted.
// Offsets and lengths are int32, as on the platform; B_ERROR (-1) means "not found".
#ifndef _B_STRING_H
#define _B_STRING_H

#include <string>
#include <string_view>

#include <SupportDefs.h>

class BString {
public:
	BString();
	BString(const char* string);
	BString(const char* string, int32 maxLength);
	BString(const BString& other);
	BString(BString&& other) noexcept;
	explicit BString(std::string_view bytes);
	~BString();

	// Access
	const char* String() const { return fData.c_str(); }
	int32 Length() const { return (int32)fData.size(); }
	int32 CountChars() const;  // UTF-8 characters: bytes that are not continuation bytes
	bool IsEmpty() const { return fData.empty(); }
	// The bytes as a view, for code that works with the standard library.
	std::string_view View() const { return fData; }
	const std::string& StdString() const { return fData; }

	// Assignment
	BString& operator=(const BString& other);
	BString& operator=(BString&& other) noexcept;
	BString& operator=(const char* string);
	BString& operator=(char c);
	BString& SetTo(const char* string);
	BString& SetTo(const char* string, int32 maxLength);
	BString& SetTo(const BString& other);
	BString& SetTo(const BString& other, int32 maxLength);
	BString& SetTo(char c, int32 count);
	BString& Adopt(BString& from);

	// Substring copying
	BString& CopyInto(BString& into, int32 fromOffset, int32 length) const;
	void CopyInto(char* into, int32 fromOffset, int32 length) const;

	// Appending
	BString& operator+=(const BString& string);
	BString& operator+=(const char* string);
	BString& operator+=(char c);
	BString& Append(const BString& string);
	BString& Append(const char* string);
	BString& Append(const BString& string, int32 length);
	BString& Append(const char* string, int32 length);
	BString& Append(char c, int32 count);

	// Prepending
	BString& Prepend(const char* string);
	BString& Prepend(const BString& string);
	BString& Prepend(const char* string, int32 length);
	BString& Prepend(const BString& string, int32 length);
	BString& Prepend(char c, int32 count);

	// Inserting
	BString& Insert(const char* string, int32 position);
	BString& Insert(const char* string, int32 length, int32 position);
	BString& Insert(const char* string, int32 fromOffset, int32 length, int32 position);
	BString& Insert(const BString& string, int32 position);
	BString& Insert(const BString& string, int32 length, int32 position);
	BString& Insert(const BString& string, int32 fromOffset, int32 length, int32 position);
	BString& Insert(char c, int32 count, int32 position);

	// Removing
	BString& Truncate(int32 newLength, bool lazy = true);
	BString& Remove(int32 from, int32 length);
	BString& RemoveFirst(const BString& string);
	BString& RemoveLast(const BString& string);
	BString& RemoveAll(const BString& string);
	BString& RemoveFirst(const char* string);
	BString& RemoveLast(const char* string);
	BString& RemoveAll(const char* string);
	BString& RemoveSet(const char* setOfBytesToRemove);
	BString& MoveInto(BString& into, int32 from, int32 length);

	// Comparing: bytewise, like memcmp.
	bool operator<(const BString& string) const { return fData < string.fData; }
	bool operator<=(const BString& string) const { return fData <= string.fData; }
	bool operator==(const BString& string) const { return fData == string.fData; }
	bool operator>=(const BString& string) const { return fData >= string.fData; }
	bool operator>(const BString& string) const { return fData > string.fData; }
	bool operator!=(const BString& string) const { return fData != string.fData; }
	bool operator<(const char* string) const { return Compare(string) < 0; }
	bool operator<=(const char* string) const { return Compare(string) <= 0; }
	bool operator==(const char* string) const { return Compare(string) == 0; }
	bool operator>=(const char* string) const { return Compare(string) >= 0; }
	bool operator>(const char* string) const { return Compare(string) > 0; }
	bool operator!=(const char* string) const { return Compare(string) != 0; }
	int Compare(const BString& string) const;
	int Compare(const char* string) const;
	int Compare(const BString& string, int32 length) const;
	int Compare(const char* string, int32 length) const;
	int ICompare(const BString& string) const;
	int ICompare(const char* string) const;

	// Searching; each returns the offset found or B_ERROR.
	int32 FindFirst(const BString& string) const;
	int32 FindFirst(const char* string) const;
	int32 FindFirst(const BString& string, int32 fromOffset) const;
	int32 FindFirst(const char* string, int32 fromOffset) const;
	int32 FindFirst(char c) const;
	int32 FindFirst(char c, int32 fromOffset) const;
	// FindLast looks for a match that begins before beforeOffset.
	int32 FindLast(const BString& string) const;
	int32 FindLast(const char* string) const;
	int32 FindLast(const BString& string, int32 beforeOffset) const;
	int32 FindLast(const char* string, int32 beforeOffset) const;
	int32 FindLast(char c) const;
	int32 FindLast(char c, int32 beforeOffset) const;
	int32 IFindFirst(const char* string) const;
	bool StartsWith(const char* prefix) const;
	bool EndsWith(const char* suffix) const;

	// Replacing
	BString& ReplaceFirst(char replaceThis, char withThis);
	BString& ReplaceLast(char replaceThis, char withThis);
	BString& ReplaceAll(char replaceThis, char withThis, int32 fromOffset = 0);
	BString& ReplaceFirst(const char* replaceThis, const char* withThis);
	BString& ReplaceLast(const char* replaceThis, const char* withThis);
	BString& ReplaceAll(const char* replaceThis, const char* withThis, int32 fromOffset = 0);
	BString& Replace(const char* replaceThis, const char* withThis, int32 maxReplaceCount,
		int32 fromOffset = 0);
	BString& ReplaceSet(const char* setOfBytes, char with);

	// Unchecked and checked byte access
	char operator[](int32 index) const { return fData[(size_t)index]; }
	char& operator[](int32 index) { return fData[(size_t)index]; }
	// The byte at index, or 0 outside the string.
	char ByteAt(int32 index) const;

	// Direct buffer access: LockBuffer(n) makes room for n bytes and returns the buffer;
	// UnlockBuffer(length) sets the length (-1: up to the first NUL).
	char* LockBuffer(int32 maxLength);
	BString& UnlockBuffer(int32 length = -1);

	// Case
	BString& ToLower();
	BString& ToUpper();

	// Trimming spaces (bytes <= ' ') from both ends.
	BString& Trim();

	// Formatting and streaming
	BString& operator<<(const char* string);
	BString& operator<<(const BString& string);
	BString& operator<<(char c);
	BString& operator<<(bool value);
	BString& operator<<(int value);
	BString& operator<<(unsigned int value);
	BString& operator<<(long value);
	BString& operator<<(unsigned long value);
	BString& operator<<(long long value);
	BString& operator<<(unsigned long long value);
	BString& operator<<(float value);
	BString& operator<<(double value);
	BString& SetToFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));

private:
	std::string fData;
	int32 fLockedLength = -1;
};

BString operator+(const BString& a, const BString& b);
BString operator+(const BString& a, const char* b);
BString operator+(const char* a, const BString& b);
bool operator==(const char* a, const BString& b);
bool operator!=(const char* a, const BString& b);
bool operator<(const char* a, const BString& b);

int Compare(const BString& a, const BString& b);

#endif
