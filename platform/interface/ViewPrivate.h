// Bookkeeping shared by the view sources: which parts of the drawing state go into an archive,
// and the conversions between the view kit's values and the painter's.
#ifndef _VIEW_PRIVATE_H
#define _VIEW_PRIVATE_H

#include <SupportDefs.h>

#include <GraphicsDefs.h>
#include <GraphicsTypes.h>

namespace BPrivate {

// Which parts of a view's state were set explicitly; only those go into its archive, so
// that an unarchived subclass keeps the defaults its own constructor chose for the rest.
enum {
	kViewArchiveFont = 0x001,
	kViewArchiveHighColor = 0x002,
	kViewArchiveLowColor = 0x004,
	kViewArchiveViewColor = 0x008,
	kViewArchiveDrawingMode = 0x010,
	kViewArchivePenSize = 0x020,
	kViewArchivePenLocation = 0x040,
	kViewArchiveOrigin = 0x080,
	kViewArchiveLineModes = 0x100,
	kViewArchiveBlending = 0x200,
	kViewArchiveColors = kViewArchiveHighColor | kViewArchiveLowColor | kViewArchiveViewColor,
};

// The painter's forms of the view kit's values.
graphics::Color to_graphics_color(rgb_color color);
graphics::Pattern to_graphics_pattern(const pattern& p);
graphics::DrawMode to_graphics_mode(drawing_mode mode);

// The archive's packed form of a colour: red in the lowest byte, alpha in the highest.
uint32 pack_color(rgb_color color);
rgb_color unpack_color(uint32 packed);

} // namespace BPrivate

#endif
