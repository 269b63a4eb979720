// Drawing of BView: every operation asks for the view's painter, aimed at the host's pixels
// with the view's origin and clipping, and draws with the view's current state.
#include <View.h>

#include <cmath>
#include <cstring>

#include <Bitmap.h>

#include <FontEngine.h>
#include <Painter.h>

#include "ViewHost.h"
#include "ViewPrivate.h"

using namespace BPrivate;

void BView::_VisibleRegion(graphics::ClipRegion* region) const
{
	region->MakeEmpty();
	if (fHost == nullptr)
		return;
	region->Set(fHost->Surface().Bounds());
	for (const BView* view = this; view != nullptr && !region->IsEmpty(); view = view->fParent) {
		if (view->fHideLevel > 0) {
			region->MakeEmpty();
			return;
		}
		BPoint offset = view->fParent != nullptr ? view->fParent->_SurfaceOffset() : BPoint(0, 0);
		region->IntersectWith(graphics::Painter::SnapRect(view->fFrame, offset));
	}
	// As on the platform, a view does not draw over its children unless it asks to.
	if ((fFlags & B_DRAW_ON_CHILDREN) != 0)
		return;
	BPoint offset = _SurfaceOffset();
	for (const BView* child : fChildren) {
		if (child->fHideLevel == 0)
			region->Exclude(graphics::Painter::SnapRect(child->fFrame, offset));
	}
}

graphics::Painter* BView::_Painter()
{
	if (fHost == nullptr)
		return nullptr;
	uint64 epoch = fHost->GeometryEpoch();
	uint64 pass = 0;
	const graphics::ClipRegion* update = fHost->UpdateClip(&pass);
	if (fPainter == nullptr || fPainterEpoch != epoch) {
		fPainter = std::make_unique<graphics::Painter>(fHost->Surface());
		if (fVisible == nullptr)
			fVisible = std::make_unique<graphics::ClipRegion>();
		_VisibleRegion(fVisible.get());
		fSurfaceOffset = _SurfaceOffset();
		fPainterEpoch = epoch;
		fPainterPass = ~pass;
	}
	if (fPainterPass != pass) {
		if (update != nullptr) {
			graphics::ClipRegion clip(*fVisible);
			clip.IntersectWith(*update);
			fPainter->SetClipping(clip);
		} else {
			fPainter->SetClipping(*fVisible);
		}
		fPainterPass = pass;
	}
	if (update == nullptr && !fVisible->IsEmpty())
		fHost->DrewOutsideUpdate(fVisible->Frame());

	BPoint origin = fSurfaceOffset + fState.origin;
	for (const State& saved : fStateStack)
		origin += saved.origin;
	graphics::Painter* painter = fPainter.get();
	painter->SetOrigin(origin);
	painter->SetHighColor(to_graphics_color(fState.high));
	painter->SetLowColor(to_graphics_color(fState.low));
	painter->SetDrawingMode(to_graphics_mode(fState.mode));
	painter->SetBlendingMode(
	    fState.alphaSource == B_CONSTANT_ALPHA ? graphics::AlphaSource::Constant
	                                           : graphics::AlphaSource::PerPixel,
	    fState.alphaFunction == B_ALPHA_COMPOSITE ? graphics::AlphaFunction::Composite
	                                              : graphics::AlphaFunction::Overlay);
	painter->SetPenSize(fState.penSize);
	return painter;
}

void BView::FillRect(BRect rect, ::pattern p)
{
	if (graphics::Painter* painter = _Painter())
		painter->FillRect(rect, to_graphics_pattern(p));
}

void BView::StrokeRect(BRect rect, ::pattern p)
{
	if (graphics::Painter* painter = _Painter())
		painter->StrokeRect(rect, to_graphics_pattern(p));
}

void BView::InvertRect(BRect rect)
{
	drawing_mode mode = fState.mode;
	fState.mode = B_OP_INVERT;
	if (graphics::Painter* painter = _Painter())
		painter->FillRect(rect, graphics::kSolidHigh);
	fState.mode = mode;
}

void BView::StrokeLine(BPoint toPoint, ::pattern p)
{
	StrokeLine(fState.pen, toPoint, p);
}

void BView::StrokeLine(BPoint start, BPoint end, ::pattern p)
{
	if (graphics::Painter* painter = _Painter())
		painter->StrokeLine(start, end, to_graphics_pattern(p));
	MovePenTo(end);
}

void BView::DrawString(const char* string, escapement_delta* delta)
{
	if (string != nullptr)
		_DrawString(string, (int32)strlen(string), fState.pen, delta);
}

void BView::DrawString(const char* string, BPoint location, escapement_delta* delta)
{
	if (string != nullptr)
		_DrawString(string, (int32)strlen(string), location, delta);
}

void BView::DrawString(const char* string, int32 length, escapement_delta* delta)
{
	if (string != nullptr)
		_DrawString(string, (int32)strnlen(string, (size_t)std::max(length, 0)), fState.pen, delta);
}

void BView::DrawString(const char* string, int32 length, BPoint location, escapement_delta* delta)
{
	if (string != nullptr)
		_DrawString(string, (int32)strnlen(string, (size_t)std::max(length, 0)), location, delta);
}

void BView::DrawChar(char aChar)
{
	_DrawString(&aChar, 1, fState.pen, nullptr);
}

void BView::DrawChar(char aChar, BPoint location)
{
	_DrawString(&aChar, 1, location, nullptr);
}

void BView::_DrawString(const char* string, int32 length, BPoint location,
                        const escapement_delta* delta)
{
	if (!std::isfinite(location.x) || !std::isfinite(location.y))
		return;
	graphics::FontSpec spec;
	fState.font.GetEngineSpec(&spec);
	graphics::Painter* painter = _Painter();
	float advance = 0;
	if (delta == nullptr || (delta->nonspace == 0 && delta->space == 0)) {
		if (painter != nullptr)
			advance = painter->DrawString(string, (size_t)length, location, spec);
		else
			advance = fState.font.StringWidth(string, length);
	} else {
		// With extra spacing every character is placed on its own.
		size_t offset = 0;
		while (offset < (size_t)length) {
			size_t start = offset;
			uint32 codePoint = graphics::next_code_point(string, (size_t)length, &offset);
			BPoint where(location.x + advance, location.y);
			float width = painter != nullptr
			                  ? painter->DrawString(string + start, offset - start, where, spec)
			                  : fState.font.StringWidth(string + start, (int32)(offset - start));
			advance += width + (codePoint == ' ' ? delta->space : delta->nonspace);
		}
	}
	MovePenTo(BPoint(location.x + advance, location.y));
}

void BView::DrawBitmap(const BBitmap* bitmap)
{
	DrawBitmap(bitmap, fState.pen);
}

void BView::DrawBitmap(const BBitmap* bitmap, BPoint where)
{
	if (bitmap == nullptr)
		return;
	BRect bounds = bitmap->Bounds();
	_DrawBitmap(bitmap, bounds, bounds.OffsetToCopy(where), true);
}

void BView::DrawBitmap(const BBitmap* bitmap, BRect viewRect)
{
	if (bitmap != nullptr)
		_DrawBitmap(bitmap, bitmap->Bounds(), viewRect, false);
}

void BView::DrawBitmap(const BBitmap* bitmap, BRect bitmapRect, BRect viewRect)
{
	_DrawBitmap(bitmap, bitmapRect, viewRect, false);
}

void BView::DrawBitmapAsync(const BBitmap* bitmap)
{
	DrawBitmap(bitmap);
}

void BView::DrawBitmapAsync(const BBitmap* bitmap, BPoint where)
{
	DrawBitmap(bitmap, where);
}

void BView::DrawBitmapAsync(const BBitmap* bitmap, BRect viewRect)
{
	DrawBitmap(bitmap, viewRect);
}

void BView::DrawBitmapAsync(const BBitmap* bitmap, BRect bitmapRect, BRect viewRect)
{
	DrawBitmap(bitmap, bitmapRect, viewRect);
}

void BView::_DrawBitmap(const BBitmap* bitmap, BRect bitmapRect, BRect viewRect, bool whole)
{
	if (bitmap == nullptr)
		return;
	graphics::PixelBuffer source = bitmap->PainterBuffer();
	graphics::Painter* painter = _Painter();
	if (painter == nullptr || !source.IsValid())
		return;
	BRect bounds = bitmap->Bounds();
	// The source rectangle in the bitmap's pixels, where its bounds' left-top is (0, 0).
	graphics::IntRect sourceRect = source.Bounds();
	if (!whole) {
		graphics::Painter sourceGrid(source);
		sourceGrid.SetOrigin(BPoint(-bounds.left, -bounds.top));
		sourceRect = sourceGrid.DeviceRect(bitmapRect) & source.Bounds();
		if (!sourceRect.IsValid())
			return;
	}
	painter->DrawBitmap(source, sourceRect, viewRect);
}

void BView::Sync() const
{
	if (fHost != nullptr)
		fHost->SyncSurface();
}

void BView::Flush() const
{
	if (fHost != nullptr)
		fHost->SyncSurface();
}
