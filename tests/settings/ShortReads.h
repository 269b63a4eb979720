// Network and user-space file systems may hand a file over in pieces smaller than asked for.
// While a ShortReads object lives, every read and pread of the thread that made it returns at
// most `limit` bytes, so tests can show that a reader goes on until it has everything.
#ifndef SHORT_READS_H
#define SHORT_READS_H

#include <cstddef>

class ShortReads {
public:
	explicit ShortReads(size_t limit);
	~ShortReads();

	ShortReads(const ShortReads&) = delete;
	ShortReads& operator=(const ShortReads&) = delete;

	// How many reads of this thread were cut short so far, so that a test can tell that the
	// reads it meant to cut really went through here.
	static size_t Shortened();
};

#endif
