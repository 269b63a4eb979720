#include "X11ErrorHandler.h"

#include <atomic>
#include <cstdio>

#include <X11/Xlib.h>

namespace BPrivate {

namespace {

// Enough to show what goes wrong without filling a terminal when it keeps going wrong.
const int kMaxReports = 5;

std::atomic<int> sReports{0};

int handle_error(Display* display, XErrorEvent* error)
{
	if (error->error_code == BadWindow || error->error_code == BadDrawable)
		return 0;
	if (sReports.fetch_add(1) >= kMaxReports)
		return 0;
	char text[160] = "";
	XGetErrorText(display, error->error_code, text, sizeof(text));
	fprintf(stderr, "glowplate: the X server refused a request (%s; request %d.%d)\n", text,
	        (int)error->request_code, (int)error->minor_code);
	return 0;
}

} // namespace

void install_x11_error_handler()
{
	XSetErrorHandler(handle_error);
}

} // namespace BPrivate
