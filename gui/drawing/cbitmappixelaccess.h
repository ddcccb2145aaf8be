// Read and write access to a bitmap's pixels in a uniform colour order,
// whatever byte order the platform stores. Colours are not converted: with
// premultiplied access the components are the premultiplied values.
//
// The drawn image reflects changed pixels only after the access is released.
#pragma once

#include "gui/base/cbaseobject.h"
#include "gui/base/ccolor.h"
#include "gui/drawing/iplatformbitmap.h"

namespace VSTGUI
{

class CBitmap;

class CBitmapPixelAccess : public CBaseObject
{
public:
	// A new access positioned at (0, 0), owned by the caller (forget ends the
	// access); null for a null or empty bitmap, when the pixels cannot be
	// locked or their format is unknown. The caller keeps the bitmap alive.
	static CBitmapPixelAccess* create(CBitmap* bitmap, bool alphaPremultiplied = true);

	// Next pixel in row order; false (and no move) at the last pixel.
	bool operator++();
	// False, position unchanged, outside the bitmap.
	bool setPosition(uint32 x, uint32 y);
	uint32 getX() const { return x; }
	uint32 getY() const { return y; }

	virtual void getColor(CColor& color) const = 0;
	virtual void setColor(const CColor& color) = 0;

	// Not owned by the caller.
	IPlatformBitmapPixelAccess* getPlatformBitmapPixelAccess() const { return pixelAccess; }

protected:
	CBitmapPixelAccess() = default;
	~CBitmapPixelAccess() override;
	CBitmapPixelAccess(const CBitmapPixelAccess&) = delete;
	CBitmapPixelAccess& operator=(const CBitmapPixelAccess&) = delete;

	// Takes over platformAccess's reference.
	void init(CBitmap* bitmap, IPlatformBitmapPixelAccess* platformAccess);

	CBitmap* bitmap{nullptr};
	IPlatformBitmapPixelAccess* pixelAccess{nullptr};
	uint8* currentPos{nullptr};
	uint8* address{nullptr};
	int32 bytesPerRow{0};
	int32 maxX{-1};
	int32 maxY{-1};
	uint32 x{0};
	uint32 y{0};
};

// The four template numbers are the byte positions of red, green, blue and
// alpha within one pixel.
template <int32 redPosition, int32 greenPosition, int32 bluePosition, int32 alphaPosition>
class CBitmapPixelAccessOrder : public CBitmapPixelAccess
{
public:
	void getColor(CColor& color) const override
	{
		color.red = currentPos[redPosition];
		color.green = currentPos[greenPosition];
		color.blue = currentPos[bluePosition];
		color.alpha = currentPos[alphaPosition];
	}

	void setColor(const CColor& color) override
	{
		currentPos[redPosition] = color.red;
		currentPos[greenPosition] = color.green;
		currentPos[bluePosition] = color.blue;
		currentPos[alphaPosition] = color.alpha;
	}
};

} // namespace VSTGUI
