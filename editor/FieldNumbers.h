// Whole numbers in text fields, as the editor reads and writes them.
#ifndef FIELD_NUMBERS_H
#define FIELD_NUMBERS_H

#include <SupportDefs.h>

class BTextControl;

// Sets the field's text to the number in decimal, without grouping or padding. The field is
// not invoked; like any change of its text, this sends its modification message.
void set_txt_ctrl_num(BTextControl* field, int32 value);

// Reads the field as atoi does: leading white space, an optional sign and the decimal digits
// that follow; the rest is ignored, and a text without leading digits reads as 0. A number
// that does not fit an int32 has no value: false, and *value is left alone.
bool get_txt_ctrl_num(const BTextControl* field, int32* value);

#endif
