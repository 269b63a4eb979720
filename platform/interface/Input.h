// The input method's messages: B_INPUT_METHOD_EVENT carries "be:opcode", one of these, and
// for B_INPUT_METHOD_CHANGED the pre-edit text ("be:string"), its selection as two byte
// offsets ("be:selection") and whether the text is committed ("be:confirmed").
#ifndef _INPUT_H
#define _INPUT_H

#include <SupportDefs.h>

enum {
	B_INPUT_METHOD_STARTED = 0,
	B_INPUT_METHOD_STOPPED = 1,
	B_INPUT_METHOD_CHANGED = 2,
	B_INPUT_METHOD_LOCATION_REQUEST = 3,
};

#endif
