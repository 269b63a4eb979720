// TLampGrid is a read-only view of lamp states: a block of cells, one per lamp, of which the
// first byte is non-zero for a lit lamp. The display view's lamp matrix (four bytes a lamp)
// and a board's frame (one byte a lamp) are both seen through it, so one renderer draws both.
#ifndef T_LAMP_GRID_H
#define T_LAMP_GRID_H

#include <SupportDefs.h>

struct TLampGrid {
	const uint8* cells = nullptr;
	int32 bytesPerRow = 0;
	int32 bytesPerLamp = 1;
	int32 columns = 0;
	int32 rows = 0;

	TLampGrid() = default;
	TLampGrid(const uint8* c, int32 bpr, int32 bpl, int32 w, int32 h)
	    : cells(c), bytesPerRow(bpr), bytesPerLamp(bpl), columns(w), rows(h)
	{
	}

	bool IsEmpty() const { return cells == nullptr || columns < 1 || rows < 1; }
	bool Lit(int32 x, int32 y) const
	{
		return cells[(size_t)y * bytesPerRow + (size_t)x * bytesPerLamp] != 0;
	}
	const uint8* Cell(int32 x, int32 y) const
	{
		return cells + (size_t)y * bytesPerRow + (size_t)x * bytesPerLamp;
	}
};

#endif
