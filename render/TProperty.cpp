#include "TProperty.h"

#include <Message.h>
#include <Rect.h>

#include <AppIdentity.h>

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
	status |= find_int32_at_least(*this, from, "LDSz", 1, &mLEDSize);
	status |= find_int32_at_least(*this, from, "LDGp", 0, &mLEDGap);
	status |= find_int32_at_least(*this, from, "RslY", 1, &mResolutionY);

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
	if (marginStatus == B_OK) {
		mMargin[kMarginLeft] = (int32)margins.left;
		mMargin[kMarginTop] = (int32)margins.top;
		mMargin[kMarginRight] = (int32)margins.right;
		mMargin[kMarginBottom] = (int32)margins.bottom;
	}
	status |= marginStatus;
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
