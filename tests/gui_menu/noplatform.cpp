// Without the platform library there are no fonts, strings or bitmaps: the
// factories refuse, and the controls draw nothing but their hooks.
#include "gui/base/iplatformfont.h"
#include "gui/base/iplatformstring.h"
#include "gui/drawing/iplatformbitmap.h"

namespace VSTGUI
{

IPlatformFont* IPlatformFont::create(const char*, const double&, const int32&)
{
	return nullptr;
}

bool IPlatformFont::getAllPlatformFontFamilies(std::list<std::string>&)
{
	return false;
}

IPlatformString* IPlatformString::createWithUTF8String(const char*)
{
	return nullptr;
}

IPlatformBitmap* IPlatformBitmap::create(CPoint*)
{
	return nullptr;
}

IPlatformBitmap* IPlatformBitmap::createFromPath(const char*)
{
	return nullptr;
}

} // namespace VSTGUI
