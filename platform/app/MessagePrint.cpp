// BMessage::PrintToStream: a readable dump of a message and its nested messages on standard
// output, for debugging.
#include <Message.h>

#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <cstring>

namespace {

// Nested messages are printed to this depth; a deeper chain (from untrusted data) would only
// exhaust the stack.
constexpr int kMaxPrintDepth = 16;

void print_code(uint32 code)
{
	char text[5] = {(char)(code >> 24), (char)(code >> 16), (char)(code >> 8), (char)code, 0};
	bool printable = true;
	for (int i = 0; i < 4; i++)
		printable = printable && isprint((unsigned char)text[i]);
	if (printable)
		printf("'%s'", text);
	else
		printf("0x%08" PRIx32, code);
}

void print_indent(int depth)
{
	for (int i = 0; i < depth; i++)
		printf("    ");
}

template <typename T>
T load(const void* data)
{
	T value;
	memcpy(&value, data, sizeof(T));
	return value;
}

} // namespace

void BMessage::PrintToStream() const
{
	_PrintToStream(0);
}

void BMessage::_PrintToStream(int depth) const
{
	printf("BMessage(");
	print_code(what);
	printf(") {\n");
	for (const Field& field : fFields) {
		for (int32 i = 0; i < field.Count(); i++) {
			const uint8* data = field.data.data() + field.offsets[(size_t)i];
			size_t size = field.ItemSize(i);
			print_indent(depth + 1);
			printf("%s", field.name.c_str());
			if (field.Count() > 1)
				printf("[%" PRId32 "]", i);
			printf(" = ");
			switch (field.type) {
			case B_BOOL_TYPE:
				printf("bool(%s)\n", data[0] != 0 ? "true" : "false");
				break;
			case B_INT8_TYPE:
				printf("int8(%d)\n", (int)load<int8>(data));
				break;
			case B_UINT8_TYPE:
				printf("uint8(%u)\n", (unsigned)load<uint8>(data));
				break;
			case B_INT16_TYPE:
				printf("int16(%d)\n", (int)load<int16>(data));
				break;
			case B_UINT16_TYPE:
				printf("uint16(%u)\n", (unsigned)load<uint16>(data));
				break;
			case B_INT32_TYPE:
				printf("int32(%" PRId32 ")\n", load<int32>(data));
				break;
			case B_UINT32_TYPE:
				printf("uint32(%" PRIu32 ")\n", load<uint32>(data));
				break;
			case B_INT64_TYPE:
				printf("int64(%" PRId64 ")\n", load<int64>(data));
				break;
			case B_UINT64_TYPE:
				printf("uint64(%" PRIu64 ")\n", load<uint64>(data));
				break;
			case B_FLOAT_TYPE:
				printf("float(%g)\n", (double)load<float>(data));
				break;
			case B_DOUBLE_TYPE:
				printf("double(%g)\n", load<double>(data));
				break;
			case B_POINT_TYPE: {
				BPoint point = load<BPoint>(data);
				printf("BPoint(x:%g, y:%g)\n", (double)point.x, (double)point.y);
				break;
			}
			case B_RECT_TYPE: {
				BRect rect = load<BRect>(data);
				printf("BRect(l:%g, t:%g, r:%g, b:%g)\n", (double)rect.left, (double)rect.top,
				       (double)rect.right, (double)rect.bottom);
				break;
			}
			case B_STRING_TYPE:
				printf("string(\"%s\", %zu bytes)\n", (const char*)data, size - 1);
				break;
			case B_POINTER_TYPE:
				printf("pointer(0x%" PRIx64 ")\n", load<uint64>(data));
				break;
			case B_MESSENGER_TYPE: {
				int32 words[4];
				memcpy(words, data, sizeof(words));
				printf("BMessenger(team %" PRId32 ", looper %" PRId32 ", handler %" PRId32 ")\n",
				       words[0], words[1], words[2]);
				break;
			}
			case B_MESSAGE_TYPE: {
				BMessage nested;
				if (depth + 1 >= kMaxPrintDepth) {
					printf("BMessage(...)\n");
				} else if (nested.Unflatten((const char*)data, (ssize_t)size) == B_OK) {
					nested._PrintToStream(depth + 1);
				} else {
					printf("BMessage(damaged, %zu bytes)\n", size);
				}
				break;
			}
			default: {
				print_code(field.type);
				printf(" (%zu bytes:", size);
				for (size_t b = 0; b < size && b < 16; b++)
					printf(" %02x", data[b]);
				printf("%s)\n", size > 16 ? " ..." : "");
				break;
			}
			}
		}
	}
	print_indent(depth);
	printf("}\n");
}
