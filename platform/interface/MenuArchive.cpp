// Archiving of BMenu with the platform's field names: the view's fields, the menu's settings
// and every item's archive under "_items", in order.
#include <Menu.h>

#include <MenuItem.h>
#include <Message.h>

BMenu::BMenu(BMessage* archive) : BView(archive)
{
	int32 layout = B_ITEMS_IN_COLUMN;
	bool resizeToFit = true;
	if (archive != nullptr) {
		archive->FindInt32("_layout", &layout);
		resizeToFit = archive->GetBool("_rsize", true);
	}
	// _Init turns a layout it does not know into a column.
	_Init((menu_layout)layout, resizeToFit);
	if (archive == nullptr)
		return;
	fRadioMode = archive->GetBool("_radio", false);
	fLabelFromMarked = archive->GetBool("_dyn_label", false);
	if (fLabelFromMarked)
		fRadioMode = true;
	fEnabled = !archive->GetBool("_disable", false);

	BMessage itemArchive;
	for (int32 i = 0; archive->FindMessage("_items", i, &itemArchive) == B_OK; i++) {
		BArchivable* object = instantiate_object(&itemArchive);
		BMenuItem* item = dynamic_cast<BMenuItem*>(object);
		if (item == nullptr || !AddItem(item))
			delete object;
	}
}

BArchivable* BMenu::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BMenu"))
		return nullptr;
	return new BMenu(archive);
}

status_t BMenu::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddInt32("_layout", (int32)fLayout);
	if (status == B_OK)
		status = archive->AddBool("_rsize", fResizeToFit);
	if (status == B_OK && fRadioMode)
		status = archive->AddBool("_radio", true);
	if (status == B_OK && fLabelFromMarked)
		status = archive->AddBool("_dyn_label", true);
	if (status == B_OK && !fEnabled)
		status = archive->AddBool("_disable", true);
	for (size_t i = 0; status == B_OK && deep && i < fItems.size(); i++) {
		BMessage itemArchive;
		status = fItems[i]->Archive(&itemArchive, true);
		if (status == B_OK)
			status = archive->AddMessage("_items", &itemArchive);
	}
	return status;
}

B_REGISTER_ARCHIVABLE(BMenu);
