// Feeds arbitrary bytes to BMessage::Unflatten, in its buffer and its stream form. Whatever
// is accepted must be usable: every item can be looked up, nested messages unflatten or fail
// cleanly, and the message flattens again into bytes that read back to the same size.
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include <DataIO.h>
#include <Message.h>

namespace {

void exercise(const BMessage& message, int depth)
{
	const char* name;
	type_code type;
	int32 count;
	for (int32 i = 0; message.GetInfo(B_ANY_TYPE, i, &name, &type, &count) == B_OK; i++) {
		for (int32 item = 0; item < count; item++) {
			const void* data;
			ssize_t size;
			if (message.FindData(name, type, item, &data, &size) != B_OK)
				abort();
			// Touch every byte so that the sanitizer sees a read past an item.
			volatile uint8_t sum = 0;
			for (ssize_t b = 0; b < size; b++)
				sum = sum + ((const uint8_t*)data)[b];
			(void)sum;
			if (type == B_STRING_TYPE) {
				const char* text;
				BString copy;
				if (message.FindString(name, item, &text) != B_OK ||
				    message.FindString(name, item, &copy) != B_OK) {
					abort();
				}
				// Callers treat the text as a C string; it must end inside the item.
				if (strlen(text) >= (size_t)size)
					abort();
			} else if (type == B_MESSAGE_TYPE && depth < 4) {
				BMessage nested;
				if (message.FindMessage(name, item, &nested) == B_OK)
					exercise(nested, depth + 1);
			}
		}
	}
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	BMessage message;
	if (message.Unflatten((const char*)data, (ssize_t)size) == B_OK) {
		exercise(message, 0);
		ssize_t flatSize = message.FlattenedSize();
		if (flatSize < 0)
			abort();
		std::vector<char> again((size_t)flatSize);
		if (message.Flatten(again.data(), flatSize) != B_OK)
			abort();
		BMessage copy;
		if (copy.Unflatten(again.data(), flatSize) != B_OK || copy.FlattenedSize() != flatSize ||
		    copy.what != message.what) {
			abort();
		}
	}

	BMemoryIO stream(data, size);
	BMessage fromStream;
	fromStream.Unflatten(&stream);
	return 0;
}
