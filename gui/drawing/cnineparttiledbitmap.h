// A bitmap that fills any rectangle: its four corners at their natural size,
// its edges tiled along their length and its centre tiled both ways. Never
// scaled.
#pragma once

#include "gui/drawing/cbitmap.h"

namespace VSTGUI
{

class CNinePartTiledBitmap : public CBitmap
{
public:
	// Widths of the left and right borders, heights of the top and bottom
	// borders, in pixels.
	struct PartOffsets
	{
		double left{0.};
		double top{0.};
		double right{0.};
		double bottom{0.};
	};

	enum Part : int32
	{
		kPartTopLeft = 0,
		kPartTop,
		kPartTopRight,
		kPartLeft,
		kPartCenter,
		kPartRight,
		kPartBottomLeft,
		kPartBottom,
		kPartBottomRight,
		kPartCount
	};

	CNinePartTiledBitmap(const CResourceDescription& description, const PartOffsets& offsets);
	// Wraps and remembers platformBitmap, which may be null.
	CNinePartTiledBitmap(IPlatformBitmap* platformBitmap, const PartOffsets& offsets);

	bool isTypeOf(const char* className) const override;

	// Ignores offset and draws the nine parts into rect.
	void draw(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint(0, 0),
	          float alpha = 1.f) override;
	virtual void drawParts(CDrawContext* context, const CRect& rect, float alpha = 1.f);
	// Fills partRects[kPartCount] from sourceRect, indexed by Part.
	virtual void calcPartRects(const CRect& sourceRect, const PartOffsets& offsets, CRect* partRects) const;

	const PartOffsets& getPartOffsets() const { return offsets; }
	void setPartOffsets(const PartOffsets& newOffsets) { offsets = newOffsets; }

protected:
	// Tiles source over dest without scaling; tiles outside the clip are
	// skipped.
	void drawPart(CDrawContext* context, const CRect& source, const CRect& dest, float alpha = 1.f);

	PartOffsets offsets;
};

} // namespace VSTGUI
