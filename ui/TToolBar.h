// A horizontal bar of tool buttons and separators, laid out edge to edge from a margin of three
// pixels. The bar and its buttons can be drawn flat (no bevels until the pointer is over a
// button), and disabling the bar disables every button on it.
#ifndef T_TOOL_BAR_H
#define T_TOOL_BAR_H

#include <vector>

#include <Messenger.h>
#include <View.h>

class TToolButton;

class TToolBar : public BView {
public:
	TToolBar(BRect frame, const char* name, uint32 resizingMode);
	~TToolBar() override;

	virtual void SetEnabled(bool enabled);
	virtual void SetTargetForItems(BHandler* target);
	virtual void SetTargetForItems(const BMessenger& target);

	// The bar takes the width of its window.
	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;
	void GetPreferredSize(float* width, float* height) override;

	// The bar takes the button as a child. False, adding nothing, for a null button, one that
	// is in a view tree already, or an index below 0 or beyond the count.
	bool AddItem(TToolButton* button);
	bool AddItem(TToolButton* button, int32 index);
	// A separator as tall as the tallest item so far.
	bool AddSeparatorItem();
	// Places the items from the index on, each right after the one before it.
	void RelocateItems(int32 index);

	int32 CountItems() const { return (int32)mItems.size(); }
	TToolButton* ItemAt(int32 index) const;
	int32 IndexOf(const TToolButton* button) const;
	// The first item of the view name, or null.
	TToolButton* FindItem(const char* name) const;
	// The first item from the index on that is on, or null.
	TToolButton* FindPushed(int32 start = 0) const;

	bool IsEnabled() const { return mEnabled; }
	void SetBarFlat(bool flat);
	bool IsBarFlat() const { return mBarFlat; }
	void SetButtonFlat(bool flat);
	bool IsButtonFlat() const { return mButtonFlat; }

	// The space around the items.
	static constexpr float kMargin = 3;

private:
	bool mEnabled;
	bool mBarFlat;
	bool mButtonFlat;
	float mMaxItemHeight;
	std::vector<TToolButton*> mItems;
};

#endif
