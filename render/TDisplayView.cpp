// Rasterising, sampling and drawing of the LED picture. The export lives in
// TDisplayViewExport.cpp.
#include "TDisplayView.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>

#include <Bitmap.h>
#include <Font.h>
#include <FontFace.h>
#include <Message.h>
#include <Messenger.h>

#include <TProperty.h>
#include <TUTF8Utils.h>

#include "TBoard.h"
#include "TBoardProperty.h"
#include "TLampRenderer.h"

namespace {

const rgb_color COLOR_BLACK = {0, 0, 0, 255};
const rgb_color COLOR_WHITE = {255, 255, 255, 255};

// A source column or row as the sampling rules define it: the product is formed in double
// precision from the index and the 32-bit scale and truncated toward zero.
inline int32 sample_at(double index, float scale)
{
	return (int32)(index * (double)scale);
}

// The pixel column at which the painter puts a glyph whose pen lies at `pen`: the nearest
// whole pixel, halves to the right.
inline int32 snap_pen(float pen)
{
	return (int32)std::floor((double)pen + 0.5);
}

} // namespace

// The sample positions of every text row and column, computed once per sampling: the lamp's
// own sample point, the point half a lamp further on and the next lamp's sample point.
struct TDisplayView::SampleGrid {
	int32 columns;
	int32 rows;
	bool correctRows;
	std::vector<int32> row;
	std::vector<int32> rowHalf;
	std::vector<int32> rowNext;
	std::vector<int32> column;
	std::vector<int32> columnHalf;
	std::vector<int32> columnNext;

	SampleGrid(int32 textColumns, int32 textRows, float scale, bool correct)
	    : columns(textColumns), rows(textRows), correctRows(correct)
	{
		Fill(rows, scale, &row, &rowHalf, &rowNext);
		Fill(columns, scale, &column, &columnHalf, &columnNext);
	}

	static void Fill(int32 count, float scale, std::vector<int32>* at, std::vector<int32>* half,
	                 std::vector<int32>* next)
	{
		at->resize(count);
		half->resize(count);
		next->resize(count);
		for (int32 i = 0; i < count; i++) {
			(*at)[i] = sample_at(i, scale);
			(*half)[i] = (int32)((double)i * scale + 0.5 * scale);
			(*next)[i] = sample_at(i + 1, scale);
		}
	}
};

TDisplayView::TDisplayView(BRect frame, BView* target)
    : BView(frame, "DisplayView", B_FOLLOW_NONE, B_WILL_DRAW | B_FRAME_EVENTS),
      mFreehandProtect(false), mScale(0), mOffScreen(nullptr), mSrcScreen(nullptr),
      mOffScreenView(nullptr), mTarget(target), mSrcScreenView(nullptr), mTextColumns(0),
      mStripFirstColumn(0), mStripEndColumn(0), mSrcLeft(0), mStripCount(0),
      mStripWidth(kDefaultStripWidth), mAscent(0), mAcceptedSize(2), mAcceptedGap(1)
{
	std::fill(mMargins, mMargins + 4, 0);
	ClearFreehandProtect();
	// A fresh view already holds a valid, all-dark picture of the current parameters.
	CreateSourceScreen(" ");
}

TDisplayView::~TDisplayView()
{
	// Each bitmap deletes the view attached to it.
	delete mOffScreen;
	delete mSrcScreen;
}

status_t TDisplayView::SetText(const char* text)
{
	if (mFreehandProtect)
		return B_NOT_ALLOWED;
	if (text == nullptr || text[0] == '\0')
		return B_OK;
	status_t status = CreateSourceScreen(text);
	if (status != B_OK)
		return status;
	ResizeToPreferred();
	Invalidate();
	return B_OK;
}

status_t TDisplayView::ApplySourceFont(BFont* font)
{
	assert(font != nullptr);
	status_t status =
	    font->SetFamilyAndStyle(gProperty.mFontFamily.String(), gProperty.mFontStyle.String());
	// A face of fixed pixel size is rasterised at its own size: on a board as tall as it
	// each lamp then shows one of the font's dots.
	const graphics::FontFace* face = font->EngineFace();
	if (face != nullptr && face->PixelSize() > 0)
		font->SetSize((float)face->PixelSize());
	else
		font->SetSize(gProperty.mSrcScreenFontSize);
	// Every source pixel is either ink or background.
	font->SetFlags(font->Flags() | B_DISABLE_ANTIALIASING);
	return status;
}

status_t TDisplayView::CreateSourceScreen(const char* text)
{
	if (text == nullptr)
		return B_BAD_VALUE;
	const int32 rows = gProperty.mResolutionY;
	// The parameters are checked before anything is measured or drawn.
	int64 matrixColumns, matrixRows;
	status_t status = _MatrixSize(0, &matrixColumns, &matrixRows);
	if (status != B_OK && status != B_BAD_INDEX)
		return status;

	// A fresh font is the plain font, which is also what a new view starts with.
	BFont font;
	ApplySourceFont(&font);
	font_height metrics;
	font.GetHeight(&metrics);
	const float height = metrics.ascent + metrics.descent;
	const float width = font.StringWidth(text);
	if (!std::isfinite(height) || !(height >= 1.0f) || !std::isfinite(width) || !(width >= 0.0f))
		return B_BAD_VALUE;
	// Source columns are int32 everywhere; a text this wide has far too many lamps anyway.
	if (width >= (float)(1 << 30))
		return B_NO_MEMORY;

	const float scale = height / (float)rows;
	const float columnsExact = width / scale;
	if (!(columnsExact < (float)kMaxLamps))
		return B_NO_MEMORY;
	int32 columns = (int32)columnsExact;
	status = _MatrixSize(columns, &matrixColumns, &matrixRows);
	if (status == B_BAD_INDEX) {
		// A text narrower than one lamp without side margins would leave a matrix without
		// columns and a picture of negative width; it gets one lamp column instead, which
		// shows whatever ink lies at the text's left edge.
		columns = 1;
		status = _MatrixSize(columns, &matrixColumns, &matrixRows);
	}
	if (status != B_OK)
		return status;
	// A picture that could not be drawn is refused before anything changes.
	status = CheckPictureSize(matrixColumns, matrixRows, gProperty.mLEDSize, gProperty.mLEDGap);
	if (status != B_OK)
		return status;

	// The source screen in the undivided case covers (0, 0) to (width, height), which the
	// bitmap rounds to whole pixels; the sampling never reads beyond width minus one lamp.
	const BRect whole(0, 0, width, height);
	const int64 wholeColumns = (int64)std::floor(width + 0.5) + 1;
	const int64 pixelRows = (int64)std::floor(height + 0.5) + 1;
	// A strip must hold a lamp and its neighbour's sample column.
	const int64 minStrip = (int64)std::ceil(scale) + 2;
	int64 stripColumns = std::max<int64>(mStripWidth, minStrip);
	if (stripColumns * pixelRows * 4 > kMaxStripBytes)
		stripColumns = kMaxStripBytes / (pixelRows * 4);
	if (stripColumns < minStrip && stripColumns < wholeColumns)
		return B_NO_MEMORY;
	const bool undivided = wholeColumns <= stripColumns;
	const BRect bounds = undivided ? whole : BRect(0, 0, (float)(stripColumns - 1), height);

	BBitmap* screen = mSrcScreen;
	BView* screenView = mSrcScreenView;
	status = _PrepareSourceScreen(bounds, &screen, &screenView);
	if (status != B_OK)
		return status;
	status = CreateOffScreen(columns);
	if (status != B_OK) {
		if (screen != mSrcScreen)
			delete screen;
		return status;
	}
	if (screen != mSrcScreen) {
		delete mSrcScreen;
		mSrcScreen = screen;
		mSrcScreenView = screenView;
	}
	if (mSrcScreenView->LockLooper()) {
		mScale = scale;
		mSrcScreenView->SetFont(&font, B_FONT_ALL);
		mSrcScreenView->UnlockLooper();
	}
	mAscent = metrics.ascent;
	mTextColumns = columns;
	_AcceptLampSize();

	_LayOut(text, font);
	SampleGrid grid(columns, rows, mScale, gProperty.mCorrectHoarse);
	_ClearOffScreen();
	if (undivided) {
		_RasteriseStrip(text, 0, (int32)wholeColumns - 1);
		_SampleStrip(0, columns, grid);
		mStripCount = 1;
		return B_OK;
	}

	// Strip k holds the lamp columns [k * perStrip, (k + 1) * perStrip) and every source
	// column they read: from the first lamp's sample column to the sample column of the
	// lamp after the last, which the column correction of the last lamp looks at.
	const int32 perStrip = std::max<int32>(1, (int32)((double)(stripColumns - 2) / scale));
	const int32 lastSourceColumn = (int32)wholeColumns - 1;
	mStripCount = 0;
	for (int32 first = 0; first < columns; first += perStrip) {
		const int32 end = (int32)std::min<int64>((int64)first + perStrip, columns);
		const int32 left = sample_at(first, mScale);
		int32 right = std::min(sample_at(end, mScale), lastSourceColumn);
		right = std::min<int32>(right, left + (int32)stripColumns - 1);
		_RasteriseStrip(text, left, right);
		_SampleStrip(first, end, grid);
		mStripCount++;
	}
	return B_OK;
}

void TDisplayView::CalcScale()
{
	if (mSrcScreenView == nullptr || gProperty.mResolutionY < 1)
		return;
	if (mSrcScreenView->LockLooper()) {
		mScale = mSrcScreenView->Bounds().bottom / (float)gProperty.mResolutionY;
		mSrcScreenView->UnlockLooper();
	}
}

void TDisplayView::ClearFreehandProtect()
{
	mFreehandProtect = false;
}

status_t TDisplayView::SendFreehandProtectChanged()
{
	if (mTarget == nullptr)
		return B_BAD_HANDLER;
	BMessage message(MSG_FREEHAND_PROTECT_CHANGED);
	message.AddBool("FreehandProtect", mFreehandProtect);
	return BMessenger(mTarget).SendMessage(&message);
}

status_t TDisplayView::CreateOffScreen(int32 columns)
{
	int64 width, height;
	status_t status = _MatrixSize(columns, &width, &height);
	if (status != B_OK)
		return status == B_BAD_INDEX ? B_BAD_VALUE : status;
	status = CheckPictureSize(width, height, gProperty.mLEDSize, gProperty.mLEDGap);
	if (status != B_OK)
		return status;

	const BRect bounds(0, 0, (float)(width - 1), (float)(height - 1));
	BBitmap* matrix = new BBitmap(bounds, B_BITMAP_ACCEPTS_VIEWS, B_RGBA32);
	if (!matrix->IsValid()) {
		status = matrix->InitCheck();
		delete matrix;
		return status;
	}
	BView* view = new BView(bounds, "OffScreenView", B_FOLLOW_NONE, 0);
	matrix->AddChild(view);

	delete mOffScreen;
	mOffScreen = matrix;
	mOffScreenView = view;
	std::copy(gProperty.mMargin, gProperty.mMargin + 4, mMargins);
	mTextColumns = columns;
	mStripFirstColumn = mStripEndColumn = 0;
	return B_OK;
}

void TDisplayView::CopySourceToOffScreen()
{
	if (mOffScreen == nullptr || mSrcScreen == nullptr)
		return;
	const int32 rows = (int32)mOffScreen->Bounds().bottom + 1 - mMargins[TProperty::kMarginTop] -
	                   mMargins[TProperty::kMarginBottom];
	SampleGrid grid(mTextColumns, rows, mScale, gProperty.mCorrectHoarse);
	// After a regeneration in strips the source screen holds only the last strip; clearing
	// the whole matrix would then wipe every lamp that strip does not cover. Sampling
	// writes every lamp of the strip's columns, and the other lamps keep what their own
	// strips gave them.
	const bool partial = mStripEndColumn > mStripFirstColumn &&
	                     (mStripFirstColumn > 0 || mStripEndColumn < mTextColumns);
	if (!partial)
		_ClearOffScreen();
	_SampleStrip(mStripFirstColumn, mStripEndColumn, grid);
}

void TDisplayView::DrawToView(BView* target) const
{
	assert(target != nullptr);
	DrawToView(target, target->Bounds());
}

void TDisplayView::DrawToView(BView* target, BRect area) const
{
	assert(target != nullptr);
	int32 size, gap;
	// With no lamp size that fits, only the gap colour is drawn.
	const bool fits = GetLampSize(&size, &gap);
	// A look the record cannot have had from the editor or a file is drawn plain.
	const TLampLook look =
	    gBoardProperty.mLook.Check() == B_OK ? gBoardProperty.mLook : TLampLook();
	TLampRenderer renderer(size, gap, gProperty.mColors, look);
	std::unique_ptr<TBoard> board;
	renderer.Draw(fits ? _PictureGrid(&board) : TLampGrid(), target, area, &mStaging);
}

void TDisplayView::Draw(BRect updateRect)
{
	// Only the asked-for part is built; the painter clips to it in any case.
	DrawToView(this, updateRect & Bounds());
}

void TDisplayView::GetPreferredSize(float* width, float* height)
{
	int32 size = 1, gap = 0;
	GetLampSize(&size, &gap);
	const TLampGrid grid = Lamps();
	const int64 columns = std::max<int64>(_PictureColumns(), 1);
	const int64 rows = std::max<int64>(grid.rows, 1);
	// Both extents passed the size check, so they are exact as floats.
	if (width != nullptr)
		*width = (float)(TLampRenderer::Extent(columns, size, gap) - 1);
	if (height != nullptr)
		*height = (float)(TLampRenderer::Extent(rows, size, gap) - 1);
}

status_t TDisplayView::Update()
{
	status_t status = CheckUpdate(gProperty.mLEDSize, gProperty.mLEDGap);
	if (status != B_OK)
		return status;
	_AcceptLampSize();
	ResizeToPreferred();
	Invalidate();
	return B_OK;
}

void TDisplayView::SetStripWidth(int32 width)
{
	mStripWidth = std::max<int32>(width, 3);
}

status_t TDisplayView::_MatrixSize(int32 columns, int64* width, int64* height)
{
	const int32* margin = gProperty.mMargin;
	const int32 rows = gProperty.mResolutionY;
	if (columns < 0 || rows < 1 || *std::min_element(margin, margin + 4) < 0)
		return B_BAD_VALUE;
	*width = (int64)columns + margin[TProperty::kMarginLeft] + margin[TProperty::kMarginRight];
	*height = (int64)rows + margin[TProperty::kMarginTop] + margin[TProperty::kMarginBottom];
	if (*width > kMaxLamps || *height > kMaxLamps || *width * *height > kMaxLamps)
		return B_NO_MEMORY;
	return *width < 1 ? B_BAD_INDEX : B_OK;
}

status_t TDisplayView::_PrepareSourceScreen(BRect bounds, BBitmap** screen, BView** view)
{
	// The previous strip bitmap serves again when it has the same size, which saves
	// allocating and faulting in its pages on every keystroke.
	if (*screen != nullptr && (*screen)->Bounds() == bounds)
		return B_OK;
	BBitmap* bitmap = new BBitmap(bounds, B_BITMAP_ACCEPTS_VIEWS, B_RGBA32);
	if (!bitmap->IsValid()) {
		status_t status = bitmap->InitCheck();
		delete bitmap;
		return status;
	}
	BView* screenView = new BView(BRect(0, 0, 1, 1), "SrcScreenView", B_FOLLOW_NONE, 0);
	screenView->ResizeTo(bounds.Width(), bounds.Height());
	bitmap->AddChild(screenView);
	*screen = bitmap;
	*view = screenView;
	return B_OK;
}

void TDisplayView::_LayOut(const char* text, const BFont& font)
{
	// Each character's pen is the sum of the advances before it, added up in single
	// precision in the order the font engine adds them, so that drawing the characters one
	// by one puts every glyph exactly where drawing the whole text would.
	const int32 length = (int32)strlen(text);
	mLayout.offsets.clear();
	mLayout.pens.clear();
	float pen = 0;
	for (int32 offset = 0; offset < length;) {
		const int32 bytes = std::min(TUTF8Utils::NumBytes(text[offset]), length - offset);
		mLayout.offsets.push_back(offset);
		mLayout.pens.push_back(pen);
		pen += font.StringWidth(text + offset, bytes);
		offset += bytes;
	}
	mLayout.offsets.push_back(length);
	mLayout.pens.push_back(pen);
	// A glyph may reach beyond its advance on either side (a slanted stroke, a mark drawn
	// over the character before it), though not by more than the font's height.
	mLayout.reach = std::ceil(font.Size() * 1.5f) + 2;
	mLayout.first = 0;
}

void TDisplayView::_RasteriseStrip(const char* text, int32 left, int32 right)
{
	if (!mSrcScreenView->LockLooper())
		return;
	mSrcScreenView->SetHighColor(COLOR_BLACK);
	mSrcScreenView->FillRect(mSrcScreenView->Bounds(), B_SOLID_HIGH);
	mSrcScreenView->SetHighColor(COLOR_WHITE);

	// Only the characters whose glyphs can touch the strip are drawn, found by a sweep that
	// continues where the previous strip stopped, so a long text costs linear time.
	const int32 count = (int32)mLayout.offsets.size() - 1;
	const double reach = mLayout.reach;
	int32& first = mLayout.first;
	if (left == 0)
		first = 0;
	while (first < count && (double)mLayout.pens[first + 1] + reach < left)
		first++;
	for (int32 i = first; i < count && (double)mLayout.pens[i] - reach <= right; i++) {
		const int32 offset = mLayout.offsets[i];
		const float x = (float)(snap_pen(mLayout.pens[i]) - left);
		mSrcScreenView->DrawString(text + offset, mLayout.offsets[i + 1] - offset,
		                           BPoint(x, mAscent));
	}
	mSrcScreenView->Sync();
	mSrcScreenView->UnlockLooper();
	mSrcLeft = left;
}

void TDisplayView::_ClearOffScreen()
{
	if (mOffScreenView == nullptr || !mOffScreenView->LockLooper())
		return;
	mOffScreenView->SetHighColor(COLOR_BLACK);
	mOffScreenView->FillRect(mOffScreenView->Bounds(), B_SOLID_HIGH);
	mOffScreenView->Sync();
	mOffScreenView->UnlockLooper();
}

void TDisplayView::_SampleStrip(int32 firstColumn, int32 endColumn, const SampleGrid& grid)
{
	mStripFirstColumn = firstColumn;
	mStripEndColumn = endColumn;
	if (mOffScreenView == nullptr || !mOffScreenView->LockLooper())
		return;

	const uint8* source = (const uint8*)mSrcScreen->Bits();
	const int32 sourceRowBytes = mSrcScreen->BytesPerRow();
	const int32 sourceColumns = sourceRowBytes / 4;
	const int32 sourceRows = sourceRowBytes > 0 ? mSrcScreen->BitsLength() / sourceRowBytes : 0;
	const int32 sourceLeft = mSrcLeft;
	// Reads outside the strip would be a fault in the strip plan; they count as no ink
	// rather than touching memory that is not the strip's.
	auto set = [&](int32 column, int32 row) {
		const int32 x = column - sourceLeft;
		assert(x >= 0 && x < sourceColumns && row >= 0 && row < sourceRows);
		if (x < 0 || x >= sourceColumns || row < 0 || row >= sourceRows)
			return false;
		return source[(size_t)row * sourceRowBytes + (size_t)x * 4] != 0;
	};

	uint8* matrix = (uint8*)mOffScreen->Bits();
	const int32 matrixRowBytes = mOffScreen->BytesPerRow();
	const int32 matrixBytesPerPixel = matrixRowBytes / ((int32)mOffScreen->Bounds().right + 1);
	const int32 lastColumn = grid.columns - 1;
	const int32 lastRow = grid.rows - 1;
	// Every lamp is decided on its own, so the rows may be walked outside the columns, which
	// reads the source screen row by row rather than across its rows.
	for (int32 y = 0; y < grid.rows; y++) {
		const int32 row = grid.row[y];
		const bool correctRow = grid.correctRows && y < lastRow;
		uint8* cell =
		    matrix + (size_t)(y + mMargins[TProperty::kMarginTop]) * matrixRowBytes +
		    (size_t)(firstColumn + mMargins[TProperty::kMarginLeft]) * matrixBytesPerPixel;
		for (int32 x = firstColumn; x < endColumn; x++, cell += matrixBytesPerPixel) {
			const int32 column = grid.column[x];
			bool lit = set(column, row);
			if (!lit && correctRow)
				lit = set(column, grid.rowHalf[y]) && !set(column, grid.rowNext[y]);
			if (!lit && x < lastColumn)
				lit = set(grid.columnHalf[x], row) && !set(grid.columnNext[x], row);
			cell[0] = lit ? 255 : 0;
		}
	}
	mOffScreenView->UnlockLooper();
}
