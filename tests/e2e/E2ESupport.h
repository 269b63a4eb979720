// What the end-to-end tests need to run a real program on the test display: start it with the
// SDL backend and read its standard output line by line with deadlines, drive it with xdotool
// (through XTEST, without --window: there is no window manager), and look at the screen.
#ifndef E2E_SUPPORT_H
#define E2E_SUPPORT_H

#include <string>
#include <vector>

#include <GraphicsDefs.h>
#include <OS.h>

namespace e2e {

// Whether the display, xdotool and import are there; the tests skip otherwise.
bool DisplayAvailable(std::string* why);

class Program {
public:
	// Starts the program with these arguments and extra environment ("NAME=value"), with the
	// SDL backend on the current display.
	Program(const std::string& path, const std::vector<std::string>& arguments,
	        const std::vector<std::string>& environment = {});
	~Program();

	bool Started() const { return fPid > 0; }
	// The next line of its standard output, waiting at most `timeout` µs; false when none
	// came (or the program ended).
	bool ReadLine(std::string* line, bigtime_t timeout = 10000000);
	// Waits for a line equal to `expected`, skipping others; false on timeout.
	bool WaitForLine(const std::string& expected, bigtime_t timeout = 10000000);
	// Waits for the program to end; its exit status, or -1 when it did not end in time.
	int Wait(bigtime_t timeout = 10000000);
	// Sends the program a signal; false when it is not running.
	bool Signal(int signal);

private:
	int fPid = -1;
	int fOutput = -1;
	std::string fBuffer;
};

// Runs xdotool with these arguments; true when it succeeded.
bool Xdotool(const std::vector<std::string>& arguments);

// A screenshot of the whole screen (import -window root), as rows of B_RGBA32 pixels.
struct Screenshot {
	int32 width = 0;
	int32 height = 0;
	std::vector<uint8> pixels;
	rgb_color At(int32 x, int32 y) const;
};
bool TakeScreenshot(Screenshot* shot);
// Takes screenshots until the pixel has the colour, at most `timeout` µs.
bool WaitForPixel(int32 x, int32 y, rgb_color color, bigtime_t timeout = 10000000);

} // namespace e2e

#endif
