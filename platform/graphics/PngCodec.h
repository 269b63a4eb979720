// Reads and writes PNG images (8 bits per channel, red, green, blue and alpha) with libpng.
// Errors come back as status codes: libpng's own error path is confined to small C-style
// functions that hold nothing needing destruction, so its long jump never skips a C++
// destructor.
#ifndef _PNG_CODEC_H
#define _PNG_CODEC_H

#include <functional>
#include <vector>

#include <GraphicsTypes.h>
#include <PixelBuffer.h>

class BDataIO;

namespace graphics {

// A decoded image: `width` x `height` pixels of four bytes, rows packed without padding.
struct PngImage {
	int32 width = 0;
	int32 height = 0;
	std::vector<uint8> pixels;
};

// Receives encoded bytes; any status other than B_OK stops the encoding with that status.
typedef std::function<status_t(const void* data, size_t size)> PngSink;

class PngCodec {
public:
	// Decoding refuses images of more pixels than this unless told otherwise (256 MiB once
	// decoded), so a crafted file cannot make the reader exhaust memory.
	static constexpr int64 kDefaultMaxPixels = int64(1) << 26;
	// zlib's level 6, a good trade of size against time for large flat areas.
	static constexpr int32 kDefaultCompression = 6;

	// `layout` says how the source's bytes are ordered; the file always holds RGBA.
	static status_t EncodeToSink(const PixelBuffer& image, PixelLayout layout, const PngSink& sink,
	                             int32 compression = kDefaultCompression);
	static status_t EncodeToBuffer(const PixelBuffer& image, PixelLayout layout,
	                               std::vector<uint8>* out,
	                               int32 compression = kDefaultCompression);
	static status_t EncodeToStream(const PixelBuffer& image, PixelLayout layout, BDataIO* out,
	                               int32 compression = kDefaultCompression);
	// Writes to an open file descriptor, which stays open.
	static status_t EncodeToFd(const PixelBuffer& image, PixelLayout layout, int fd,
	                           int32 compression = kDefaultCompression);

	// Decodes a whole PNG file in memory into `layout` order. B_BAD_DATA for anything that
	// is not an intact PNG file, B_NO_MEMORY when it is larger than `maxPixels`.
	static status_t Decode(const void* data, size_t size, PixelLayout layout, PngImage* out,
	                       int64 maxPixels = kDefaultMaxPixels);
	// Reads the stream to its end, then decodes.
	static status_t DecodeStream(BDataIO* in, PixelLayout layout, PngImage* out,
	                             int64 maxPixels = kDefaultMaxPixels);

	static bool HasSignature(const void* data, size_t size);
};

} // namespace graphics

#endif
