#include "TBatchFile.h"

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "TOptionValue.h"

TBatchFile::TBatchFile(const char* path)
    : mFile(fopen(path, "rb")), mStatus(B_OK), mLineCount(0), mNumber(0)
{
	if (mFile == nullptr) {
		mStatus = status_from_errno(errno);
		return;
	}
	// Counting first lets the files be numbered with as many digits as the last one needs.
	int c, last = '\n';
	while ((c = getc(mFile)) != EOF) {
		if (c == '\n')
			mLineCount++;
		last = c;
	}
	if (last != '\n')
		mLineCount++;
	if (ferror(mFile) != 0)
		mStatus = B_IO_ERROR;
	rewind(mFile);
}

TBatchFile::~TBatchFile()
{
	if (mFile != nullptr)
		fclose(mFile);
}

bool TBatchFile::Next(Line* line)
{
	if (mFile == nullptr || mStatus != B_OK)
		return false;
	std::vector<char> bytes;
	bool tooLong = false;
	int c = getc(mFile);
	if (c == EOF)
		return false;
	for (; c != EOF && c != '\n'; c = getc(mFile)) {
		if ((int32)bytes.size() < kMaxLineBytes)
			bytes.push_back((char)c);
		else
			tooLong = true;
	}
	if (!bytes.empty() && bytes.back() == '\r')
		bytes.pop_back();

	*line = Line();
	line->number = ++mNumber;
	if (tooLong) {
		line->status = B_NO_MEMORY;
		line->error.SetToFormat("the line is longer than %d bytes", (int)kMaxLineBytes);
		return true;
	}
	const std::string whole(bytes.begin(), bytes.end());
	if (whole.find('\0') != std::string::npos ||
	    !TOptionValue::IsValidUTF8(whole.data(), whole.size())) {
		line->status = B_BAD_DATA;
		line->error = "the line is not valid UTF-8 text";
		return true;
	}
	const size_t tab = whole.find('\t');
	line->text.SetTo(whole.data(), (int32)std::min(tab, whole.size()));
	if (tab != std::string::npos) {
		line->name.SetTo(whole.data() + tab + 1, (int32)(whole.size() - tab - 1));
		if (!TOptionValue::IsSafeName(line->name.String())) {
			line->status = B_BAD_VALUE;
			// The name itself may hold anything; the message stays one plain line.
			line->error = "the name after the tab cannot be a file name in the output folder";
		}
	}
	return true;
}
