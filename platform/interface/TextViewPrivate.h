// What the text view's sources share beyond its class.
#ifndef _TEXT_VIEW_PRIVATE_H
#define _TEXT_VIEW_PRIVATE_H

#include <SupportDefs.h>

namespace BPrivate {

// The caret's blink, sent by a runner to the focused text view.
const uint32 kMsgTextViewBlink = '_tvb';
const bigtime_t kTextViewBlinkInterval = 500000;

} // namespace BPrivate

#endif
