// What becomes of the X server's error reports. Xlib's own handler prints the report and
// ends the program, which would throw away the user's unsaved work over a request that lost
// a race: SDL wakes its waiting event loop from other threads by sending an event to one of
// the program's windows, and that window may have been destroyed a moment before.
#ifndef _X11_ERROR_HANDLER_H
#define _X11_ERROR_HANDLER_H

namespace BPrivate {

// Replaces the handler of protocol errors, for the whole process, with one that ignores a
// window or drawable that is already gone and reports other errors on standard error, a few
// at most, without ending the program. SDL puts its own handler in place when it starts and
// the previous one back when it quits, so this is called after every start of SDL. A lost
// connection still ends the program: Xlib gives no way back from that.
void install_x11_error_handler();

} // namespace BPrivate

#endif
