// Unflatten of bytes that did not come from Flatten: truncated, corrupted, forged and random
// input must be refused with a status, never read past its end, and leave the message as it
// was.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include <DataIO.h>
#include <Message.h>

namespace {

std::vector<char> flattened(const BMessage& message)
{
	std::vector<char> bytes((size_t)message.FlattenedSize());
	EXPECT_EQ(message.Flatten(bytes.data(), (ssize_t)bytes.size()), B_OK);
	return bytes;
}

BMessage sample()
{
	BMessage message('smpl');
	message.AddString("text", "some text");
	message.AddInt32("numbers", 1);
	message.AddInt32("numbers", 2);
	message.AddRect("frame", BRect(0, 0, 10, 10));
	message.AddData("blob", B_RAW_TYPE, "xyz", 3, false);
	BMessage nested('nest');
	nested.AddBool("b", true);
	message.AddMessage("nested", &nested);
	return message;
}

// Unflattens from an exact-size heap copy, so that AddressSanitizer sees any read past it.
status_t unflatten_exact(BMessage* message, const char* bytes, size_t size)
{
	std::unique_ptr<char[]> copy(new char[size > 0 ? size : 1]);
	if (size > 0)
		memcpy(copy.get(), bytes, size);
	return message->Unflatten(copy.get(), (ssize_t)size);
}

// A hand-made header for forged input.
std::vector<char> header(uint32 total, uint32 fields, uint16 version = 1)
{
	std::vector<char> bytes = {'G', 'P', 'M', 'F'};
	auto put = [&bytes](const void* data, size_t size) {
		bytes.insert(bytes.end(), (const char*)data, (const char*)data + size);
	};
	uint16 flags = 0;
	uint32 what = 'frgd';
	put(&version, 2);
	put(&flags, 2);
	put(&what, 4);
	put(&total, 4);
	put(&fields, 4);
	return bytes;
}

template <typename T>
void append(std::vector<char>* bytes, T value)
{
	bytes->insert(bytes->end(), (const char*)&value, (const char*)&value + sizeof(T));
}

void set_total(std::vector<char>* bytes)
{
	uint32 total = (uint32)bytes->size();
	if (bytes->size() >= 16)
		memcpy(bytes->data() + 12, &total, 4);
}

// A forged message with one field; the caller writes the part after the name.
std::vector<char> one_field(type_code type, uint8 flags, const char* name)
{
	std::vector<char> bytes = header(0, 1);
	append<uint32>(&bytes, type);
	append<uint8>(&bytes, flags);
	append<uint8>(&bytes, (uint8)strlen(name));
	bytes.insert(bytes.end(), name, name + strlen(name));
	return bytes;
}

void expect_refused(std::vector<char> bytes)
{
	set_total(&bytes);
	BMessage message('keep');
	message.AddInt32("kept", 1);
	EXPECT_NE(unflatten_exact(&message, bytes.data(), bytes.size()), B_OK);
	EXPECT_EQ(message.what, (uint32)'keep');
	EXPECT_EQ(message.GetInt32("kept", 0), 1);
}

} // namespace

TEST(Unflatten, EveryTruncationIsRefused)
{
	std::vector<char> bytes = flattened(sample());
	for (size_t length = 0; length < bytes.size(); length++) {
		BMessage message;
		EXPECT_NE(unflatten_exact(&message, bytes.data(), length), B_OK) << length;
	}
	BMessage message;
	EXPECT_EQ(unflatten_exact(&message, bytes.data(), bytes.size()), B_OK);
}

TEST(Unflatten, TruncatedStreamsAreRefused)
{
	std::vector<char> bytes = flattened(sample());
	for (size_t length = 0; length < bytes.size(); length += 7) {
		BMemoryIO stream(bytes.data(), length);
		BMessage message;
		EXPECT_NE(message.Unflatten(&stream), B_OK) << length;
	}
}

TEST(Unflatten, EverySingleByteCorruptionIsHandled)
{
	std::vector<char> original = flattened(sample());
	for (size_t i = 0; i < original.size(); i++) {
		for (int bit : {0, 7}) {
			std::vector<char> bytes = original;
			bytes[i] = (char)(bytes[i] ^ (1 << bit));
			BMessage message;
			// Many corruptions only change a value; the point is that none reads past the
			// input or crashes, and anything accepted flattens again.
			if (unflatten_exact(&message, bytes.data(), bytes.size()) == B_OK) {
				std::vector<char> again = flattened(message);
				BMessage nested;
				message.FindMessage("nested", &nested);
			}
		}
	}
}

TEST(Unflatten, RandomInputNeverCrashes)
{
	std::mt19937 random(12345);
	std::vector<char> base = flattened(sample());
	for (int round = 0; round < 3000; round++) {
		std::vector<char> bytes;
		if (round % 2 == 0) {
			bytes.resize(random() % 200);
			for (char& byte : bytes)
				byte = (char)random();
			if (bytes.size() >= 4 && round % 4 == 0)
				memcpy(bytes.data(), "GPMF", 4);
		} else {
			bytes = base;
			for (int changes = 1 + (int)(random() % 8); changes > 0; changes--)
				bytes[random() % bytes.size()] = (char)random();
		}
		BMessage message;
		unflatten_exact(&message, bytes.data(), bytes.size());
	}
}

TEST(Unflatten, ForgedCountsAndSizesAreRefused)
{
	// Not a message, or another version.
	expect_refused({'N', 'O', 'P', 'E'});
	{
		std::vector<char> bytes = header(20, 0, 2);
		set_total(&bytes);
		BMessage message;
		EXPECT_EQ(unflatten_exact(&message, bytes.data(), bytes.size()), B_NOT_SUPPORTED);
	}
	// A field count far beyond the bytes present.
	expect_refused(header(20, 0x7fffffff));
	// A total size larger than the input.
	{
		std::vector<char> bytes = header(1000, 0);
		BMessage message;
		EXPECT_EQ(unflatten_exact(&message, bytes.data(), bytes.size()), B_BAD_DATA);
	}
	// An item count that overflows 32 bits when multiplied by the item size.
	{
		std::vector<char> bytes = one_field(B_INT32_TYPE, 1, "n");
		append<uint32>(&bytes, 0x40000001);
		append<uint32>(&bytes, 4);
		append<int32>(&bytes, 5);
		expect_refused(bytes);
	}
	// A variable-size item claiming more bytes than remain.
	{
		std::vector<char> bytes = one_field(B_RAW_TYPE, 0, "r");
		append<uint32>(&bytes, 1);
		append<uint32>(&bytes, 0xffffffff);
		expect_refused(bytes);
	}
	// A known type with the wrong item size would make Find read past the item.
	{
		std::vector<char> bytes = one_field(B_INT64_TYPE, 1, "n");
		append<uint32>(&bytes, 1);
		append<uint32>(&bytes, 2);
		append<int16>(&bytes, 5);
		expect_refused(bytes);
	}
	{
		std::vector<char> bytes = one_field(B_RECT_TYPE, 0, "r");
		append<uint32>(&bytes, 1);
		append<uint32>(&bytes, 4);
		append<float>(&bytes, 1);
		expect_refused(bytes);
	}
	// A string without its terminator, which FindString would run past.
	{
		std::vector<char> bytes = one_field(B_STRING_TYPE, 0, "s");
		append<uint32>(&bytes, 1);
		append<uint32>(&bytes, 3);
		bytes.insert(bytes.end(), {'a', 'b', 'c'});
		expect_refused(bytes);
	}
	// The same in a field whose strings all have one fixed size: the second lacks its end.
	{
		std::vector<char> bytes = one_field(B_STRING_TYPE, 1, "s");
		append<uint32>(&bytes, 2);
		append<uint32>(&bytes, 2);
		bytes.insert(bytes.end(), {'a', '\0', 'b', 'c'});
		expect_refused(bytes);
	}
	// No items, an empty name, a name with a null byte, unknown field flags.
	{
		std::vector<char> bytes = one_field(B_RAW_TYPE, 0, "e");
		append<uint32>(&bytes, 0);
		expect_refused(bytes);
	}
	{
		std::vector<char> bytes = one_field(B_RAW_TYPE, 0, "");
		append<uint32>(&bytes, 1);
		append<uint32>(&bytes, 0);
		expect_refused(bytes);
	}
	{
		std::vector<char> bytes = one_field(B_RAW_TYPE, 0, "ab");
		bytes[bytes.size() - 1] = '\0';
		append<uint32>(&bytes, 1);
		append<uint32>(&bytes, 0);
		expect_refused(bytes);
	}
	{
		std::vector<char> bytes = one_field(B_RAW_TYPE, 0x80, "f");
		append<uint32>(&bytes, 1);
		append<uint32>(&bytes, 0);
		expect_refused(bytes);
	}
	// Trailing bytes inside the declared size.
	{
		std::vector<char> bytes = flattened(BMessage('tail'));
		bytes.push_back(0);
		expect_refused(bytes);
	}
}

TEST(Unflatten, TwoFieldsWithOneNameAreRefused)
{
	std::vector<char> bytes = header(0, 2);
	for (int i = 0; i < 2; i++) {
		append<uint32>(&bytes, B_RAW_TYPE);
		append<uint8>(&bytes, 0);
		append<uint8>(&bytes, 1);
		bytes.push_back('x');
		append<uint32>(&bytes, 1);
		append<uint32>(&bytes, 0);
	}
	expect_refused(bytes);
}

TEST(Unflatten, ExtraBytesAfterTheMessageAreLeftAlone)
{
	std::vector<char> bytes = flattened(sample());
	bytes.insert(bytes.end(), 16, 'z');
	BMessage message;
	EXPECT_EQ(unflatten_exact(&message, bytes.data(), bytes.size()), B_OK);
	EXPECT_EQ(message.what, (uint32)'smpl');
}

TEST(Unflatten, ALyingStreamHeaderCostsOnlyWhatArrives)
{
	// Four gigabytes announced, twenty bytes present: refused without a huge allocation.
	std::vector<char> bytes = header(0xffffffff, 0);
	BMemoryIO stream(bytes.data(), bytes.size());
	BMessage message;
	EXPECT_EQ(message.Unflatten(&stream), B_BAD_DATA);
}

TEST(Unflatten, ADamagedNestedMessageFailsOnlyWhenLookedUp)
{
	BMessage message;
	message.AddData("nested", B_MESSAGE_TYPE, "GPMFjunk", 8, false);
	message.AddInt32("fine", 1);
	BMessage copy;
	std::vector<char> bytes = flattened(message);
	ASSERT_EQ(unflatten_exact(&copy, bytes.data(), bytes.size()), B_OK);
	BMessage nested('left');
	EXPECT_NE(copy.FindMessage("nested", &nested), B_OK);
	EXPECT_EQ(nested.what, (uint32)'left');
	EXPECT_EQ(copy.GetInt32("fine", 0), 1);
}
