// Feeds arbitrary bytes to the dictionary reader as a language file: the bytes are written to
// <folder>/Language/Dictionaries/fuzz.enUS and loaded through the same path the program uses,
// line reader included. Then every line's words are looked up, and the positions that
// ExtractWord reports are checked to lie inside the line and after the word's start.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <PathFunctions.h>
#include <TLocale.h>

namespace {

std::string make_folder()
{
	const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
	std::string folder = std::string(base) + "/glowplate-fuzz-XXXXXX";
	if (mkdtemp(folder.data()) == nullptr)
		abort();
	mkdir((folder + "/Language").c_str(), 0700);
	mkdir((folder + "/Language/Dictionaries").c_str(), 0700);
	// The folder goes when the run ends normally, so that runs do not pile up in memory.
	static std::string removed = folder;
	atexit([] {
		unlink((removed + "/Language/Dictionaries/fuzz.enUS").c_str());
		rmdir((removed + "/Language/Dictionaries").c_str());
		rmdir((removed + "/Language").c_str());
		rmdir(removed.c_str());
	});
	return folder;
}

void check_words(const BString& line)
{
	int32 position = 0;
	for (int words = 0; words < 3 && position != B_ERROR; words++) {
		int32 next;
		const BString word = TLocale::ExtractWord(line, position, next);
		if (word.Length() > line.Length() - position)
			abort();
		if (next != B_ERROR && (next <= position || next >= line.Length()))
			abort();
		position = next;
	}
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	static const std::string folder = make_folder();
	static const std::string file = folder + "/Language/Dictionaries/fuzz.enUS";

	FILE* out = fopen(file.c_str(), "wb");
	if (out == nullptr)
		abort();
	if (size != 0 && fwrite(data, 1, size, out) != size)
		abort();
	fclose(out);

	TLocale locale;
	if (locale.LoadLanguageFile(folder.c_str(), "fuzz", false) != B_OK)
		abort();

	const std::string bytes((const char*)data, size);
	size_t start = 0;
	while (start <= bytes.size()) {
		size_t end = bytes.find('\n', start);
		if (end == std::string::npos)
			end = bytes.size();
		const BString line = trim(BString(std::string_view(bytes).substr(start, end - start)));
		check_words(line);
		int32 next;
		const BString key = TLocale::ExtractWord(line, 0, next);
		const char* text = locale.GetString(key);
		// Reading the whole text lets the sanitizer check that it is alive and terminated.
		if (text == nullptr || strlen(text) > size)
			abort();
		start = end + 1;
	}
	if (locale.CountEntries() < 0)
		abort();
	return 0;
}
