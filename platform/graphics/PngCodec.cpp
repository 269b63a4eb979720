#include <PngCodec.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <csetjmp>
#include <cstring>
#include <unistd.h>

#include <png.h>

#include <DataIO.h>

namespace graphics {

namespace {

// libpng reports errors by calling this, which must not return; jumping back to the
// setjmp of the running job is the only way out. The message is dropped: the caller gets a
// status instead.
void on_error(png_structp png, png_const_charp)
{
	png_longjmp(png, 1);
}

void on_warning(png_structp, png_const_charp) {}

struct WriteContext {
	const PngSink* sink;
	status_t status;
};

void write_data(png_structp png, png_bytep data, png_size_t size)
{
	WriteContext* context = (WriteContext*)png_get_io_ptr(png);
	status_t status = (*context->sink)(data, size);
	if (status != B_OK) {
		context->status = status;
		png_error(png, "write failed");
	}
}

void flush_data(png_structp) {}

struct EncodeJob {
	png_structp png;
	png_infop info;
	const PixelBuffer* image;
	bool bgra;
	int32 compression;
	uint8* row;
};

// Plain data only from here to the end of the job: see the header.
int run_encoder(EncodeJob* job)
{
	if (setjmp(png_jmpbuf(job->png)))
		return 1;
	const PixelBuffer& image = *job->image;
	png_set_IHDR(job->png, job->info, (png_uint_32)image.width, (png_uint_32)image.height, 8,
	             PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
	             PNG_FILTER_TYPE_DEFAULT);
	png_set_compression_level(job->png, job->compression);
	png_write_info(job->png, job->info);
	for (int32 y = 0; y < image.height; y++) {
		const uint8* source = image.PixelAt(0, y);
		if (job->bgra) {
			for (int32 x = 0; x < image.width; x++) {
				job->row[4 * x + 0] = source[4 * x + 2];
				job->row[4 * x + 1] = source[4 * x + 1];
				job->row[4 * x + 2] = source[4 * x + 0];
				job->row[4 * x + 3] = source[4 * x + 3];
			}
		} else {
			std::memcpy(job->row, source, (size_t)image.width * 4);
		}
		png_write_row(job->png, job->row);
	}
	png_write_end(job->png, job->info);
	return 0;
}

struct ReadContext {
	const uint8* data;
	size_t size;
	size_t offset;
};

void read_data(png_structp png, png_bytep out, png_size_t size)
{
	ReadContext* context = (ReadContext*)png_get_io_ptr(png);
	if (size > context->size - context->offset)
		png_error(png, "truncated");
	std::memcpy(out, context->data + context->offset, size);
	context->offset += size;
}

struct DecodeJob {
	png_structp png;
	png_infop info;
	bool bgra;
	png_uint_32 width;
	png_uint_32 height;
	size_t rowBytes;
};

int run_header(DecodeJob* job)
{
	if (setjmp(png_jmpbuf(job->png)))
		return 1;
	png_structp png = job->png;
	png_infop info = job->info;
	png_read_info(png, info);
	int depth = 0, colorType = 0;
	png_get_IHDR(png, info, &job->width, &job->height, &depth, &colorType, nullptr, nullptr,
	             nullptr);
	// Every kind of PNG becomes 8-bit RGBA.
	if (colorType == PNG_COLOR_TYPE_PALETTE)
		png_set_palette_to_rgb(png);
	if (colorType == PNG_COLOR_TYPE_GRAY && depth < 8)
		png_set_expand_gray_1_2_4_to_8(png);
	if (png_get_valid(png, info, PNG_INFO_tRNS))
		png_set_tRNS_to_alpha(png);
	if (depth == 16)
		png_set_strip_16(png);
	if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
		png_set_gray_to_rgb(png);
	if (!(colorType & PNG_COLOR_MASK_ALPHA) && !png_get_valid(png, info, PNG_INFO_tRNS))
		png_set_filler(png, 0xff, PNG_FILLER_AFTER);
	if (job->bgra)
		png_set_bgr(png);
	png_set_interlace_handling(png);
	png_read_update_info(png, info);
	job->rowBytes = png_get_rowbytes(png, info);
	return 0;
}

int run_rows(DecodeJob* job, png_bytepp rows)
{
	if (setjmp(png_jmpbuf(job->png)))
		return 1;
	png_read_image(job->png, rows);
	png_read_end(job->png, nullptr);
	return 0;
}

status_t status_of_errno(int error)
{
	switch (error) {
	case ENOSPC:
		return B_DEVICE_FULL;
	case EACCES:
	case EPERM:
		return B_PERMISSION_DENIED;
	case EBADF:
		return B_FILE_ERROR;
	default:
		return B_IO_ERROR;
	}
}

} // namespace

bool PngCodec::HasSignature(const void* data, size_t size)
{
	return data != nullptr && size >= 8 && png_sig_cmp((png_const_bytep)data, 0, 8) == 0;
}

status_t PngCodec::EncodeToSink(const PixelBuffer& image, PixelLayout layout, const PngSink& sink,
                                int32 compression)
{
	// PNG rows are limited to 2^31 - 1 pixels; a buffer must also hold its rows.
	if (!image.IsValid() || !sink)
		return B_BAD_VALUE;
	if (compression < 0 || compression > 9)
		compression = kDefaultCompression;
	png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, on_error, on_warning);
	if (png == nullptr)
		return B_NO_MEMORY;
	png_infop info = png_create_info_struct(png);
	if (info == nullptr) {
		png_destroy_write_struct(&png, nullptr);
		return B_NO_MEMORY;
	}
	// libpng refuses to write images wider or taller than a million pixels unless told
	// otherwise; a long sign with large lamps is wider than that.
	png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
	WriteContext context{&sink, B_OK};
	png_set_write_fn(png, &context, write_data, flush_data);
	std::vector<uint8> row((size_t)image.width * 4);
	EncodeJob job{png, info, &image, layout == PixelLayout::Bgra, compression, row.data()};
	int failed = run_encoder(&job);
	png_destroy_write_struct(&png, &info);
	if (failed)
		return context.status != B_OK ? context.status : B_ERROR;
	return B_OK;
}

status_t PngCodec::EncodeToBuffer(const PixelBuffer& image, PixelLayout layout,
                                  std::vector<uint8>* out, int32 compression)
{
	if (out == nullptr)
		return B_BAD_VALUE;
	out->clear();
	return EncodeToSink(
	    image, layout,
	    [out](const void* data, size_t size) {
		    const uint8* bytes = (const uint8*)data;
		    out->insert(out->end(), bytes, bytes + size);
		    return (status_t)B_OK;
	    },
	    compression);
}

status_t PngCodec::EncodeToStream(const PixelBuffer& image, PixelLayout layout, BDataIO* out,
                                  int32 compression)
{
	if (out == nullptr)
		return B_BAD_VALUE;
	return EncodeToSink(
	    image, layout,
	    [out](const void* data, size_t size) { return out->WriteExactly(data, size); },
	    compression);
}

status_t PngCodec::EncodeToFd(const PixelBuffer& image, PixelLayout layout, int fd,
                              int32 compression)
{
	if (fd < 0)
		return B_FILE_ERROR;
	return EncodeToSink(
	    image, layout,
	    [fd](const void* data, size_t size) {
		    const uint8* bytes = (const uint8*)data;
		    while (size > 0) {
			    ssize_t written = ::write(fd, bytes, size);
			    if (written < 0) {
				    if (errno == EINTR)
					    continue;
				    return status_of_errno(errno);
			    }
			    if (written == 0)
				    return (status_t)B_IO_ERROR;
			    bytes += written;
			    size -= (size_t)written;
		    }
		    return (status_t)B_OK;
	    },
	    compression);
}

status_t PngCodec::Decode(const void* data, size_t size, PixelLayout layout, PngImage* out,
                          int64 maxPixels)
{
	if (out == nullptr)
		return B_BAD_VALUE;
	*out = PngImage();
	if (!HasSignature(data, size))
		return B_BAD_DATA;
	png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, on_error, on_warning);
	if (png == nullptr)
		return B_NO_MEMORY;
	png_infop info = png_create_info_struct(png);
	if (info == nullptr) {
		png_destroy_read_struct(&png, nullptr, nullptr);
		return B_NO_MEMORY;
	}
	// Text and profile chunks are capped as well, against files that inflate to gigabytes.
	png_set_chunk_malloc_max(png, 8 << 20);
	png_set_user_limits(png, 1 << 24, 1 << 24);
	ReadContext context{(const uint8*)data, size, 0};
	png_set_read_fn(png, &context, read_data);

	DecodeJob job{png, info, layout == PixelLayout::Bgra, 0, 0, 0};
	status_t status = B_OK;
	if (run_header(&job) != 0) {
		status = B_BAD_DATA;
	} else if ((int64)job.width * job.height > maxPixels) {
		status = B_NO_MEMORY;
	} else if (job.rowBytes != (size_t)job.width * 4) {
		status = B_BAD_DATA;
	} else {
		out->pixels.resize(job.rowBytes * job.height);
		std::vector<png_bytep> rows(job.height);
		for (png_uint_32 y = 0; y < job.height; y++)
			rows[y] = out->pixels.data() + (size_t)y * job.rowBytes;
		if (run_rows(&job, rows.data()) != 0)
			status = B_BAD_DATA;
	}
	png_destroy_read_struct(&png, &info, nullptr);
	if (status != B_OK) {
		*out = PngImage();
		return status;
	}
	out->width = (int32)job.width;
	out->height = (int32)job.height;
	return B_OK;
}

status_t PngCodec::DecodeStream(BDataIO* in, PixelLayout layout, PngImage* out, int64 maxPixels)
{
	if (in == nullptr || out == nullptr)
		return B_BAD_VALUE;
	// Compressed data is never larger than this for an image within the pixel limit (zlib
	// expands incompressible data by well under one per cent), so a stream that goes on
	// beyond it cannot be an acceptable image.
	const size_t limit = maxPixels < (int64(1) << 40)
	                         ? (size_t)std::max<int64>(maxPixels, 0) * 5 + (1 << 20)
	                         : SIZE_MAX;
	std::vector<uint8> data;
	uint8 chunk[64 * 1024];
	while (true) {
		ssize_t got = in->Read(chunk, sizeof(chunk));
		if (got < 0)
			return (status_t)got;
		if (got == 0)
			break;
		if (data.size() + (size_t)got > limit)
			return B_NO_MEMORY;
		data.insert(data.end(), chunk, chunk + got);
	}
	return Decode(data.data(), data.size(), layout, out, maxPixels);
}

} // namespace graphics
