// The PNG export of TDisplayView: the picture is drawn afresh into a bitmap by the same
// drawing as the screen, encoded into a temporary file beside the target, and only a
// complete encoding replaces the target.
#include "TDisplayView.h"

#include <AtomicFile.h>
#include <Bitmap.h>
#include <BitmapStream.h>
#include <Entry.h>
#include <TranslatorFormats.h>
#include <TranslatorRoster.h>

#include <TProperty.h>

status_t TDisplayView::Save(const entry_ref& ref)
{
	// Nothing is drawn for a file that cannot be written.
	BAtomicFile file(&ref);
	status_t status = file.InitCheck();
	if (status != B_OK)
		return status;
	BTranslatorRoster* roster = BTranslatorRoster::Default();
	if (roster == nullptr)
		return B_NO_TRANSLATOR;
	if (mOffScreen == nullptr)
		return B_NO_INIT;
	if (gProperty.mLEDSize < 1 || gProperty.mLEDGap < 0)
		return B_BAD_VALUE;

	float width, height;
	GetPreferredSize(&width, &height);
	// The sizes are whole numbers; a picture too large for memory fails before any of it
	// is allocated.
	const double pixels = ((double)width + 1) * ((double)height + 1);
	if (!(pixels * 4 <= (double)kMaxPictureBytes))
		return B_NO_MEMORY;
	const BRect bounds(0, 0, width, height);
	BBitmap* bitmap = new BBitmap(bounds, B_BITMAP_ACCEPTS_VIEWS, B_RGBA32);
	if (!bitmap->IsValid()) {
		status = bitmap->InitCheck();
		delete bitmap;
		return status;
	}
	BView* view = new BView(bounds, "SaveView", B_FOLLOW_NONE, 0);
	bitmap->AddChild(view);
	if (view->LockLooper()) {
		DrawToView(view);
		view->Sync();
		view->UnlockLooper();
	}

	// The stream owns the bitmap and with it the view. Leaving without Commit removes the
	// temporary file, so an existing target stays as it was.
	BBitmapStream stream(bitmap);
	status = roster->Translate(&stream, nullptr, nullptr, &file, B_PNG_FORMAT, 0, "image/png");
	if (status != B_OK)
		return status;
	return file.Commit();
}
