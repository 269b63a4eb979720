// Guessing the encoding and the line-end convention of raw Japanese text read from outside the
// program. Both are pure functions over bytes; the encoding result is the conversion constant
// that the platform's text conversion takes, or ENCODING_UTF8 for text that needs none.
#ifndef ENCODING_DETECTION_H
#define ENCODING_DETECTION_H

#include <SupportDefs.h>

enum {
	ENCODING_UTF8 = -1, // also the answer when nothing decides
	ENCODING_SJIS = 11, // the platform's B_SJIS_CONVERSION
	ENCODING_EUC = 12,  // the platform's B_EUC_CONVERSION
	ENCODING_JIS = 13,  // the platform's B_JIS_CONVERSION: 7-bit escape sequences
};

enum {
	CR_TYPE_LF = 0,   // LF line ends, or none at all, or more LF than CR
	CR_TYPE_CRLF = 1, // as many CR as LF
	CR_TYPE_CR = 2,   // more CR than LF
};

// Scores the bytes as UTF-8, Shift-JIS and EUC-JP and returns the encoding that leads, or the
// JIS, Shift-JIS or EUC-JP answer as soon as a byte pattern proves it.
// - length 0 means that text is NUL-terminated; a negative length or a null text is empty.
// - decisionStart and examineLimit are clamped to the length: the scores are first compared
//   once the scan has reached decisionStart, and no byte at or past examineLimit is read.
// - escapeFlag, when given, is set to 0, and to 1 when the text starts JIS with ESC K or ESC H.
int32 detect_encoding(const char* text, int32 length, int32* escapeFlag, int32 decisionStart,
                      int32 examineLimit);

// B_OK with result set when one score is strictly greater than both others (ENCODING_UTF8,
// ENCODING_SJIS or ENCODING_EUC); B_ERROR with result untouched otherwise.
status_t detect_encoding_sub(int32 utf8Score, int32 sjisScore, int32 eucScore, int32* result);

// Compares the numbers of CR and LF bytes in a NUL-terminated text (null counts as empty).
int32 detect_cr_type(const char* text);

#endif
