// The size check of TDisplayView's pictures and the lamps a picture shows: the lamp matrix
// or the fixed board.
#include "TDisplayView.h"

#include <algorithm>

#include <Bitmap.h>

#include <TProperty.h>

#include "TBoard.h"
#include "TBoardProperty.h"
#include "TLampRenderer.h"

status_t TDisplayView::CheckPictureSize(int64 columns, int64 rows, int64 ledSize, int64 ledGap)
{
	if (columns < 1 || rows < 1 || ledSize < 1 || ledGap < 0)
		return B_BAD_VALUE;
	if (columns > kMaxLamps || rows > kMaxLamps || columns * rows > kMaxLamps)
		return B_NO_MEMORY;
	// Bounding the lamp and the gap first keeps the products below far from overflowing.
	if (ledSize > kMaxPictureExtent || ledGap > kMaxPictureExtent)
		return B_BUFFER_OVERFLOW;
	if (TLampRenderer::Extent(columns, ledSize, ledGap) > kMaxPictureExtent ||
	    TLampRenderer::Extent(rows, ledSize, ledGap) > kMaxPictureExtent)
		return B_BUFFER_OVERFLOW;
	return B_OK;
}

status_t TDisplayView::CheckUpdate(int32 ledSize, int32 ledGap) const
{
	return CheckPictureSize(std::max<int32>(_PictureColumns(), 1), std::max<int32>(Lamps().rows, 1),
	                        ledSize, ledGap);
}

bool TDisplayView::GetLampSize(int32* size, int32* gap) const
{
	if (CheckUpdate(gProperty.mLEDSize, gProperty.mLEDGap) == B_OK) {
		*size = gProperty.mLEDSize;
		*gap = gProperty.mLEDGap;
		return true;
	}
	*size = mAcceptedSize;
	*gap = mAcceptedGap;
	return CheckUpdate(mAcceptedSize, mAcceptedGap) == B_OK;
}

void TDisplayView::_AcceptLampSize()
{
	mAcceptedSize = gProperty.mLEDSize;
	mAcceptedGap = gProperty.mLEDGap;
}

TLampGrid TDisplayView::_PictureGrid(std::unique_ptr<TBoard>* board) const
{
	const TLampGrid matrix = Lamps();
	if (gBoardProperty.mBoardWidth <= 0 || gBoardProperty.Check() != B_OK || matrix.IsEmpty())
		return matrix;
	*board = std::make_unique<TBoard>(matrix, mMargins, mTextColumns, gBoardProperty.mBoardWidth);
	if ((*board)->InitCheck() != B_OK)
		return matrix;
	return (*board)->Show((*board)->AlignedOffset(gBoardProperty.mAlign));
}

int32 TDisplayView::_PictureColumns() const
{
	const TLampGrid matrix = Lamps();
	if (gBoardProperty.mBoardWidth <= 0 || gBoardProperty.Check() != B_OK || matrix.IsEmpty())
		return matrix.columns;
	const TBoard board(matrix, mMargins, mTextColumns, gBoardProperty.mBoardWidth);
	return board.InitCheck() == B_OK ? board.Columns() : matrix.columns;
}

TLampGrid TDisplayView::Lamps() const
{
	if (mOffScreen == nullptr || !mOffScreen->IsValid())
		return TLampGrid();
	const int32 columns = (int32)mOffScreen->Bounds().right + 1;
	const int32 rows = (int32)mOffScreen->Bounds().bottom + 1;
	const int32 bytesPerRow = mOffScreen->BytesPerRow();
	return TLampGrid((const uint8*)mOffScreen->Bits(), bytesPerRow, bytesPerRow / columns, columns,
	                 rows);
}
