// A file that is read and written line by line. A line ends at a line feed and loses one
// carriage return before it, so files with either line ending read alike; lines are written
// with a line feed alone.
//
// A read that fails ends the line as if the end of the file had been reached, and from then on
// Eof() answers true and ReadError() tells the failure, so a loop that reads while !Eof() ends
// instead of retrying a failing read forever, and its caller can tell a cut file from a whole
// one.
#ifndef T_BASIC_FILE_H
#define T_BASIC_FILE_H

#include <File.h>
#include <String.h>

class TBasicFile : public BFile {
public:
	TBasicFile();
	TBasicFile(const entry_ref* ref, uint32 openMode);
	TBasicFile(const BEntry* entry, uint32 openMode);
	TBasicFile(const char* path, uint32 openMode);
	TBasicFile(const BDirectory* dir, const char* path, uint32 openMode);
	TBasicFile(const BFile& file);
	~TBasicFile() override;

	// True when the position is at or past the file's size, when the size cannot be had, or
	// once a read has failed.
	virtual bool Eof() const;
	// B_OK, or the status of the read that failed.
	status_t ReadError() const { return mReadError; }

	// Fills line with the next line, without its line feed and one carriage return before
	// it. Returns the length of the line.
	int32 ReadLine(BString& line);
	// Stores at most size - 1 bytes of the next line and a terminating zero byte; the rest of
	// a longer line comes with the following calls. Returns the number of bytes kept, or
	// B_BAD_VALUE for a null buffer or a size below 1.
	int32 ReadLine(char* buffer, int32 size);

	// Writes the bytes and one line feed. Returns the number of bytes written, or the error
	// of whichever write failed.
	ssize_t WriteLine(const BString& line);
	ssize_t WriteLine(const char* text);

private:
	// Reads up to limit bytes of the current line into buffer (grown as needed), leaving the
	// position just past the line feed when one was met. Returns the number of bytes stored.
	int32 _ReadLine(std::string& buffer, int32 limit);
	ssize_t _WriteLine(const char* bytes, size_t length);

	status_t mReadError = B_OK;
};

#endif
