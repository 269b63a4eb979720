// TDisplayView makes and shows the LED picture of the sign text. It rasterises the text in
// the chosen font into a monochrome source screen, samples the source screen into the lamp
// matrix (one pixel per lamp, the first byte of each pixel lit or not), and draws the lamp
// matrix as coloured squares, into itself on screen or into a bitmap that is saved as PNG.
// Every parameter comes from gProperty at the moment of the call. The view needs no window:
// the command-line renderer and the tests use it on its own.
//
// Long texts are rasterised in vertical strips of bounded width, so that memory does not
// grow with the text beyond the lamp matrix itself; neighbouring strips overlap by one lamp
// so that every lamp reads exactly the source pixels it would read in one undivided source
// screen. For a text that fits one strip the source screen is the whole text.
#ifndef T_DISPLAY_VIEW_H
#define T_DISPLAY_VIEW_H

#include <memory>
#include <vector>

#include <View.h>

#include "TLampGrid.h"

class BBitmap;
class BFont;
class TBoard;
struct entry_ref;

// The 'fhpc' notice: the freehand protection flag changed.
enum {
	MSG_FREEHAND_PROTECT_CHANGED = 'fhpc',
};

class TDisplayView : public BView {
public:
	// Limits that keep a regeneration within bounded memory whatever the text and the
	// parameters. A regeneration that would pass them fails with B_NO_MEMORY and leaves the
	// previous picture in place.
	//
	// The lamp matrix holds four bytes per lamp; 16 Mi lamps (64 MiB) are about 38,000
	// Japanese characters at the default 24 rows.
	static constexpr int64 kMaxLamps = 16 * 1024 * 1024;
	// One strip of the source screen. It must hold at least two lamps side by side, which
	// bounds the source height (and so the font size for a given row count).
	static constexpr int64 kMaxStripBytes = 64 * 1024 * 1024;
	// The exported picture is made in memory before it is encoded; 256 MiB are 64 Mi
	// pixels, enough for 10,000 Japanese characters at the default lamp size and gap.
	static constexpr int64 kMaxPictureBytes = 256 * 1024 * 1024;
	// The width of a strip in source pixels when the source height allows it. Narrow strips
	// stay in the processor's cache; each extra strip redraws the one or two glyphs that
	// straddle its edges.
	static constexpr int32 kDefaultStripWidth = 1024;
	// Every coordinate of a picture must be a whole number that a float holds exactly, as
	// views and rectangles keep their coordinates in floats.
	static constexpr int64 kMaxPictureExtent = 1 << 24;

	// Creates the view "DisplayView" and its first picture, the one of a single space.
	// `target` receives the view's notices and is not owned.
	TDisplayView(BRect frame, BView* target);
	~TDisplayView() override;

	// Regenerates the picture from the text (UTF-8, one line) and resizes and invalidates
	// the view. An empty text, or set freehand protection, leaves the picture as it is
	// (B_OK and B_NOT_ALLOWED respectively); a picture that cannot be built leaves the
	// previous one and answers the reason.
	status_t SetText(const char* text);

	// Rebuilds the source screen, the scale and the lamp matrix from the text and the
	// current gProperty. On failure nothing of the previous picture has changed.
	status_t CreateSourceScreen(const char* text);
	// Recomputes mScale from the current source screen and the row count.
	void CalcScale();

	void ClearFreehandProtect();
	// Tells mTarget the current freehand protection flag ('fhpc', "FreehandProtect");
	// answers the messenger's status.
	status_t SendFreehandProtectChanged();

	// Makes a new lamp matrix for `columns` text columns and the current margins and row
	// count. The old matrix stays when the new one cannot be made.
	status_t CreateOffScreen(int32 columns);
	// Clears the lamp matrix and samples the source screen into it. The source screen must
	// be the one the current matrix was made for.
	void CopySourceToOffScreen();

	// Whether a picture of `columns` by `rows` lamps (margins included) at the lamp size and
	// gap can be drawn: B_BAD_VALUE below the minimums (one lamp each way, a lamp size of 1,
	// a gap of 0); B_NO_MEMORY for more lamps than kMaxLamps; B_BUFFER_OVERFLOW when the
	// picture would be wider or higher than kMaxPictureExtent pixels. A picture that passes
	// can always be shown, because drawing builds only the part on screen; saving it needs
	// it whole in memory and keeps its own limit (kMaxPictureBytes).
	static status_t CheckPictureSize(int64 columns, int64 rows, int64 ledSize, int64 ledGap);
	// The same check for the current lamp matrix at another lamp size and gap.
	status_t CheckUpdate(int32 ledSize, int32 ledGap) const;

	// Draws the whole picture into `target` with the current colours, lamp size and gap.
	void DrawToView(BView* target) const;
	// Draws the part of the picture inside `area` (the target's coordinates) and the gap
	// colour over the part of the area beyond the picture.
	void DrawToView(BView* target, BRect area) const;
	void Draw(BRect updateRect) override;
	// The right and bottom coordinates of the picture seen as a rectangle from (0, 0).
	void GetPreferredSize(float* width, float* height) override;
	// Shows a change of colour, lamp size or gap, which needs no new sampling. A lamp size
	// and gap that fail CheckUpdate are refused: the view keeps its size and goes on drawing
	// with the last ones it accepted, and the check's status is answered.
	status_t Update();

	// The lamp matrix as the renderer and the board see it, the margins it was made with,
	// and the number of text columns between them.
	TLampGrid Lamps() const;
	const int32* MatrixMargins() const { return mMargins; }
	int32 TextColumns() const { return mTextColumns; }
	// The lamp size and gap the picture is drawn with: gProperty's when they fit, else the
	// last ones the view accepted. False when neither fits.
	bool GetLampSize(int32* size, int32* gap) const;

	// Writes the picture as a PNG file. The image is encoded completely before the file is
	// touched and then replaces it atomically, so a failure leaves an existing file as it
	// was. Answers B_OK only when the file holds the new picture.
	status_t Save(const entry_ref& ref);

	// Applies the sign's font settings (family, style, size, monochrome) to `font`. A face
	// of fixed pixel size gets its own size instead of the source font size. A family
	// and style the system does not know leave the font's own face at the chosen size and
	// answer B_NAME_NOT_FOUND; the command-line renderer uses this to tell the user.
	static status_t ApplySourceFont(BFont* font);

protected:
	// For tests, which draw into the source screen and read the lamp matrix directly.
	BBitmap* SourceScreen() const { return mSrcScreen; }
	BView* SourceScreenView() const { return mSrcScreenView; }
	BBitmap* OffScreen() const { return mOffScreen; }
	float Scale() const { return mScale; }
	int32 StripCount() const { return mStripCount; }
	// Narrower strips make tests of strip-wise rasterising cheap; at least 3 pixels.
	void SetStripWidth(int32 width);

private:
	struct SampleGrid;

	// The text split into characters with their pen positions on the source screen.
	struct Layout {
		std::vector<int32> offsets; // byte offset of each character, then the text length
		std::vector<float> pens;    // pen x of each character, then the text's width
		float reach = 0;            // how far a glyph may reach beyond its advance, in pixels
		int32 first = 0;            // the first character that can touch the current strip
	};

	// The lamp matrix's size for `columns` text columns and the current margins and rows:
	// B_BAD_VALUE for values the editor refuses, B_NO_MEMORY beyond kMaxLamps, B_BAD_INDEX
	// for a matrix without columns.
	static status_t _MatrixSize(int32 columns, int64* width, int64* height);
	void _AcceptLampSize();
	// The lamps the picture shows: the lamp matrix, or the fixed board of gBoardProperty
	// with the text placed on it, which `board` then holds.
	TLampGrid _PictureGrid(std::unique_ptr<TBoard>* board) const;
	int32 _PictureColumns() const;
	status_t _PrepareSourceScreen(BRect bounds, BBitmap** screen, BView** view);
	void _LayOut(const char* text, const BFont& font);
	void _RasteriseStrip(const char* text, int32 left, int32 right);
	void _ClearOffScreen();
	void _SampleStrip(int32 firstColumn, int32 endColumn, const SampleGrid& grid);

	bool mFreehandProtect;
	float mScale;
	BBitmap* mOffScreen;
	BBitmap* mSrcScreen;
	BView* mOffScreenView;
	BView* mTarget;
	BView* mSrcScreenView;

	// What the current source screen and lamp matrix were made from.
	int32 mTextColumns;
	int32 mMargins[4];       // the margins the lamp matrix was made with
	int32 mStripFirstColumn; // the text lamp columns the source screen covers
	int32 mStripEndColumn;
	int32 mSrcLeft; // the source column of the source screen's first pixel column
	int32 mStripCount;
	int32 mStripWidth;
	float mAscent;
	Layout mLayout;

	// The last lamp size and gap that passed the size check.
	int32 mAcceptedSize;
	int32 mAcceptedGap;
	// The rows that drawing hands to the target, kept from one drawing to the next.
	mutable std::unique_ptr<BBitmap> mStaging;
};

#endif
