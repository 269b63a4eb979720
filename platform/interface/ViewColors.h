// Colours that views of the kit take from where they stand.
#ifndef _VIEW_COLORS_H
#define _VIEW_COLORS_H

class BView;

namespace BPrivate {

// A view that stands on another takes its background as its view and low colour, so that it
// blends in; a view at the top of a window (or standing on a transparent one) takes the
// panel's colour.
void adopt_parent_colors(BView* view);

} // namespace BPrivate

#endif
