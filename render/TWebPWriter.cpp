#include "TWebPWriter.h"

#include <cmath>

#include <webp/encode.h>
#include <webp/mux.h>

#include <DataIO.h>

TWebPWriter::TWebPWriter() : mEncoder(nullptr), mOutput(nullptr), mWidth(0), mHeight(0), mEnd(0) {}

TWebPWriter::~TWebPWriter()
{
	if (mEncoder != nullptr)
		WebPAnimEncoderDelete(mEncoder);
}

status_t TWebPWriter::Begin(BDataIO* output, int32 width, int32 height, int32 loopCount)
{
	if (output == nullptr || width < 1 || height < 1 || width > MaxSide() || height > MaxSide())
		return B_BAD_VALUE;
	WebPAnimEncoderOptions options;
	if (!WebPAnimEncoderOptionsInit(&options))
		return B_ERROR;
	options.anim_params.loop_count = loopCount;
	// Every frame is lossless; mixing in lossy frames would change the pictures.
	options.allow_mixed = 0;
	mEncoder = WebPAnimEncoderNew(width, height, &options);
	if (mEncoder == nullptr)
		return B_NO_MEMORY;
	mOutput = output;
	mWidth = width;
	mHeight = height;
	return B_OK;
}

status_t TWebPWriter::AddFrame(const uint8* bits, int32 bytesPerRow, const TAnimationFrame& frame)
{
	if (mEncoder == nullptr)
		return B_NO_INIT;
	WebPConfig config;
	if (!WebPConfigInit(&config))
		return B_ERROR;
	config.lossless = 1;
	config.exact = 1;
	// Signs are large areas of few colours, which the fastest lossless method already packs
	// well.
	config.method = 0;
	config.quality = 25;
	WebPPicture picture;
	if (!WebPPictureInit(&picture))
		return B_ERROR;
	picture.use_argb = 1;
	picture.width = mWidth;
	picture.height = mHeight;
	// The platform's layout is blue, green, red, alpha in memory.
	if (!WebPPictureImportBGRA(&picture, bits, bytesPerRow)) {
		WebPPictureFree(&picture);
		return B_NO_MEMORY;
	}
	const int64 start = std::llround(frame.start * 1000.0);
	const bool added = WebPAnimEncoderAdd(mEncoder, &picture, (int)start, &config);
	WebPPictureFree(&picture);
	mEnd = std::llround(frame.end * 1000.0);
	return added ? B_OK : B_ERROR;
}

status_t TWebPWriter::Finish()
{
	if (mEncoder == nullptr)
		return B_NO_INIT;
	WebPData data;
	WebPDataInit(&data);
	status_t status = B_OK;
	// A last call without a picture tells the encoder when the last frame ends.
	if (!WebPAnimEncoderAdd(mEncoder, nullptr, (int)mEnd, nullptr) ||
	    !WebPAnimEncoderAssemble(mEncoder, &data))
		status = B_ERROR;
	if (status == B_OK) {
		const ssize_t written = mOutput->Write(data.bytes, data.size);
		if (written != (ssize_t)data.size)
			status = written < 0 ? (status_t)written : B_IO_ERROR;
	}
	WebPDataClear(&data);
	WebPAnimEncoderDelete(mEncoder);
	mEncoder = nullptr;
	return status;
}
