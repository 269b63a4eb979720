#include "FieldNumbers.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include <TextControl.h>

void set_txt_ctrl_num(BTextControl* field, int32 value)
{
	if (field == nullptr)
		return;
	char text[16];
	snprintf(text, sizeof(text), "%d", (int)value);
	field->SetText(text);
}

bool get_txt_ctrl_num(const BTextControl* field, int32* value)
{
	if (field == nullptr)
		return false;
	// atoi itself is undefined for numbers beyond an int, which a user can type; strtoll
	// reads the same prefix and says when it overflowed.
	errno = 0;
	const long long number = strtoll(field->Text(), nullptr, 10);
	if (errno == ERANGE || number < INT32_MIN || number > INT32_MAX)
		return false;
	*value = (int32)number;
	return true;
}
