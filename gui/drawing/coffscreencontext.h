// A drawing context that draws into a bitmap. The back end's context class
// derives from it.
#pragma once

#include "gui/drawing/cdrawcontext.h"

namespace VSTGUI
{

class COffscreenContext : public CDrawContext
{
public:
	// Asks the frame's platform frame for a new offscreen context of that size
	// (IPlatformFrame::createOffscreenContext); null without a frame or
	// platform frame. The caller owns the result. A template so that the
	// drawing layer needs nothing of the view layer: Frame is CFrame, and its
	// header must be included where this is called.
	template <typename Frame> static COffscreenContext* create(Frame* frame, double width, double height)
	{
		auto platformFrame = frame ? frame->getPlatformFrame() : nullptr;
		return platformFrame ? platformFrame->createOffscreenContext(width, height) : nullptr;
	}

	// Draws the offscreen bitmap into context at destRect with srcOffset as
	// the bitmap offset and alpha 1; nothing without a bitmap.
	void copyFrom(CDrawContext* context, const CRect& destRect, const CPoint& srcOffset = CPoint(0, 0));

	double getWidth() const { return surfaceRect.getWidth(); }
	double getHeight() const { return surfaceRect.getHeight(); }
	// Not owned by the caller; null for a context made from a rectangle.
	CBitmap* getBitmap() const { return bitmap; }

protected:
	// Surface (0, 0, width, height) of the bitmap's platform bitmap (all 0
	// without one); the context remembers the bitmap.
	explicit COffscreenContext(CBitmap* bitmap);
	explicit COffscreenContext(const CRect& surfaceRect);
	~COffscreenContext() override;

	CBitmap* bitmap{nullptr};
};

} // namespace VSTGUI
