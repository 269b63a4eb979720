#include "TBoardExport.h"

#include <memory>
#include <strings.h>
#include <cstring>
#include <vector>

#include <AtomicFile.h>

#include <IntRect.h>

#include "TBoard.h"
#include "TBoardAnimation.h"
#include "TBoardProperty.h"
#include "TDisplayView.h"
#include "TGifWriter.h"
#include "TLampRenderer.h"
#include "TProperty.h"
#include "TWebPWriter.h"

bool TBoardExport::FormatForName(const char* name, Format* format)
{
	const char* dot = name != nullptr ? strrchr(name, '.') : nullptr;
	if (dot == nullptr)
		return false;
	if (strcasecmp(dot, ".gif") == 0)
		*format = kGif;
	else if (strcasecmp(dot, ".webp") == 0)
		*format = kWebP;
	else
		return false;
	return true;
}

status_t TBoardExport::Encode(const TDisplayView& view, const TBoardProperty& property,
                              TAnimationWriter* writer, BDataIO* output)
{
	if (property.Check() != B_OK)
		return B_BAD_VALUE;
	const TLampGrid matrix = view.Lamps();
	if (matrix.IsEmpty())
		return B_NO_INIT;
	const int32 columns = property.mBoardWidth > 0 ? property.mBoardWidth : matrix.columns;
	TBoard board(matrix, view.MatrixMargins(), view.TextColumns(), columns);
	if (board.InitCheck() != B_OK)
		return board.InitCheck();
	std::vector<TAnimationFrame> frames;
	status_t status = TBoardAnimation::Plan(property, board, &frames);
	if (status != B_OK)
		return status;

	int32 size, gap;
	if (!view.GetLampSize(&size, &gap))
		return B_BAD_VALUE;
	status = TDisplayView::CheckPictureSize(board.Columns(), board.Rows(), size, gap);
	if (status != B_OK)
		return status;
	const int64 width = TLampRenderer::Extent(board.Columns(), size, gap);
	const int64 height = TLampRenderer::Extent(board.Rows(), size, gap);
	if (width > writer->MaxSide() || height > writer->MaxSide())
		return B_BUFFER_OVERFLOW;
	if (width * height * 4 > TDisplayView::kMaxPictureBytes)
		return B_NO_MEMORY;

	TLampLook look = property.mLook;
	const TLampRenderer renderer(size, gap, gProperty.mColors, look);
	std::vector<uint8> pixels((size_t)(width * height * 4));
	const graphics::IntRect area(0, 0, (int32)width - 1, (int32)height - 1);
	const int32 bytesPerRow = (int32)width * 4;
	auto render = [&](const TAnimationFrame& frame) {
		renderer.Render(board.Show(frame.offset), area, pixels.data(), bytesPerRow);
	};
	if (writer->NeedsColorPass()) {
		for (const TAnimationFrame& frame : frames) {
			render(frame);
			writer->SeeColors(pixels.data(), (int32)width, (int32)height, bytesPerRow);
		}
	}
	status = writer->Begin(output, (int32)width, (int32)height, property.mLoopCount);
	for (size_t i = 0; status == B_OK && i < frames.size(); i++) {
		render(frames[i]);
		status = writer->AddFrame(pixels.data(), bytesPerRow, frames[i]);
	}
	const status_t finished = writer->Finish();
	return status != B_OK ? status : finished;
}

status_t TBoardExport::Write(const TDisplayView& view, const TBoardProperty& property,
                             Format format, const char* path)
{
	BAtomicFile file(path);
	status_t status = file.InitCheck();
	if (status != B_OK)
		return status;
	std::unique_ptr<TAnimationWriter> writer;
	if (format == kGif)
		writer = std::make_unique<TGifWriter>();
	else
		writer = std::make_unique<TWebPWriter>();
	status = Encode(view, property, writer.get(), &file);
	if (status != B_OK)
		return status;
	return file.Commit();
}
