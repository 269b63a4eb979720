// The options of the board parameters: the lamps' look, the fixed board and its motion.
#include "TRenderOptions.h"

#include <cmath>

#include <TBoardProperty.h>

#include "TOptionValue.h"

namespace {

const char* const kShapes[] = {"square", "rounded", "round", nullptr};
const char* const kAligns[] = {"left", "center", "right", "centre", nullptr};
const char* const kMotions[] = {"still", "scroll", "page", nullptr};

} // namespace

bool TRenderOptions::Animated() const
{
	return mMotion.has_value() && *mMotion != TBoardProperty::kStill;
}

status_t TRenderOptions::_TakeBoard(const Option& option, const char* value, BString* error)
{
	int32 number = 0;
	float decimal = 0;
	// Whole and decimal numbers in a range, with the range in the message when refused.
	auto whole = [&](int32 minimum, int32 maximum, std::optional<int32>& member) {
		if (!TOptionValue::Int32(value, minimum, maximum, &number)) {
			error->SetToFormat("--%s must be a whole number from %d to %d, not '%s'", option.name,
			                   (int)minimum, (int)maximum, value);
			return (status_t)B_BAD_VALUE;
		}
		member = number;
		return (status_t)B_OK;
	};
	auto real = [&](float minimum, float maximum, std::optional<float>& member) {
		if (!TOptionValue::Float(value, minimum, maximum, &decimal)) {
			error->SetToFormat("--%s must be a number from %g to %g, not '%s'", option.name,
			                   minimum, maximum, value);
			return (status_t)B_BAD_VALUE;
		}
		member = decimal;
		return (status_t)B_OK;
	};
	// Holds are given in seconds and kept in milliseconds.
	auto seconds = [&](std::optional<int32>& member) {
		std::optional<float> given;
		if (real(0, TBoardProperty::kMaxHold / 1000.0f, given) != B_OK)
			return (status_t)B_BAD_VALUE;
		member = (int32)std::lround(*given * 1000.0);
		return (status_t)B_OK;
	};
	auto choice = [&](const char* const* words, const char* list, std::optional<int32>& member) {
		if (!TOptionValue::Choice(value, words, &number)) {
			error->SetToFormat("--%s must be %s, not '%s'", option.name, list, value);
			return (status_t)B_BAD_VALUE;
		}
		member = number;
		return (status_t)B_OK;
	};

	switch (option.kind) {
	case kLamp:
		return choice(kShapes, "square, rounded or round", mShape);
	case kCornerRadius:
		return whole(0, TLampLook::kMaxShapedLampSize, mCornerRadius);
	case kSmooth:
		mSmooth = true;
		return B_OK;
	case kNoSmooth:
		mSmooth = false;
		return B_OK;
	case kGlow:
		return whole(0, TLampLook::kMaxGlowRadius, mGlowRadius);
	case kGlowStrength:
		return real(0, TLampLook::kMaxGlowStrength, mGlowStrength);
	case kBoardWidth:
		return whole(1, TBoardProperty::kMaxBoardWidth, mBoardWidth);
	case kAlign: {
		status_t status = choice(kAligns, "left, center or right", mAlign);
		// "centre" is the same place as "center".
		if (status == B_OK && *mAlign == 3)
			mAlign = TBoardProperty::kAlignCenter;
		return status;
	}
	case kAnimate:
		return choice(kMotions, "still, scroll or page", mMotion);
	case kFps:
		return real(1, TBoardProperty::kMaxFramesPerSecond, mFps);
	case kSpeed:
		return real(TBoardProperty::kMinSpeed, TBoardProperty::kMaxSpeed, mSpeed);
	case kHoldStart:
		return seconds(mHoldStart);
	case kHoldEnd:
		return seconds(mHoldEnd);
	case kLoop:
		return whole(0, TBoardProperty::kMaxLoopCount, mLoop);
	default:
		return B_BAD_VALUE;
	}
}

void TRenderOptions::Apply(TBoardProperty* board) const
{
	if (mShape)
		board->mLook.mShape = *mShape;
	if (mCornerRadius)
		board->mLook.mCornerRadius = *mCornerRadius;
	if (mSmooth)
		board->mLook.mAntialias = *mSmooth;
	if (mGlowRadius)
		board->mLook.mGlowRadius = *mGlowRadius;
	if (mGlowStrength)
		board->mLook.mGlowStrength = *mGlowStrength;
	if (mBoardWidth)
		board->mBoardWidth = *mBoardWidth;
	if (mAlign)
		board->mAlign = *mAlign;
	if (mMotion)
		board->mMotion = *mMotion;
	if (mFps)
		board->mFramesPerSecond = *mFps;
	if (mSpeed)
		board->mSpeed = *mSpeed;
	if (mHoldStart)
		board->mHoldStart = *mHoldStart;
	if (mHoldEnd)
		board->mHoldEnd = *mHoldEnd;
	if (mLoop)
		board->mLoopCount = *mLoop;
}
