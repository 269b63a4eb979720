#include "TBoardProperty.h"

#include <cmath>

#include <Message.h>

#include <AppIdentity.h>

// The record has no dependency on any other global, so it may be constructed in any order.
TBoardProperty gBoardProperty;

namespace {

const char kFileName[] = "Glowplate_Board.arc";

// A key whose value lies in [minimum, maximum] replaces the member; other values are refused
// like keys of another type: the member stays and the status says so.
template <typename T>
status_t find_in(const TArchivable& record,
                 status_t (TArchivable::*find)(const BMessage*, const char*, T*) const,
                 const BMessage* from, const char* name, T minimum, T maximum, T* member)
{
	T value = 0;
	status_t status = (record.*find)(from, name, &value);
	if (status != B_OK)
		return status;
	if (!(value >= minimum && value <= maximum))
		return B_BAD_VALUE;
	*member = value;
	return B_OK;
}

status_t find_int32_in(const TArchivable& record, const BMessage* from, const char* name,
                       int32 minimum, int32 maximum, int32* member)
{
	return find_in<int32>(record, &TArchivable::FindInt32, from, name, minimum, maximum, member);
}

status_t find_float_in(const TArchivable& record, const BMessage* from, const char* name,
                       float minimum, float maximum, float* member)
{
	return find_in<float>(record, &TArchivable::FindFloat, from, name, minimum, maximum, member);
}

} // namespace

TBoardProperty::TBoardProperty()
    : mBoardWidth(0), mAlign(kAlignLeft), mMotion(kStill), mFramesPerSecond(25.0f), mSpeed(25.0f),
      mHoldStart(1000), mHoldEnd(1000), mLoopCount(0)
{
}

TBoardProperty::~TBoardProperty() = default;

status_t TBoardProperty::Archive(BMessage* into, bool deep) const
{
	status_t status = TTamarackArchivable::Archive(into, deep);
	if (into == nullptr)
		return status;
	status |= into->AddInt32("LpSh", mLook.mShape);
	status |= into->AddInt32("LpCR", mLook.mCornerRadius);
	status |= into->AddBool("LpAA", mLook.mAntialias);
	status |= into->AddInt32("GlRd", mLook.mGlowRadius);
	status |= into->AddFloat("GlSt", mLook.mGlowStrength);
	status |= into->AddInt32("BdWd", mBoardWidth);
	status |= into->AddInt32("BdAl", mAlign);
	status |= into->AddInt32("MtKd", mMotion);
	status |= into->AddFloat("MtFp", mFramesPerSecond);
	status |= into->AddFloat("MtSp", mSpeed);
	status |= into->AddInt32("MtHs", mHoldStart);
	status |= into->AddInt32("MtHe", mHoldEnd);
	status |= into->AddInt32("MtLp", mLoopCount);
	return status;
}

status_t TBoardProperty::Unarchive(const BMessage* from)
{
	status_t status = TTamarackArchivable::Unarchive(from);
	if (from == nullptr)
		return B_BAD_VALUE;
	status |=
	    find_int32_in(*this, from, "LpSh", TLampLook::kSquare, TLampLook::kRound, &mLook.mShape);
	status |=
	    find_int32_in(*this, from, "LpCR", 0, TLampLook::kMaxCornerRadius, &mLook.mCornerRadius);
	status |= FindBool(from, "LpAA", &mLook.mAntialias);
	status |= find_int32_in(*this, from, "GlRd", 0, TLampLook::kMaxGlowRadius, &mLook.mGlowRadius);
	status |=
	    find_float_in(*this, from, "GlSt", 0.0f, TLampLook::kMaxGlowStrength, &mLook.mGlowStrength);
	status |= find_int32_in(*this, from, "BdWd", 0, kMaxBoardWidth, &mBoardWidth);
	status |= find_int32_in(*this, from, "BdAl", kAlignLeft, kAlignRight, &mAlign);
	status |= find_int32_in(*this, from, "MtKd", kStill, kPage, &mMotion);
	status |= find_float_in(*this, from, "MtFp", 1.0f, kMaxFramesPerSecond, &mFramesPerSecond);
	status |= find_float_in(*this, from, "MtSp", kMinSpeed, kMaxSpeed, &mSpeed);
	status |= find_int32_in(*this, from, "MtHs", 0, kMaxHold, &mHoldStart);
	status |= find_int32_in(*this, from, "MtHe", 0, kMaxHold, &mHoldEnd);
	status |= find_int32_in(*this, from, "MtLp", 0, kMaxLoopCount, &mLoopCount);
	return status;
}

status_t TBoardProperty::LoadFromFile()
{
	return LoadByName(gAppSettingsFolder, kFileName);
}

status_t TBoardProperty::SaveToFile() const
{
	return SaveByName(gAppSettingsFolder, kFileName);
}

status_t TBoardProperty::Check() const
{
	if (mLook.Check() != B_OK || mBoardWidth < 0 || mBoardWidth > kMaxBoardWidth ||
	    mAlign < kAlignLeft || mAlign > kAlignRight || mMotion < kStill || mMotion > kPage ||
	    !(mFramesPerSecond >= 1.0f && mFramesPerSecond <= kMaxFramesPerSecond) ||
	    !(mSpeed >= kMinSpeed && mSpeed <= kMaxSpeed) || mHoldStart < 0 || mHoldStart > kMaxHold ||
	    mHoldEnd < 0 || mHoldEnd > kMaxHold || mLoopCount < 0 || mLoopCount > kMaxLoopCount)
		return B_BAD_VALUE;
	return B_OK;
}
