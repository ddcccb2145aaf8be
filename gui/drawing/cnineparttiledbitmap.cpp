#include "gui/drawing/cnineparttiledbitmap.h"

#include "gui/drawing/cdrawcontext.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace VSTGUI
{

CNinePartTiledBitmap::CNinePartTiledBitmap(const CResourceDescription& description, const PartOffsets& offsets)
: CBitmap(description), offsets(offsets)
{
}

CNinePartTiledBitmap::CNinePartTiledBitmap(IPlatformBitmap* platformBitmap, const PartOffsets& offsets)
: CBitmap(platformBitmap), offsets(offsets)
{
}

bool CNinePartTiledBitmap::isTypeOf(const char* className) const
{
	return (className && std::strcmp(className, "CNinePartTiledBitmap") == 0) || CBitmap::isTypeOf(className);
}

void CNinePartTiledBitmap::draw(CDrawContext* context, const CRect& rect, const CPoint&, float alpha)
{
	drawParts(context, rect, alpha);
}

void CNinePartTiledBitmap::drawParts(CDrawContext* context, const CRect& rect, float alpha)
{
	if (!context)
		return;
	CRect sourceParts[kPartCount];
	CRect destParts[kPartCount];
	calcPartRects(CRect(0., 0., getWidth(), getHeight()), offsets, sourceParts);
	calcPartRects(rect, offsets, destParts);
	for (int32 i = 0; i < kPartCount; ++i)
		drawPart(context, sourceParts[i], destParts[i], alpha);
}

void CNinePartTiledBitmap::calcPartRects(const CRect& r, const PartOffsets& parts, CRect* partRects) const
{
	double x1 = r.left + parts.left;
	double x2 = r.right - parts.right;
	if (x2 < x1)
		std::swap(x1, x2);
	double y1 = r.top + parts.top;
	double y2 = r.bottom - parts.bottom;
	if (y2 < y1)
		std::swap(y1, y2);
	const double xs[] = {r.left, x1, x2, r.right};
	const double ys[] = {r.top, y1, y2, r.bottom};
	for (int32 row = 0; row < 3; ++row)
	{
		for (int32 column = 0; column < 3; ++column)
			partRects[row * 3 + column] = CRect(xs[column], ys[row], xs[column + 1], ys[row + 1]).normalize();
	}
}

namespace
{

struct TileRange
{
	int64 first{0};
	int64 end{0};
};

// The tiles of step length along [from, to) that can touch [clipFrom,
// clipTo). Counting tiles instead of adding the step to a coordinate ends
// the walk even where the step is lost in rounding (far from the origin),
// and the clip bounds the work for a large destination drawn in a small
// update. One extra tile on each side absorbs rounding; the overlap test of
// each tile decides.
TileRange tilesTouching(double from, double to, double step, double clipFrom, double clipTo)
{
	const double count = std::ceil((to - from) / step);
	const double first = std::max(0., std::floor((clipFrom - from) / step) - 1.);
	const double end = std::min(count, std::ceil((clipTo - from) / step) + 1.);
	if (!std::isfinite(first) || !std::isfinite(end) || end <= first)
		return {};
	return {static_cast<int64>(first), static_cast<int64>(end)};
}

} // namespace

void CNinePartTiledBitmap::drawPart(CDrawContext* context, const CRect& source, const CRect& dest, float alpha)
{
	const double width = source.getWidth();
	const double height = source.getHeight();
	if (width <= 0. || height <= 0. || dest.getWidth() <= 0. || dest.getHeight() <= 0.)
		return;
	CRect clip;
	context->getClipRect(clip);
	const CPoint sourceOrigin(source.left, source.top);
	const TileRange rows = tilesTouching(dest.top, dest.bottom, height, clip.top, clip.bottom);
	const TileRange columns = tilesTouching(dest.left, dest.right, width, clip.left, clip.right);
	for (int64 row = rows.first; row < rows.end; ++row)
	{
		const double y = dest.top + static_cast<double>(row) * height;
		const double bottom = std::min(dest.bottom, y + height);
		for (int64 column = columns.first; column < columns.end; ++column)
		{
			const double x = dest.left + static_cast<double>(column) * width;
			const CRect tile(x, y, std::min(dest.right, x + width), bottom);
			CRect visible(tile);
			if (!visible.bound(clip).isEmpty())
				context->drawBitmap(this, tile, sourceOrigin, alpha);
		}
	}
}

} // namespace VSTGUI
