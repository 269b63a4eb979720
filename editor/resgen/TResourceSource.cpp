#include "TResourceSource.h"

#include <cerrno>
#include <cstdio>
#include <unistd.h>

#include <Errors.h>

namespace {

// A type code as the source writes it: the number, with its four characters beside it for the
// reader (printable ones only, so the comment stays a comment).
std::string type_text(type_code type)
{
	char text[48];
	char chars[5];
	for (int i = 0; i < 4; i++) {
		const char c = (char)((type >> (24 - 8 * i)) & 0xff);
		chars[i] = c >= 0x20 && c < 0x7f && c != '*' && c != '/' ? c : '.';
	}
	chars[4] = '\0';
	snprintf(text, sizeof(text), "0x%08x /* '%s' */", (unsigned)type, chars);
	return text;
}

// A string literal holding exactly the bytes of `text`.
std::string string_literal(const std::string& text)
{
	std::string literal = "\"";
	for (unsigned char c : text) {
		if (c == '"' || c == '\\' || c < 0x20 || c >= 0x7f) {
			char escaped[8];
			snprintf(escaped, sizeof(escaped), "\\%03o", c);
			literal += escaped;
		} else {
			literal += (char)c;
		}
	}
	return literal + "\"";
}

} // namespace

void TResourceSource::Add(type_code type, int32 id, const std::string& name,
                          std::vector<uint8> data)
{
	mRecords.push_back(Record{type, id, name, std::move(data)});
}

std::string TResourceSource::Text() const
{
	std::string text = "// The application's resources, written by glowplate-resgen. Do not edit.\n"
	                   "#include <Resources.h>\n\nnamespace {\n\n";
	char line[64];
	for (size_t i = 0; i < mRecords.size(); i++) {
		// An empty array is not valid C++, so every array holds at least one byte; the
		// record's size says how many of them count.
		snprintf(line, sizeof(line), "const unsigned char kData%zu[] = {", i);
		text += line;
		const std::vector<uint8>& data = mRecords[i].data;
		for (size_t j = 0; j < data.size(); j++) {
			text += j % 16 == 0 ? "\n    " : " ";
			snprintf(line, sizeof(line), "0x%02x,", data[j]);
			text += line;
		}
		text += data.empty() ? "0};\n\n" : "\n};\n\n";
	}
	text += "const BPrivate::ResourceRecord kResources[] = {\n";
	for (size_t i = 0; i < mRecords.size(); i++) {
		const Record& record = mRecords[i];
		snprintf(line, sizeof(line), ", %d, ", (int)record.id);
		text += "    {" + type_text(record.type) + line + string_literal(record.name);
		snprintf(line, sizeof(line), ", kData%zu, %zu},\n", i, record.data.size());
		text += line;
	}
	text += "};\n\n} // namespace\n\nB_DEFINE_APP_RESOURCES(kResources)\n";
	return text;
}

status_t TResourceSource::Write(const std::string& path) const
{
	const std::string temporary = path + ".tmp";
	FILE* file = fopen(temporary.c_str(), "wb");
	if (file == nullptr)
		return status_from_errno(errno);
	const std::string text = Text();
	const bool written = fwrite(text.data(), 1, text.size(), file) == text.size();
	const int error = errno;
	if (fclose(file) != 0 || !written) {
		unlink(temporary.c_str());
		return written ? B_IO_ERROR : status_from_errno(error);
	}
	if (rename(temporary.c_str(), path.c_str()) != 0) {
		const status_t status = status_from_errno(errno);
		unlink(temporary.c_str());
		return status;
	}
	return B_OK;
}
