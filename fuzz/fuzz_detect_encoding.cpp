// Feeds arbitrary bytes to the encoding and line-end detection. The first four bytes choose
// the decision start and the examine limit; the rest is the text. Besides running under the
// sanitizers, it checks that bytes past the examine limit never change the answer.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include <EncodingDetection.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	if (size < 4)
		return 0;
	const int32 decisionStart = (int32)(data[0] | (data[1] << 8)) - 8;
	const int32 examineLimit = (int32)(data[2] | (data[3] << 8)) - 8;
	data += 4;
	size -= 4;

	// An exact-size copy, so that any read past the text is an error the sanitizer sees. An
	// empty input stands for a NUL-terminated text (length 0), which must then have its zero.
	char* text = (char*)malloc(size == 0 ? 1 : size);
	if (size != 0)
		memcpy(text, data, size);
	else
		text[0] = '\0';
	const int32 length = (int32)size;

	int32 escape = -5;
	const int32 result = detect_encoding(text, length, &escape, decisionStart, examineLimit);
	if (result != ENCODING_UTF8 && result != ENCODING_SJIS && result != ENCODING_EUC &&
	    result != ENCODING_JIS)
		abort();
	if (escape != 0 && !(escape == 1 && result == ENCODING_JIS))
		abort();

	const int32 limit = examineLimit < 0 ? 0 : (examineLimit > length ? length : examineLimit);
	if (length > 0 && limit > 0) {
		const int32 cut = detect_encoding(text, limit, nullptr, decisionStart, examineLimit);
		if (cut != result)
			abort();
	}

	// A length of 0 reads the text up to its first zero byte, as if that length were given.
	const std::string terminated(text, size);
	const int32 untilZero = (int32)strlen(terminated.c_str());
	if (untilZero > 0 &&
	    detect_encoding(terminated.c_str(), 0, nullptr, decisionStart, examineLimit) !=
	        detect_encoding(terminated.c_str(), untilZero, nullptr, decisionStart, examineLimit))
		abort();
	const int32 crType = detect_cr_type(terminated.c_str());
	if (crType < CR_TYPE_LF || crType > CR_TYPE_CR)
		abort();
	free(text);
	return 0;
}
