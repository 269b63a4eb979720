#include "TBasicFile.h"

#include <cstring>
#include <string>

namespace {

// Lines are read in chunks and the position is set back to just past the line feed, which
// gives the same result and position as reading byte by byte with a fraction of the calls.
const int32 kChunkSize = 256;

void drop_carriage_return(std::string& line)
{
	if (!line.empty() && line.back() == '\r')
		line.pop_back();
}

} // namespace

TBasicFile::TBasicFile() = default;

TBasicFile::TBasicFile(const entry_ref* ref, uint32 openMode) : BFile(ref, openMode) {}

TBasicFile::TBasicFile(const BEntry* entry, uint32 openMode) : BFile(entry, openMode) {}

TBasicFile::TBasicFile(const char* path, uint32 openMode) : BFile(path, openMode) {}

TBasicFile::TBasicFile(const BDirectory* dir, const char* path, uint32 openMode)
    : BFile(dir, path, openMode)
{
}

TBasicFile::TBasicFile(const BFile& file) : BFile(file) {}

TBasicFile::~TBasicFile() = default;

bool TBasicFile::Eof() const
{
	if (mReadError != B_OK)
		return true;
	off_t size;
	if (GetSize(&size) != B_OK)
		return true;
	const off_t position = Position();
	return position < 0 || (int64)position >= (int64)size;
}

int32 TBasicFile::_ReadLine(std::string& buffer, int32 limit)
{
	buffer.clear();
	char chunk[kChunkSize];
	while ((int32)buffer.size() < limit && !Eof()) {
		off_t size = 0;
		const status_t sizeStatus = GetSize(&size);
		if (sizeStatus != B_OK) {
			mReadError = sizeStatus;
			break;
		}
		const off_t position = Position();
		// Never past the size as reported, exactly as a byte-wise reader checking Eof()
		// before each byte would stop.
		int64 want = limit - (int64)buffer.size();
		if (want > kChunkSize)
			want = kChunkSize;
		if (want > size - position)
			want = size - position;
		// A file cut short by someone else since Eof() looked has simply ended here; the
		// difference must not reach Read as a huge unsigned count for the chunk.
		if (want <= 0)
			break;
		const ssize_t got = Read(chunk, (size_t)want);
		if (got <= 0) {
			// Nothing to read before the reported end is a failure as well; without it a
			// caller would find Eof() false and read again forever.
			mReadError = got < 0 ? (status_t)got : B_IO_ERROR;
			break;
		}
		const void* feed = memchr(chunk, '\n', (size_t)got);
		if (feed == nullptr) {
			buffer.append(chunk, (size_t)got);
			continue;
		}
		const size_t kept = (size_t)((const char*)feed - chunk);
		buffer.append(chunk, kept);
		const off_t next = position + (off_t)kept + 1;
		if (Seek(next, SEEK_SET) != next)
			mReadError = B_IO_ERROR;
		break;
	}
	drop_carriage_return(buffer);
	return (int32)buffer.size();
}

int32 TBasicFile::ReadLine(BString& line)
{
	std::string buffer;
	const int32 length = _ReadLine(buffer, INT32_MAX);
	line = BString(buffer);
	return length;
}

int32 TBasicFile::ReadLine(char* buffer, int32 size)
{
	if (buffer == nullptr || size < 1)
		return B_BAD_VALUE;
	std::string line;
	const int32 length = _ReadLine(line, size - 1);
	memcpy(buffer, line.data(), (size_t)length);
	buffer[length] = '\0';
	return length;
}

ssize_t TBasicFile::_WriteLine(const char* bytes, size_t length)
{
	if (length > 0) {
		const ssize_t written = Write(bytes, length);
		if (written < 0)
			return written;
		if ((size_t)written != length)
			return B_IO_ERROR;
	}
	const ssize_t feed = Write("\n", 1);
	if (feed < 0)
		return feed;
	if (feed != 1)
		return B_IO_ERROR;
	return (ssize_t)length + 1;
}

ssize_t TBasicFile::WriteLine(const BString& line)
{
	return _WriteLine(line.String(), (size_t)line.Length());
}

ssize_t TBasicFile::WriteLine(const char* text)
{
	return _WriteLine(text == nullptr ? "" : text, text == nullptr ? 0 : strlen(text));
}
