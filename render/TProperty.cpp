#include "TProperty.h"

#include <algorithm>

#include <Message.h>
#include <Rect.h>

#include <AppIdentity.h>

#include "TDisplayView.h"

namespace {

const char kFileName[] = "Glowplate_Property.arc";
const char kColorsField[] = "Clrs";

// The largest whole number the editor can store in an int32 member or the font size; the
// float comparison is exact because 2^31 is a float.
constexpr float kInt32Limit = 2147483648.0f;

// An int32 key whose value is at least `minimum` replaces the member. A smaller value is
// refused like a key of another type: the member stays and the status says so.
status_t find_int32_at_least(const TArchivable& record, const BMessage* from, const char* name,
                             int32 minimum, int32* member)
{
	int32 value = 0;
	status_t status = record.FindInt32(from, name, &value);
	if (status != B_OK)
		return status;
	if (value < minimum)
		return B_BAD_VALUE;
	*member = value;
	return B_OK;
}

// A margin truncates toward zero into an int32 of at least 0. Values outside that range, and
// NaN, have no int32 to truncate to, so the conversion alone would be undefined.
bool is_margin(float value)
{
	return value > -1.0f && value < kInt32Limit;
}

// Whether a sign with one text lamp column could be drawn with these values: a value for which
// even that picture cannot be drawn could never make a sign, whatever the text.
bool fits_one_column(int32 size, int32 gap, int32 rows, const int32 margin[4])
{
	const int64 columns =
	    1 + (int64)margin[TProperty::kMarginLeft] + margin[TProperty::kMarginRight];
	const int64 lampRows =
	    (int64)rows + margin[TProperty::kMarginTop] + margin[TProperty::kMarginBottom];
	return TDisplayView::CheckPictureSize(columns, lampRows, size, gap) == B_OK;
}

} // namespace

TProperty::TProperty()
    : mFontFamily("Haru"),
      mFontStyle("Regular"), mColors{{255, 255, 255, 255}, {0, 128, 0, 255}, {0, 0, 0, 255}},
      mLEDSize(2), mLEDGap(1), mResolutionY(24), mMargin{0, 0, 0, 0}, mSrcScreenFontSize(200.0f),
      mCorrectHoarse(true)
{
}

TProperty::~TProperty() = default;

status_t TProperty::Archive(BMessage* into, bool deep) const
{
	status_t status = TTamarackArchivable::Archive(into, deep);
	if (into == nullptr)
		return status;

	status |= into->AddBool("CrHs", mCorrectHoarse);
	status |= into->AddInt32("LDSz", mLEDSize);
	status |= into->AddInt32("LDGp", mLEDGap);
	status |= into->AddInt32("RslY", mResolutionY);
	status |= into->AddFloat("SSFS", mSrcScreenFontSize);
	status |= into->AddString("FtFm", mFontFamily);
	status |= into->AddString("FtSt", mFontStyle);
	for (const rgb_color& color : mColors)
		status |= into->AddData(kColorsField, B_RAW_TYPE, &color, sizeof(color), true, kColorCount);
	BRect margins((float)mMargin[kMarginLeft], (float)mMargin[kMarginTop],
	              (float)mMargin[kMarginRight], (float)mMargin[kMarginBottom]);
	status |= into->AddRect("Magn", margins);
	return status;
}

status_t TProperty::Unarchive(const BMessage* from)
{
	status_t status = TTamarackArchivable::Unarchive(from);
	if (from == nullptr)
		return B_BAD_VALUE;

	status |= FindBool(from, "CrHs", &mCorrectHoarse);
	// The sizes are read first and taken together below.
	int32 size = mLEDSize, gap = mLEDGap, rows = mResolutionY;
	status_t sizeStatus = find_int32_at_least(*this, from, "LDSz", 1, &size);
	status_t gapStatus = find_int32_at_least(*this, from, "LDGp", 0, &gap);
	status_t rowsStatus = find_int32_at_least(*this, from, "RslY", 1, &rows);

	float fontSize = 0;
	status_t fontStatus = FindFloat(from, "SSFS", &fontSize);
	if (fontStatus == B_OK && !(fontSize >= 1.0f && fontSize < kInt32Limit))
		fontStatus = B_BAD_VALUE;
	if (fontStatus == B_OK)
		mSrcScreenFontSize = fontSize;
	status |= fontStatus;

	status |= FindString(from, "FtFm", &mFontFamily);
	status |= FindString(from, "FtSt", &mFontStyle);

	// The colours keep their alpha as stored, and a missing colour is no failure of the file.
	for (int32 index = 0; index < kColorCount; index++)
		FindColorBytes(from, kColorsField, B_RAW_TYPE, index, &mColors[index]);

	BRect margins;
	status_t marginStatus = FindRect(from, "Magn", &margins);
	if (marginStatus == B_OK && !(is_margin(margins.left) && is_margin(margins.top) &&
	                              is_margin(margins.right) && is_margin(margins.bottom)))
		marginStatus = B_BAD_VALUE;
	int32 margin[4] = {};
	std::copy(mMargin, mMargin + 4, margin);
	if (marginStatus == B_OK) {
		margin[kMarginLeft] = (int32)margins.left;
		margin[kMarginTop] = (int32)margins.top;
		margin[kMarginRight] = (int32)margins.right;
		margin[kMarginBottom] = (int32)margins.bottom;
	}

	// A value with which no sign could be drawn, not even one of a single text column, is
	// refused like a value out of range. When the values read do not fit together, each is
	// taken in the file's order only if it fits with those taken before it.
	if (!fits_one_column(size, gap, rows, margin)) {
		int32 takenSize = mLEDSize, takenGap = mLEDGap, takenRows = mResolutionY;
		int32 taken[4];
		std::copy(mMargin, mMargin + 4, taken);
		auto take = [&](status_t& found, int32* member, const int32* value, int32 count) {
			if (found != B_OK)
				return;
			int32 before[4];
			std::copy(member, member + count, before);
			std::copy(value, value + count, member);
			if (!fits_one_column(takenSize, takenGap, takenRows, taken)) {
				std::copy(before, before + count, member);
				found = B_BAD_VALUE;
			}
		};
		take(sizeStatus, &takenSize, &size, 1);
		take(gapStatus, &takenGap, &gap, 1);
		take(rowsStatus, &takenRows, &rows, 1);
		take(marginStatus, taken, margin, 4);
		size = takenSize;
		gap = takenGap;
		rows = takenRows;
		std::copy(taken, taken + 4, margin);
	}
	// Refused and missing values leave the members as they were.
	if (sizeStatus == B_OK)
		mLEDSize = size;
	if (gapStatus == B_OK)
		mLEDGap = gap;
	if (rowsStatus == B_OK)
		mResolutionY = rows;
	if (marginStatus == B_OK)
		std::copy(margin, margin + 4, mMargin);
	status |= sizeStatus | gapStatus | rowsStatus | marginStatus;
	return status;
}

status_t TProperty::LoadFromFile()
{
	return LoadByName(gAppSettingsFolder, kFileName);
}

status_t TProperty::SaveToFile() const
{
	return SaveByName(gAppSettingsFolder, kFileName);
}
