// The gallery's corner for the tool bar and the completing text field: a bar of three tipped
// buttons (one that lists every candidate, then, past a separator, two that choose how many
// candidates the field keeps) above a field that completes station names typed after a "/".
// The field's candidates are kept in Gallery_Completion.arc in the application's settings
// folder; a first run starts with a few stations, so there is something to complete at once.
#ifndef GALLERY_COMPLETION_H
#define GALLERY_COMPLETION_H

#include <Point.h>
#include <SupportDefs.h>

class BHandler;
class BView;

// What the demo tells `target` when a button is pressed: "text" says what happened.
enum : uint32 { kMsgCompletionDemoReport = 'gcmp' };

// Adds the demo to the parent with its left-top corner at `where` and returns its view, which
// is as large as the bar and the field need. Reports go to the target when one is given, with
// reportCode as their `what`.
BView* add_completion_demo(BView* parent, BPoint where, BHandler* target = nullptr,
                           uint32 reportCode = kMsgCompletionDemoReport);

#endif
