#include "ViewHost.h"

#include <View.h>

#include "ViewPrivate.h"

namespace BPrivate {

graphics::Color to_graphics_color(rgb_color color)
{
	return graphics::Color(color.red, color.green, color.blue, color.alpha);
}

graphics::Pattern to_graphics_pattern(const pattern& p)
{
	graphics::Pattern result;
	for (int i = 0; i < 8; i++)
		result.rows[i] = p.data[i];
	return result;
}

graphics::DrawMode to_graphics_mode(drawing_mode mode)
{
	switch (mode) {
	case B_OP_OVER:
		return graphics::DrawMode::Over;
	case B_OP_ERASE:
		return graphics::DrawMode::Erase;
	case B_OP_INVERT:
		return graphics::DrawMode::Invert;
	case B_OP_ADD:
		return graphics::DrawMode::Add;
	case B_OP_SUBTRACT:
		return graphics::DrawMode::Subtract;
	case B_OP_BLEND:
		return graphics::DrawMode::Blend;
	case B_OP_MIN:
		return graphics::DrawMode::Min;
	case B_OP_MAX:
		return graphics::DrawMode::Max;
	case B_OP_SELECT:
		return graphics::DrawMode::Select;
	case B_OP_ALPHA:
		return graphics::DrawMode::Alpha;
	case B_OP_COPY:
	default:
		return graphics::DrawMode::Copy;
	}
}

uint32 pack_color(rgb_color color)
{
	return (uint32)color.red | ((uint32)color.green << 8) | ((uint32)color.blue << 16) |
	       ((uint32)color.alpha << 24);
}

rgb_color unpack_color(uint32 packed)
{
	return make_color(packed & 0xff, (packed >> 8) & 0xff, (packed >> 16) & 0xff, packed >> 24);
}

void ViewHost::InstallTopView(BView* top, BPoint boundsOrigin)
{
	fTopView = top;
	top->fBoundsOrigin = boundsOrigin;
	top->_AttachTree(this);
	GeometryChanged();
}

void ViewHost::DeleteTopView()
{
	BView* top = fTopView;
	if (top == nullptr)
		return;
	// The application's views hear that they leave the host before anything is deleted.
	for (BView* child : top->fChildren)
		child->_CallDetachedHooks();
	top->_DetachTree();
	fTopView = nullptr;
	delete top;
	GeometryChanged();
}

void ViewHost::SurfaceChanged()
{
	GeometryChanged();
}

} // namespace BPrivate
