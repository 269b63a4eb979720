// TBoard is a board of a fixed number of lamp columns on which the sign's text is placed: the
// board keeps the sign's margins (unlit lamps at its sides, top and bottom), and its text area
// between the side margins shows a window of the text's lamp columns. An offset names that
// window: text area column a shows text column a + offset, and columns outside the text are
// unlit. So a negative offset moves the text to the right, and scrolling is counting the
// offset up.
#ifndef T_BOARD_H
#define T_BOARD_H

#include <vector>

#include "TLampGrid.h"

class TBoard {
public:
	// `matrix` is the sign's lamp matrix with `margins` (left, top, right, bottom) around
	// `textColumns` text columns. The board is `columns` lamps wide.
	TBoard(const TLampGrid& matrix, const int32 margins[4], int32 textColumns, int32 columns);

	// B_BAD_VALUE when the board leaves no text column between its margins, B_NO_MEMORY when
	// it would have more lamps than a lamp matrix may.
	status_t InitCheck() const { return mStatus; }

	int32 Columns() const { return mColumns; }
	int32 Rows() const { return mMatrix.rows; }
	int32 TextColumns() const { return mTextColumns; }
	// The width of the text area between the side margins.
	int32 AreaColumns() const { return mArea; }

	// The offset that places the text left, centred or right in the text area (the
	// alignment values of TBoardProperty). Text wider than the area is clipped on the other
	// side; centred text puts an odd spare column to the right.
	int32 AlignedOffset(int32 align) const;

	// The board with the text at `offset`; valid until the next call.
	TLampGrid Show(int32 offset);

private:
	TLampGrid mMatrix;
	int32 mLeft;
	int32 mTop;
	int32 mBottom;
	int32 mTextColumns;
	int32 mColumns;
	int32 mArea;
	status_t mStatus;
	std::vector<uint8> mCells;
};

#endif
