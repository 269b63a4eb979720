#include "MergeAcceleratorKey.h"

namespace {

// Where an inserted mark goes, best first: before an ellipsis that promises a dialog, before
// an opening bracket, before the colon of a field label (full width or not), before arrows.
const char* const kMarkers[] = {"...", "[", "：", ":", ">>", "<<", "→", "←"};

} // namespace

BString merge_accelerator_key(const BString& format, const BString& letter, const BString& label)
{
	BString mark;
	if (format.Length() > 1) {
		format.CopyInto(mark, 1, format.Length() - 1);
		int32 letterAt = mark.FindFirst('a');
		if (letterAt >= 0) {
			mark.Remove(letterAt, 1);
			mark.Insert(letter, letterAt);
		} else {
			// A template without its letter marks nothing.
			mark.Truncate(0);
		}
	}
	if (!format.IsEmpty() && format[0] == IAP_ACC_KEY_MODE_PREFIX)
		return mark + label;

	int32 point = -1;
	for (const char* marker : kMarkers) {
		point = label.FindFirst(marker);
		if (point >= 0)
			break;
	}
	if (point < 0)
		return label + mark;
	while (point > 0 && label[point - 1] == ' ')
		point--;
	BString merged(label);
	merged.Insert(mark, point);
	return merged;
}
