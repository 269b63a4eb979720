#include <SeparatorItem.h>

#include <Menu.h>
#include <Message.h>

#include "MenuPrivate.h"
#include "StylePainter.h"

BSeparatorItem::BSeparatorItem() : BMenuItem("", nullptr)
{
	BMenuItem::SetEnabled(false);
}

BSeparatorItem::BSeparatorItem(BMessage* archive) : BMenuItem(archive)
{
	BMenuItem::SetEnabled(false);
}

BSeparatorItem::~BSeparatorItem() {}

BArchivable* BSeparatorItem::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BSeparatorItem"))
		return nullptr;
	return new BSeparatorItem(archive);
}

status_t BSeparatorItem::Archive(BMessage* archive, bool deep) const
{
	return BMenuItem::Archive(archive, deep);
}

void BSeparatorItem::SetEnabled(bool) {}

void BSeparatorItem::GetContentSize(float* width, float* height)
{
	if (width != nullptr)
		*width = 2;
	if (height != nullptr)
		*height = BPrivate::MenuMetrics::kSeparatorHeight;
}

void BSeparatorItem::Draw()
{
	BMenu* menu = Menu();
	if (menu == nullptr)
		return;
	BRect frame = Frame();
	if (menu->Layout() == B_ITEMS_IN_ROW) {
		BPrivate::StylePainter::DrawSeparator(menu, frame.InsetByCopy(0, 3), B_VERTICAL);
		return;
	}
	BPrivate::StylePainter::DrawSeparator(menu, frame.InsetByCopy(4, 0), B_HORIZONTAL);
}

B_REGISTER_ARCHIVABLE(BSeparatorItem);
