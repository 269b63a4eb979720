// Feeds arbitrary bytes to the reader of the completing field's storage file. Whatever it
// accepts must keep within the file's bounds (count, length, UTF-8), and a list it accepts must
// survive being written and read again unchanged; whatever it refuses leaves an empty list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <Message.h>

#include "TACCandidateList.h"
#include "TACStorageFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	std::vector<BString> candidates = {"stale"};
	status_t status = TACStorageFile::Parse(data, size, &candidates);
	if (status != B_OK) {
		if (!candidates.empty())
			abort();
		return 0;
	}
	if (candidates.size() > (size_t)TACStorageFile::kMaxCandidates)
		abort();
	for (const BString& candidate : candidates) {
		if (!TACStorageFile::IsStorable(candidate))
			abort();
	}

	// What was read is what the field writes back.
	BMessage message;
	TACStorageFile::MakeMessage(candidates, &message);
	std::string bytes((size_t)message.FlattenedSize(), '\0');
	if (message.Flatten(bytes.data(), (ssize_t)bytes.size()) != B_OK)
		abort();
	std::vector<BString> again;
	if (TACStorageFile::Parse(bytes.data(), bytes.size(), &again) != B_OK || again != candidates)
		abort();

	// The rules work on whatever came in without leaving the file's bounds.
	TACCandidateList list;
	list.SetTrigger("/");
	list.Assign(candidates);
	if (!candidates.empty()) {
		list.Learn(candidates.front());
		std::vector<BString> matches;
		list.Match(candidates.back(), nullptr, &matches);
	}
	for (const BString& candidate : list.Items()) {
		if (!TACStorageFile::IsStorable(candidate))
			abort();
	}
	return 0;
}
