#include "TUTF8Utils.h"

int32 TUTF8Utils::NumBytes(char byte)
{
	const uint8 value = (uint8)byte;
	if (value < 0xC0)
		return 1;
	int32 ones = 0;
	for (uint8 mask = 0x80; mask != 0 && (value & mask) != 0; mask >>= 1)
		ones++;
	// Eight leading ones (0xFF) announce no longer sequence than seven (0xFE) does.
	return ones > 7 ? 7 : ones;
}

int32 TUTF8Utils::_Advance(const BString& string, int32 from, int32 count)
{
	const int32 length = string.Length();
	int32 offset = from < 0 ? 0 : from;
	// A character cut short by the end of the string still counts as one step, but the
	// offset stops at the end so that nothing beyond it is ever read.
	for (int32 step = 0; step < count && offset < length; step++) {
		offset += NumBytes(string[offset]);
		if (offset > length)
			offset = length;
	}
	return offset;
}

void TUTF8Utils::_Range(const BString& string, int32 start, int32 count, int32& begin, int32& end)
{
	begin = Position(string, start);
	// Stepping on from begin avoids computing start + count, which could overflow; a
	// negative start contributes its overlap with the string only.
	int32 steps = count;
	if (start < 0)
		steps = count + start > 0 ? count + start : 0;
	end = steps > 0 ? _Advance(string, begin, steps) : begin;
}

int32 TUTF8Utils::Length(const BString& string)
{
	const int32 length = string.Length();
	int32 characters = 0;
	for (int32 offset = 0; offset < length; offset += NumBytes(string[offset]))
		characters++;
	return characters;
}

int32 TUTF8Utils::Position(const BString& string, int32 n)
{
	if (n < 1)
		return 0;
	return _Advance(string, 0, n);
}

BString TUTF8Utils::SubString(const BString& string, int32 start, int32 count)
{
	int32 begin;
	int32 end;
	_Range(string, start, count, begin, end);
	return BString(string.View().substr((size_t)begin, (size_t)(end - begin)));
}

void TUTF8Utils::Erase(BString& string, int32 start, int32 count)
{
	int32 begin;
	int32 end;
	_Range(string, start, count, begin, end);
	if (end > begin)
		string.Remove(begin, end - begin);
}

void TUTF8Utils::Replace(BString& string, int32 start, int32 count, const BString& replacement)
{
	int32 begin;
	int32 end;
	_Range(string, start, count, begin, end);
	BString result(string.View().substr(0, (size_t)begin));
	result << replacement;
	result << BString(string.View().substr((size_t)end));
	string = std::move(result);
}

int32 TUTF8Utils::RPosition(const BString& string, int32 n)
{
	const int32 length = string.Length();
	if (n <= 0 || length == 0)
		return length;
	int32 offset = length - 1;
	int32 count = 0;
	while (offset > 0) {
		if (IsTrailing(string[offset])) {
			offset--;
			continue;
		}
		count++;
		if (count >= n)
			break;
		offset--;
	}
	return offset;
}

BString TUTF8Utils::RSubString(const BString& string, int32 n)
{
	return BString(string.View().substr((size_t)RPosition(string, n)));
}

void TUTF8Utils::RErase(BString& string, int32 n)
{
	string.Truncate(RPosition(string, n));
}
