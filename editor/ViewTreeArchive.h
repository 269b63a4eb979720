// The archived view tree from which the editor view is built: every archived control of the
// editor with its name, class, parent, frame, resizing mode, flags, divider, alignment, font
// and text, in drawing order. The resource generator flattens it into the application's
// resources; the tests build the editor from it directly.
#ifndef VIEW_TREE_ARCHIVE_H
#define VIEW_TREE_ARCHIVE_H

#include <Message.h>

// The resource that holds the tree: type 'ARCV', this id and this name.
constexpr type_code kViewTreeResourceType = 'ARCV';
constexpr int32 kViewTreeResourceID = 4000;
constexpr const char kViewTreeResourceName[] = "GlowplateViewRsrc";

// The deep archive of the tree, rooted at the view "BGView" (archived as a plain BView, and
// restored as the editor view by its owner). A message without fields if a view could not be
// archived.
BMessage build_glowplate_view_archive();

#endif
