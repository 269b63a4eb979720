// One copy of a window's presented frame, for tests that read many of its pixels: reading
// them one by one through the driver copies the whole frame each time.
#ifndef FRAME_SNAPSHOT_H
#define FRAME_SNAPSHOT_H

#include <GraphicsDefs.h>
#include <Window.h>

#include <HeadlessBackend.h>

#include "TestDriver.h"
#include "WindowPrivate.h"

class FrameSnapshot {
public:
	explicit FrameSnapshot(BWindow* window)
	{
		driver::Backend()->GetWindow(BPrivate::WindowAccess::BackendId(window), &fState);
	}

	// The pixel at the window coordinates; transparent black outside the frame.
	rgb_color At(int32 x, int32 y) const
	{
		if (x < 0 || y < 0 || x >= fState.spec.width || y >= fState.spec.height)
			return make_color(0, 0, 0, 0);
		const uint8* pixel = &fState.pixels[((size_t)y * fState.spec.width + x) * 4];
		return make_color(pixel[2], pixel[1], pixel[0], pixel[3]);
	}

private:
	BPrivate::HeadlessBackend::WindowState fState;
};

#endif
