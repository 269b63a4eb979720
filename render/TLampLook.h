// TLampLook says how one lamp of the sign is drawn: its shape inside its square, whether the
// shape's edges are smoothed, and the glow that lit lamps spread around them. The default is
// the plain square lamp without glow, which draws exactly the pixels the sign always had.
#ifndef T_LAMP_LOOK_H
#define T_LAMP_LOOK_H

#include <SupportDefs.h>

struct TLampLook {
	enum Shape : int32 {
		kSquare = 0,  // the lamp fills its square
		kRounded = 1, // a square with corners rounded by mCornerRadius
		kRound = 2,   // a disc as wide as the square
	};

	// Limits that keep a look cheap to draw whatever a settings file or a command line asks
	// for: the glow's cost per pixel grows with its radius.
	static constexpr int32 kMaxCornerRadius = 1 << 20;
	static constexpr int32 kMaxGlowRadius = 64;
	static constexpr float kMaxGlowStrength = 4.0f;
	// Shapes other than the square are kept as a coverage mask per lamp; larger lamps are
	// drawn as squares.
	static constexpr int32 kMaxShapedLampSize = 128;

	int32 mShape = kSquare;
	// Rounded lamps only: the corner radius in pixels, at most half the lamp size (larger
	// values are taken as half the lamp size, which makes the lamp round).
	int32 mCornerRadius = 1;
	// Hard edges light a pixel when its centre lies inside the shape; smoothed edges mix the
	// lamp's colour with the gap colour by the part of the pixel the shape covers.
	bool mAntialias = false;
	// Light of the lit colour added around lit lamps, in pixels; 0 for none.
	int32 mGlowRadius = 0;
	// How much light a pixel amid lit lamps receives, as a share of the lit colour.
	float mGlowStrength = 0.5f;

	// True for the look that draws every lamp as a plain square of one colour.
	bool IsPlain() const { return mShape == kSquare && mGlowRadius == 0; }
	// The shape lamps of the size get: larger lamps than kMaxShapedLampSize are square.
	int32 ShapeFor(int32 lampSize) const
	{
		return lampSize > kMaxShapedLampSize ? (int32)kSquare : mShape;
	}
	// B_OK when every value is within its range, else B_BAD_VALUE.
	status_t Check() const
	{
		if (mShape < kSquare || mShape > kRound)
			return B_BAD_VALUE;
		if (mCornerRadius < 0 || mCornerRadius > kMaxCornerRadius)
			return B_BAD_VALUE;
		if (mGlowRadius < 0 || mGlowRadius > kMaxGlowRadius)
			return B_BAD_VALUE;
		if (!(mGlowStrength >= 0.0f && mGlowStrength <= kMaxGlowStrength))
			return B_BAD_VALUE;
		return B_OK;
	}
};

#endif
