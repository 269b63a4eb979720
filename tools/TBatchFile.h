// TBatchFile reads the lines of a batch file for glowplate-render: each line is a sign's text,
// optionally followed by a tab and the name of the file to write it to. Lines are read with a
// bounded buffer, so a huge line costs no more memory than a long one; lines that are too
// long or not valid UTF-8 come back with an error for that line alone.
#ifndef T_BATCH_FILE_H
#define T_BATCH_FILE_H

#include <cstdio>

#include <String.h>

class TBatchFile {
public:
	// Longer lines are refused; no sign text needs more.
	static constexpr int32 kMaxLineBytes = 4096;

	struct Line {
		int32 number = 0; // from 1
		BString text;
		BString name; // empty when the line names no file
		// B_OK, or why the line cannot be rendered (described in `error`).
		status_t status = B_OK;
		BString error;
	};

	explicit TBatchFile(const char* path);
	~TBatchFile();

	// B_OK, or why the file cannot be read.
	status_t InitCheck() const { return mStatus; }
	// The number of lines, counted when the file was opened.
	int32 CountLines() const { return mLineCount; }
	// The next line; false at the end of the file.
	bool Next(Line* line);

private:
	FILE* mFile;
	status_t mStatus;
	int32 mLineCount;
	int32 mNumber;
};

#endif
