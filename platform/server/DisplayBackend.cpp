#include "DisplayBackend.h"

#include <cstdlib>
#include <cstring>

#include "HeadlessBackend.h"
#include "SdlBackend.h"

namespace BPrivate {

std::unique_ptr<DisplayBackend> DisplayBackend::Create(std::string* error)
{
	const char* choice = getenv("GLOWPLATE_BACKEND");
	if (choice != nullptr && *choice != '\0') {
		if (strcmp(choice, "headless") == 0)
			return std::make_unique<HeadlessBackend>();
		if (strcmp(choice, "sdl") == 0)
			return make_sdl_backend();
		if (error != nullptr) {
			*error = std::string("GLOWPLATE_BACKEND is \"") + choice +
			         "\"; it must be \"headless\" or \"sdl\".";
		}
		return nullptr;
	}
	const char* display = getenv("DISPLAY");
	const char* wayland = getenv("WAYLAND_DISPLAY");
	if ((display != nullptr && *display != '\0') || (wayland != nullptr && *wayland != '\0'))
		return make_sdl_backend();
	if (error != nullptr) {
		*error = "There is no display to show windows on: neither DISPLAY nor WAYLAND_DISPLAY "
		         "is set. Start the program from a desktop session, or set "
		         "GLOWPLATE_BACKEND=headless to run without a screen.";
	}
	return nullptr;
}

} // namespace BPrivate
