// A font realised by the platform, with metrics in points. Implemented by the
// platform library.
#pragma once

#include "gui/base/cbaseobject.h"

#include <list>
#include <string>

namespace VSTGUI
{

class IFontPainter;

class IPlatformFont : public CBaseObject
{
public:
	// A new platform font (count 1, owned by the caller), or null when the
	// platform cannot realise the name (null names included).
	static IPlatformFont* create(const char* name, const double& size, const int32& style);
	// Appends every font family the platform offers, in its order; true.
	static bool getAllPlatformFontFamilies(std::list<std::string>& fontFamilyNames);

	virtual double getAscent() const = 0;
	virtual double getDescent() const = 0;
	virtual double getLeading() const = 0;
	virtual double getCapHeight() const = 0;
	// Not owned by the caller; lives as long as the font.
	virtual IFontPainter* getPainter() = 0;
};

} // namespace VSTGUI
