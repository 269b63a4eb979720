// glowplate-resgen writes the C++ source that compiles the application's resources into its
// executable: the signature, the launch flags, the version, the file types, the archived view
// tree of the editor and, when one is given, the application's icon.
//
//     glowplate-resgen [--icon FILE.png] -o OUT.cpp
//
// Exit status 0 when the source was written, 1 when it could not be made, 2 for a bad command
// line.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <Message.h>

#include <AppIdentity.h>
#include <ViewTreeArchive.h>

#include "TResourceSource.h"

namespace {

const char kName[] = "glowplate-resgen";

// The version resource: version numbers and two texts, all left empty. Five 32-bit numbers
// (major, middle, minor, variety, internal), a short text of 64 bytes and a long one of 256,
// little-endian, 340 bytes in all.
constexpr size_t kVersionSize = 5 * 4 + 64 + 256;

std::vector<uint8> flatten(const BMessage& message)
{
	const ssize_t size = message.FlattenedSize();
	if (size <= 0)
		return {};
	std::vector<uint8> data((size_t)size);
	if (message.Flatten(reinterpret_cast<char*>(data.data()), size) != B_OK)
		return {};
	return data;
}

std::vector<uint8> int32_bytes(int32 value)
{
	const uint32 bits = (uint32)value;
	return {(uint8)bits, (uint8)(bits >> 8), (uint8)(bits >> 16), (uint8)(bits >> 24)};
}

bool read_file(const char* path, std::vector<uint8>* data)
{
	std::ifstream in(path, std::ios::binary);
	if (!in)
		return false;
	data->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
	return !in.bad();
}

int usage()
{
	fprintf(stderr, "Usage: %s [--icon FILE.png] -o OUT.cpp\n", kName);
	return 2;
}

} // namespace

int main(int argc, char** argv)
{
	const char* icon = nullptr;
	const char* output = nullptr;
	for (int i = 1; i < argc; i++) {
		if (strcmp(argv[i], "--icon") == 0 && i + 1 < argc)
			icon = argv[++i];
		else if (strcmp(argv[i], "-o") == 0 && i + 1 < argc)
			output = argv[++i];
		else
			return usage();
	}
	if (output == nullptr)
		return usage();

	BMessage views = build_glowplate_view_archive();
	std::vector<uint8> viewData = flatten(views);
	if (views.IsEmpty() || viewData.empty()) {
		fprintf(stderr, "%s: the view tree could not be archived\n", kName);
		return 1;
	}
	std::vector<uint8> iconData;
	if (icon != nullptr && !read_file(icon, &iconData)) {
		fprintf(stderr, "%s: the icon %s cannot be read\n", kName, icon);
		return 1;
	}

	TResourceSource source;
	// The signature is stored with its terminating NUL, as a C string.
	const char* signature = gAppSignature;
	source.Add('MIMS', 1, "BEOS:APP_SIG",
	           std::vector<uint8>(signature, signature + strlen(signature) + 1));
	source.Add('APPF', 1, "BEOS:APP_FLAGS", int32_bytes(1));
	source.Add('APPV', 1, "BEOS:APP_VERSION", std::vector<uint8>(kVersionSize, 0));
	source.Add('MSGG', 1, "BEOS:FILE_TYPES", flatten(BMessage()));
	source.Add(kViewTreeResourceType, kViewTreeResourceID, kViewTreeResourceName,
	           std::move(viewData));
	if (icon != nullptr)
		source.Add('PNG ', 1, "icon", std::move(iconData));

	if (source.Write(output) != B_OK) {
		fprintf(stderr, "%s: %s cannot be written\n", kName, output);
		return 1;
	}
	return 0;
}
