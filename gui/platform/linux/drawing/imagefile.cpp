#include "gui/platform/linux/drawing/imagefile.h"

#include "gui/drawing/cbitmap.h"
#include "gui/platform/linux/drawing/cairobitmap.h"
#include "gui/platform/linux/drawing/cairodrawcontext.h"

#include <cairo.h>
#include <cstdio>

namespace VSTGUI
{

COffscreenContext* createImageContext(double width, double height, double scaleFactor)
{
	return CairoDrawContext::createOffscreen(width, height, scaleFactor);
}

bool savePNG(CBitmap* bitmap, const std::string& path)
{
	auto* platform = bitmap ? dynamic_cast<CairoBitmap*>(bitmap->getPlatformBitmap()) : nullptr;
	cairo_surface_t* surface = platform ? platform->getSurface() : nullptr;
	if (!surface)
		return false;
	cairo_surface_flush(surface);
	// Written beside the target and renamed, so a failed write never leaves
	// a truncated picture where a good one was.
	std::string temporary = path + ".part";
	if (cairo_surface_write_to_png(surface, temporary.c_str()) != CAIRO_STATUS_SUCCESS)
	{
		std::remove(temporary.c_str());
		return false;
	}
	return std::rename(temporary.c_str(), path.c_str()) == 0;
}

} // namespace VSTGUI
