// A line between groups of items in a menu. It can neither be chosen nor selected.
#ifndef _SEPARATOR_ITEM_H
#define _SEPARATOR_ITEM_H

#include <MenuItem.h>

class BSeparatorItem : public BMenuItem {
public:
	BSeparatorItem();
	explicit BSeparatorItem(BMessage* archive);
	~BSeparatorItem() override;

	static BArchivable* Instantiate(BMessage* archive);
	status_t Archive(BMessage* archive, bool deep = true) const override;

	// A separator stays disabled.
	void SetEnabled(bool enabled) override;

protected:
	void GetContentSize(float* width, float* height) override;
	void Draw() override;
};

#endif
