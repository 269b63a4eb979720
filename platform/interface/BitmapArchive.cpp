// Archiving of BBitmap: its layout, its pixels and, when deep, its views.
#include <Bitmap.h>

#include <cstring>

#include <Message.h>
#include <View.h>

BBitmap::BBitmap(BMessage* archive) : BArchivable(archive)
{
	BRect bounds;
	int32 colorSpace = B_NO_COLOR_SPACE;
	int32 flags = 0;
	int32 bytesPerRow = B_ANY_BYTES_PER_ROW;
	if (archive == nullptr || archive->FindRect("_frame", &bounds) != B_OK ||
	    archive->FindInt32("_cspace", &colorSpace) != B_OK) {
		_Init(BRect(), 0, B_NO_COLOR_SPACE, B_ANY_BYTES_PER_ROW);
		fInitStatus = B_BAD_VALUE;
		return;
	}
	archive->FindInt32("_bmflags", &flags);
	archive->FindInt32("_rowbytes", &bytesPerRow);
	_Init(bounds, (uint32)flags, (color_space)colorSpace, bytesPerRow);
	if (!IsValid())
		return;

	// Pixels of another length than the layout's come from another program or from damage;
	// the bitmap keeps what fits.
	const void* data;
	ssize_t size;
	if (archive->FindData("_data", B_RAW_TYPE, &data, &size) == B_OK && size > 0)
		memcpy(fBits, data, (size_t)(size < fBitsLength ? size : fBitsLength));

	BMessage viewArchive;
	for (int32 i = 0; archive->FindMessage("_views", i, &viewArchive) == B_OK; i++) {
		BArchivable* object = instantiate_object(&viewArchive);
		BView* view = dynamic_cast<BView*>(object);
		if (view != nullptr && fHost != nullptr)
			AddChild(view);
		else
			delete object;
	}
}

BArchivable* BBitmap::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BBitmap"))
		return nullptr;
	return new BBitmap(archive);
}

status_t BBitmap::Archive(BMessage* archive, bool deep) const
{
	if (archive == nullptr)
		return B_BAD_VALUE;
	if (!IsValid())
		return B_NO_INIT;
	status_t status = BArchivable::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddRect("_frame", fBounds);
	if (status == B_OK)
		status = archive->AddInt32("_cspace", (int32)fColorSpace);
	if (status == B_OK)
		status = archive->AddInt32("_bmflags", (int32)fFlags);
	if (status == B_OK)
		status = archive->AddInt32("_rowbytes", fBytesPerRow);
	if (status == B_OK)
		status = archive->AddData("_data", B_RAW_TYPE, Bits(), fBitsLength, false);
	for (int32 i = 0; status == B_OK && deep && i < CountChildren(); i++) {
		BMessage viewArchive;
		status = ChildAt(i)->Archive(&viewArchive, true);
		if (status == B_OK)
			status = archive->AddMessage("_views", &viewArchive);
	}
	return status;
}

B_REGISTER_ARCHIVABLE(BBitmap);
