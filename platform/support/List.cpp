#include <List.h>

#include <algorithm>

BList::BList(int32 count)
{
	fItems.reserve(count > 0 ? (size_t)count : 0);
}

bool BList::AddItem(void* item)
{
	fItems.push_back(item);
	return true;
}

bool BList::AddItem(void* item, int32 index)
{
	if (index < 0 || index > CountItems())
		return false;
	fItems.insert(fItems.begin() + index, item);
	return true;
}

bool BList::AddList(const BList* list)
{
	return list != nullptr && AddList(list, CountItems());
}

bool BList::AddList(const BList* list, int32 index)
{
	if (list == nullptr || index < 0 || index > CountItems())
		return false;
	std::vector<void*> copy = list->fItems;  // the list may be this one
	fItems.insert(fItems.begin() + index, copy.begin(), copy.end());
	return true;
}

bool BList::RemoveItem(void* item)
{
	int32 index = IndexOf(item);
	if (index < 0)
		return false;
	fItems.erase(fItems.begin() + index);
	return true;
}

void* BList::RemoveItem(int32 index)
{
	if (index < 0 || index >= CountItems())
		return nullptr;
	void* item = fItems[(size_t)index];
	fItems.erase(fItems.begin() + index);
	return item;
}

bool BList::RemoveItems(int32 index, int32 count)
{
	if (index < 0 || index > CountItems() || count < 0)
		return false;
	int32 end = (int32)std::min<int64>(CountItems(), (int64)index + count);
	fItems.erase(fItems.begin() + index, fItems.begin() + end);
	return true;
}

bool BList::ReplaceItem(int32 index, void* item)
{
	if (index < 0 || index >= CountItems())
		return false;
	fItems[(size_t)index] = item;
	return true;
}

bool BList::SwapItems(int32 a, int32 b)
{
	if (a < 0 || b < 0 || a >= CountItems() || b >= CountItems())
		return false;
	std::swap(fItems[(size_t)a], fItems[(size_t)b]);
	return true;
}

bool BList::MoveItem(int32 from, int32 to)
{
	if (from < 0 || to < 0 || from >= CountItems() || to >= CountItems())
		return false;
	void* item = fItems[(size_t)from];
	fItems.erase(fItems.begin() + from);
	fItems.insert(fItems.begin() + to, item);
	return true;
}

void BList::SortItems(int (*compare)(const void*, const void*))
{
	// The comparator receives pointers to the items, as with qsort.
	std::stable_sort(fItems.begin(), fItems.end(),
		[compare](void* a, void* b) { return compare(&a, &b) < 0; });
}

void* BList::ItemAt(int32 index) const
{
	if (index < 0 || index >= CountItems())
		return nullptr;
	return fItems[(size_t)index];
}

void* BList::FirstItem() const
{
	return fItems.empty() ? nullptr : fItems.front();
}

void* BList::LastItem() const
{
	return fItems.empty() ? nullptr : fItems.back();
}

int32 BList::IndexOf(void* item) const
{
	auto found = std::find(fItems.begin(), fItems.end(), item);
	return found == fItems.end() ? -1 : (int32)(found - fItems.begin());
}

void BList::DoForEach(bool (*func)(void*))
{
	for (void* item : fItems) {
		if (func(item))
			break;
	}
}

void BList::DoForEach(bool (*func)(void*, void*), void* arg)
{
	for (void* item : fItems) {
		if (func(item, arg))
			break;
	}
}
