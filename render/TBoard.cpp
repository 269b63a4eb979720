#include "TBoard.h"

#include <algorithm>
#include <cstring>

#include "TBoardProperty.h"
#include "TDisplayView.h"

TBoard::TBoard(const TLampGrid& matrix, const int32 margins[4], int32 textColumns, int32 columns)
    : mMatrix(matrix), mLeft(margins[0]), mTop(margins[1]), mBottom(margins[3]),
      mTextColumns(textColumns), mColumns(columns), mArea(0), mStatus(B_OK)
{
	const int64 area = (int64)columns - margins[0] - margins[2];
	if (matrix.IsEmpty() || textColumns < 0 || area < 1)
		mStatus = B_BAD_VALUE;
	else if ((int64)columns * matrix.rows > TDisplayView::kMaxLamps)
		mStatus = B_NO_MEMORY;
	else
		mArea = (int32)area;
}

int32 TBoard::AlignedOffset(int32 align) const
{
	const int64 spare = (int64)mArea - mTextColumns;
	switch (align) {
	case TBoardProperty::kAlignRight:
		return (int32)-spare;
	case TBoardProperty::kAlignCenter:
		// floor(spare / 2) columns before the text, also for negative spare.
		return (int32) - (spare >= 0 ? spare / 2 : -((-spare + 1) / 2));
	default:
		return 0;
	}
}

TLampGrid TBoard::Show(int32 offset)
{
	if (mStatus != B_OK)
		return TLampGrid();
	const int32 rows = mMatrix.rows;
	mCells.assign((size_t)mColumns * rows, 0);
	// The text area's columns that show text columns, and the first of those text columns.
	const int64 first = std::max<int64>(0, -(int64)offset);
	const int64 end = std::min<int64>(mArea, (int64)mTextColumns - offset);
	for (int32 y = mTop; y < rows - mBottom; y++) {
		uint8* row = mCells.data() + (size_t)y * mColumns + mLeft;
		for (int64 a = first; a < end; a++)
			row[a] = mMatrix.Lit((int32)(a + offset + mLeft), y) ? 1 : 0;
	}
	return TLampGrid(mCells.data(), mColumns, 1, mColumns, rows);
}
