#include "TBoardAnimation.h"

#include <cmath>

#include "TBoard.h"
#include "TBoardProperty.h"

namespace {

void append(std::vector<TAnimationFrame>* frames, int32 offset, double start, double end)
{
	if (!frames->empty() && frames->back().offset == offset)
		frames->back().end = end;
	else
		frames->push_back(TAnimationFrame{offset, start, end});
}

} // namespace

status_t TBoardAnimation::Plan(const TBoardProperty& property, const TBoard& board,
                               std::vector<TAnimationFrame>* frames)
{
	status_t status = _Plan(property, board, frames);
	// Times are kept in whole milliseconds by some formats; a day is far beyond any sign.
	if (status == B_OK && !frames->empty() && frames->back().end > kMaxSeconds)
		status = B_NO_MEMORY;
	if (status != B_OK)
		frames->clear();
	return status;
}

status_t TBoardAnimation::_Plan(const TBoardProperty& property, const TBoard& board,
                                std::vector<TAnimationFrame>* frames)
{
	frames->clear();
	if (property.Check() != B_OK || board.InitCheck() != B_OK)
		return B_BAD_VALUE;
	const double holdStart = property.mHoldStart / 1000.0;
	const double holdEnd = property.mHoldEnd / 1000.0;
	const int64 area = board.AreaColumns();
	const int64 text = board.TextColumns();

	if (property.mMotion == TBoardProperty::kStill) {
		const double length = std::max(1.0, holdStart + holdEnd);
		frames->push_back(TAnimationFrame{board.AlignedOffset(property.mAlign), 0, length});
		return B_OK;
	}

	if (property.mMotion == TBoardProperty::kPage) {
		// Text that fits the area is one page, placed as aligned; longer text is cut into
		// pages of the area's width from its start.
		const int64 pages = text <= area ? 1 : (text + area - 1) / area;
		if (pages > kMaxFrames)
			return B_NO_MEMORY;
		const double page = (double)area / property.mSpeed;
		double time = 0;
		for (int64 i = 0; i < pages; i++) {
			const int32 offset =
			    pages == 1 ? board.AlignedOffset(property.mAlign) : (int32)(i * area);
			const double length = page + (i == 0 ? holdStart : 0) + (i == pages - 1 ? holdEnd : 0);
			frames->push_back(TAnimationFrame{offset, time, time + length});
			time += length;
		}
		return B_OK;
	}

	// Positions 0 to area + text: at 0 the text's first column is just beyond the right
	// edge, at the end its last column has just left at the left edge.
	const int64 distance = area + text;
	const double fps = property.mFramesPerSecond;
	const double perFrame = property.mSpeed / fps;
	// Speeds are floats: a position a ten-thousandth of a lamp short of a whole column counts
	// as reached, so that 10/3 lamps a second at 10 frames a second moves every third frame.
	constexpr double kTolerance = 1e-4;
	constexpr int64 kMaxSteps = kMaxFrames * 64;
	for (int64 k = 0;; k++) {
		if (k >= kMaxSteps)
			return B_NO_MEMORY;
		const int64 position =
		    std::min<int64>(distance, (int64)std::floor(k * perFrame + kTolerance));
		const bool last = position == distance;
		const double start = k / fps + (k > 0 ? holdStart : 0);
		const double end = (k + 1) / fps + holdStart + (last ? holdEnd : 0);
		append(frames, (int32)(position - area), start, end);
		if ((int64)frames->size() > kMaxFrames)
			return B_NO_MEMORY;
		if (last)
			return B_OK;
	}
}

std::vector<int32> TBoardAnimation::Hundredths(const std::vector<TAnimationFrame>& frames)
{
	std::vector<int32> delays;
	int64 previous = 0;
	for (const TAnimationFrame& frame : frames) {
		const int64 end = std::llround(frame.end * 100.0);
		delays.push_back((int32)(end - previous));
		previous = end;
	}
	return delays;
}
