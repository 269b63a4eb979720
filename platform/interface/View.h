// A rectangular area that draws itself and takes part in a tree of views. A view is a
// handler; once its tree is attached to a host (a bitmap that accepts views, later a window)
// every view of the tree is a handler of the host's looper, whose lock guards the tree.
//
// Coordinates: Frame() is in the parent's coordinate system, Bounds() in the view's own (its
// left-top corner is the scrolling origin, (0, 0) unless scrolled). Drawing goes straight into
// the host's pixels, clipped to the view and to every ancestor; a view not attached to a host
// draws nothing. Drawing state (colours, pen, font, modes) can be set at any time and is kept
// across attaching.
#ifndef _VIEW_H
#define _VIEW_H

#include <memory>
#include <vector>

#include <Font.h>
#include <GraphicsDefs.h>
#include <Handler.h>
#include <InterfaceDefs.h>
#include <Rect.h>

class BBitmap;
class BMessage;
class BScrollBar;
class BWindow;

namespace BPrivate {
class ViewHost;
class WindowHost;
} // namespace BPrivate

namespace graphics {
class ClipRegion;
class Painter;
} // namespace graphics

// The platform's escapement deltas: extra space added after each character and space.
struct escapement_delta {
	float nonspace;
	float space;
};

// Event masks and transit codes of mouse messages ("be:transit").
enum {
	B_POINTER_EVENTS = 0x00000001,
	B_KEYBOARD_EVENTS = 0x00000002,
};

enum {
	B_LOCK_WINDOW_FOCUS = 0x00000001,
	B_SUSPEND_VIEW_FOCUS = 0x00000002,
	B_NO_POINTER_HISTORY = 0x00000004,
	B_FULL_POINTER_HISTORY = 0x00000008,
};

enum {
	B_ENTERED_VIEW = 0,
	B_INSIDE_VIEW,
	B_EXITED_VIEW,
	B_OUTSIDE_VIEW,
};

enum {
	B_PRIMARY_MOUSE_BUTTON = 0x01,
	B_SECONDARY_MOUSE_BUTTON = 0x02,
	B_TERTIARY_MOUSE_BUTTON = 0x04,
};

class BView : public BHandler {
public:
	BView(BRect frame, const char* name, uint32 resizingMode, uint32 flags);
	// A view without a frame yet, at (0, 0) with no size; the caller places it later.
	BView(const char* name, uint32 flags);
	// Rebuilds a view from Archive's fields; children archived under "_views" are rebuilt
	// and added as well.
	explicit BView(BMessage* archive);
	// Deletes the children. A view still in a tree is taken out of it first.
	~BView() override;

	static BArchivable* Instantiate(BMessage* archive);
	// "_name", "_frame", "_resize_mode", "_flags", and the state that was set: "_fname"
	// (family, style), "_fflt" (size, shear, rotation, false-bold width), "_color" (high,
	// low and view colour, as packed 32-bit values), "_dmod", "_psize", "_ploc", "_origin",
	// "_blend", "_lmcapjoin", "_lmmiter", "_hidden"; with deep, each child under "_views".
	status_t Archive(BMessage* archive, bool deep = true) const override;

	// Hooks. The attach hooks run when the view's tree is attached to a host or detached
	// from it (AttachedToWindow top-down, AllAttached bottom-up).
	virtual void AttachedToWindow();
	virtual void AllAttached();
	virtual void DetachedFromWindow();
	virtual void AllDetached();
	void MessageReceived(BMessage* message) override;
	virtual void Draw(BRect updateRect);
	virtual void DrawAfterChildren(BRect updateRect);
	virtual void MouseDown(BPoint where);
	virtual void MouseUp(BPoint where);
	virtual void MouseMoved(BPoint where, uint32 code, const BMessage* dragMessage);
	virtual void KeyDown(const char* bytes, int32 numBytes);
	virtual void KeyUp(const char* bytes, int32 numBytes);
	virtual void Pulse();
	virtual void FrameMoved(BPoint newPosition);
	virtual void FrameResized(float newWidth, float newHeight);
	virtual void WindowActivated(bool active);
	virtual void MakeFocus(bool focus = true);

	// The window the view is in; null for views in a bitmap or in no tree.
	BWindow* Window() const;
	bool IsFocus() const;
	bool IsPrinting() const { return false; }

	// Where the pointer is (view coordinates) and which buttons are down. With the message
	// queue checked, a pointer message waiting in the window's queue is taken from it, so
	// a view tracking the pointer in a loop sees every step.
	void GetMouse(BPoint* location, uint32* buttons, bool checkMessageQueue = true);
	// Events the view wants beyond its own area: B_POINTER_EVENTS (every pointer message,
	// wherever the pointer is), B_KEYBOARD_EVENTS. SetMouseEventMask asks for them until the
	// buttons are released; SetEventMask for good.
	status_t SetMouseEventMask(uint32 mask, uint32 options = 0);
	status_t SetEventMask(uint32 mask, uint32 options = 0);
	uint32 EventMask() const { return fEventMask; }

	// Starts dragging a copy of the message from this view, shown as the outline of the
	// rectangle (view coordinates) or as the bitmap (which the view takes). The views under
	// the pointer see it in MouseMoved; releasing drops it on the view under the pointer, in
	// any window of the application (WasDropped(), DropPoint() in screen coordinates).
	void DragMessage(BMessage* message, BRect dragRect, BHandler* replyTo = nullptr);
	void DragMessage(BMessage* message, BBitmap* image, BPoint offset,
	                 BHandler* replyTo = nullptr);
	void DragMessage(BMessage* message, BBitmap* image, drawing_mode dragMode, BPoint offset,
	                 BHandler* replyTo = nullptr);

	// The tree. A child is added before `before` (at the end when null); a view already in
	// a tree is refused (assert). RemoveChild returns false for a view that is not a child.
	void AddChild(BView* child, BView* before = nullptr);
	bool RemoveChild(BView* child);
	bool RemoveSelf();
	int32 CountChildren() const { return (int32)fChildren.size(); }
	BView* ChildAt(int32 index) const;
	BView* NextSibling() const;
	BView* PreviousSibling() const;
	// Null for a view at the top of its tree (also when the tree is in a bitmap or window).
	BView* Parent() const;
	// This view or a descendant with the name, depth first.
	BView* FindView(const char* name) const;

	// Geometry.
	BRect Bounds() const;
	BRect Frame() const { return fFrame; }
	void MoveBy(float dx, float dy);
	void MoveTo(BPoint where);
	void MoveTo(float x, float y);
	// Sizes in the platform's sense: width = right - left. A view keeps a width and height
	// of at least 0 (one pixel); smaller sizes are raised to that.
	void ResizeBy(float dx, float dy);
	void ResizeTo(float width, float height);
	void ResizeTo(BSize size);
	// A view that scroll bars scroll stays within their ranges and moves their values along.
	virtual void ScrollBy(float dx, float dy);
	virtual void ScrollTo(BPoint where);
	void ScrollTo(float x, float y) { ScrollTo(BPoint(x, y)); }
	// The scroll bar of that orientation whose target this view is, or null.
	BScrollBar* ScrollBar(orientation direction) const;
	virtual void GetPreferredSize(float* width, float* height);
	virtual void ResizeToPreferred();

	void ConvertToParent(BPoint* point) const;
	BPoint ConvertToParent(BPoint point) const;
	void ConvertFromParent(BPoint* point) const;
	BPoint ConvertFromParent(BPoint point) const;
	void ConvertToParent(BRect* rect) const;
	BRect ConvertToParent(BRect rect) const;
	void ConvertFromParent(BRect* rect) const;
	BRect ConvertFromParent(BRect rect) const;
	// The host's coordinate system stands in for the screen until windows exist.
	void ConvertToScreen(BPoint* point) const;
	BPoint ConvertToScreen(BPoint point) const;
	void ConvertFromScreen(BPoint* point) const;
	BPoint ConvertFromScreen(BPoint point) const;
	void ConvertToScreen(BRect* rect) const;
	BRect ConvertToScreen(BRect rect) const;
	void ConvertFromScreen(BRect* rect) const;
	BRect ConvertFromScreen(BRect rect) const;

	virtual void SetFlags(uint32 flags);
	uint32 Flags() const { return fFlags; }
	virtual void SetResizingMode(uint32 mode);
	uint32 ResizingMode() const { return fResizingMode; }

	virtual void Show();
	virtual void Hide();
	bool IsHidden() const;
	bool IsHidden(const BView* lookingFrom) const;

	// Marks the area for redrawing. A window redraws the views that meet it; drawing into a
	// bitmap is immediate, so there it does nothing.
	virtual void Invalidate(BRect invalRect);
	virtual void Invalidate();

	// Drawing state. Setting a part marks it for archiving.
	virtual void SetHighColor(rgb_color color);
	void SetHighColor(uint8 red, uint8 green, uint8 blue, uint8 alpha = 255);
	rgb_color HighColor() const { return fState.high; }
	virtual void SetLowColor(rgb_color color);
	void SetLowColor(uint8 red, uint8 green, uint8 blue, uint8 alpha = 255);
	rgb_color LowColor() const { return fState.low; }
	virtual void SetViewColor(rgb_color color);
	void SetViewColor(uint8 red, uint8 green, uint8 blue, uint8 alpha = 255);
	rgb_color ViewColor() const { return fViewColor; }
	virtual void SetDrawingMode(drawing_mode mode);
	drawing_mode DrawingMode() const { return fState.mode; }
	void SetBlendingMode(source_alpha srcAlpha, alpha_function alphaFunc);
	void GetBlendingMode(source_alpha* srcAlpha, alpha_function* alphaFunc) const;
	virtual void SetPenSize(float size);
	float PenSize() const { return fState.penSize; }
	void MovePenTo(BPoint point);
	void MovePenTo(float x, float y);
	void MovePenBy(float x, float y);
	BPoint PenLocation() const { return fState.pen; }
	void SetLineMode(cap_mode lineCap, join_mode lineJoin,
	                 float miterLimit = B_DEFAULT_MITER_LIMIT);
	join_mode LineJoinMode() const { return fState.join; }
	cap_mode LineCapMode() const { return fState.cap; }
	float LineMiterLimit() const { return fState.miterLimit; }
	// Shifts the view's drawing coordinates (not its children) by the origin.
	void SetOrigin(BPoint origin);
	void SetOrigin(float x, float y);
	BPoint Origin() const { return fState.origin; }
	// Saves the drawing state; PopState restores the last one saved (a pop without a push
	// does nothing).
	void PushState();
	void PopState();

	// Copies the parts of the font that the mask names.
	virtual void SetFont(const BFont* font, uint32 mask = B_FONT_ALL);
	void GetFont(BFont* font) const;
	void SetFontSize(float size);
	void ForceFontAliasing(bool enable);
	void GetFontHeight(font_height* height) const;
	float StringWidth(const char* string) const;
	float StringWidth(const char* string, int32 length) const;
	void GetStringWidths(char* stringArray[], int32 lengthArray[], int32 numStrings,
	                     float widthArray[]) const;
	void TruncateString(BString* in_out, uint32 mode, float width) const;

	// Drawing, in the view's coordinates, with the current state. Rectangles are inclusive:
	// FillRect(BRect(0, 0, 1, 1)) fills 2 x 2 pixels.
	void FillRect(BRect rect, ::pattern p = B_SOLID_HIGH);
	void StrokeRect(BRect rect, ::pattern p = B_SOLID_HIGH);
	void InvertRect(BRect rect);
	// From the pen location, which moves to the end point.
	void StrokeLine(BPoint toPoint, ::pattern p = B_SOLID_HIGH);
	void StrokeLine(BPoint start, BPoint end, ::pattern p = B_SOLID_HIGH);
	// Text in the high colour with its baseline starting at the pen (or the given point);
	// the pen moves to the end of the text.
	void DrawString(const char* string, escapement_delta* delta = nullptr);
	void DrawString(const char* string, BPoint location, escapement_delta* delta = nullptr);
	void DrawString(const char* string, int32 length, escapement_delta* delta = nullptr);
	void DrawString(const char* string, int32 length, BPoint location,
	                escapement_delta* delta = nullptr);
	void DrawChar(char aChar);
	void DrawChar(char aChar, BPoint location);
	// Bitmaps of the 32-bit colour spaces; others draw nothing.
	void DrawBitmap(const BBitmap* bitmap);
	void DrawBitmap(const BBitmap* bitmap, BPoint where);
	void DrawBitmap(const BBitmap* bitmap, BRect viewRect);
	void DrawBitmap(const BBitmap* bitmap, BRect bitmapRect, BRect viewRect);
	void DrawBitmapAsync(const BBitmap* bitmap);
	void DrawBitmapAsync(const BBitmap* bitmap, BPoint where);
	void DrawBitmapAsync(const BBitmap* bitmap, BRect viewRect);
	void DrawBitmapAsync(const BBitmap* bitmap, BRect bitmapRect, BRect viewRect);

	// Barriers: when Sync returns everything drawn before is in the host's pixels.
	void Sync() const;
	void Flush() const;

	// For the interface kit.
	BPrivate::ViewHost* Host() const { return fHost; }

	BView(const BView&) = delete;
	BView& operator=(const BView&) = delete;

private:
	friend class BPrivate::ViewHost;
	friend class BPrivate::WindowHost;
	friend class BScrollBar;
	friend class BWindow;

	struct State {
		rgb_color high;
		rgb_color low;
		drawing_mode mode;
		source_alpha alphaSource;
		alpha_function alphaFunction;
		float penSize;
		BPoint pen;
		BPoint origin;
		cap_mode cap;
		join_mode join;
		float miterLimit;
		BFont font;
	};

	void _InitData(BRect frame, const char* name, uint32 resizingMode, uint32 flags);
	void _Unarchive(BMessage* archive);
	void _AttachTree(BPrivate::ViewHost* host);
	void _DetachTree();
	void _CallAttachedHooks();
	void _CallDetachedHooks();
	void _GeometryChanged();
	void _InvalidateFrame();
	void _ResizeChildren(float dx, float dy);
	BPoint _SurfaceOffset() const;
	// The view's visible area in surface pixels: its frame within every ancestor's, without
	// the visible children's frames unless it draws on them. Empty when hidden.
	void _VisibleRegion(graphics::ClipRegion* region) const;
	graphics::Painter* _Painter();
	void _DrawBitmap(const BBitmap* bitmap, BRect bitmapRect, BRect viewRect, bool whole);
	void _DrawString(const char* string, int32 length, BPoint location,
	                 const escapement_delta* delta);

	BRect fFrame;
	BPoint fBoundsOrigin;
	uint32 fResizingMode;
	uint32 fFlags;
	int32 fHideLevel;
	rgb_color fViewColor;
	State fState;
	std::vector<State> fStateStack;
	// The parts of the state that were set explicitly and so go into an archive.
	uint32 fArchivingFlags;

	BView* fParent;
	std::vector<BView*> fChildren;
	BPrivate::ViewHost* fHost;

	// The painter is rebuilt whenever the geometry of the host's tree changed since it was
	// made; within a window's redraw pass its clipping is also limited to the redrawn region.
	std::unique_ptr<graphics::Painter> fPainter;
	std::unique_ptr<graphics::ClipRegion> fVisible;
	uint64 fPainterEpoch;
	uint64 fPainterPass;
	BPoint fSurfaceOffset;

	uint32 fEventMask;
	uint32 fMouseEventMask;

	// Kept by BScrollBar::SetTarget; a bar and its target forget each other when either goes.
	BScrollBar* fHorScroller;
	BScrollBar* fVerScroller;
};

#endif
