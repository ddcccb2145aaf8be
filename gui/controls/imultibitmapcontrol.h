// Mixed into controls whose bitmap is a vertical strip of equally tall
// images, one per state.
#pragma once

#include "gui/base/vstguitypes.h"

namespace VSTGUI
{

class IMultiBitmapControl
{
public:
	virtual ~IMultiBitmapControl() = default;

	// Pixels.
	virtual void setHeightOfOneImage(const double& height) { heightOfOneImage = height; }
	virtual double getHeightOfOneImage() const { return heightOfOneImage; }
	virtual void setNumSubPixmaps(int32 count) { subPixmaps = count; }
	virtual int32 getNumSubPixmaps() const { return subPixmaps; }
	// The height of one image becomes the view's height when this object is
	// also a CView; otherwise nothing happens.
	virtual void autoComputeHeightOfOneImage();

protected:
	double heightOfOneImage{0.};
	int32 subPixmaps{0};
};

} // namespace VSTGUI
