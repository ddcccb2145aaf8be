#include "gui/base/cfontdesc.h"

#include "gui/base/iplatformfont.h"
#include "gui/base/loadorder.h"

#include <cstring>

namespace VSTGUI
{

CFontDesc::CFontDesc(const char* name, const double& size, const int32 style) : size(size), style(style)
{
	setName(name);
}

CFontDesc::CFontDesc(const CFontDesc& other) : CBaseObject()
{
	*this = other;
}

CFontDesc::~CFontDesc()
{
	freePlatformFont();
	delete[] name;
}

bool CFontDesc::isTypeOf(const char* className) const
{
	return (className && std::strcmp(className, "CFontDesc") == 0) || CBaseObject::isTypeOf(className);
}

CBaseObject* CFontDesc::newCopy() const
{
	return new CFontDesc(*this);
}

void CFontDesc::setName(const char* newName)
{
	if (name && newName && std::strcmp(name, newName) == 0)
		return;
	delete[] name;
	name = nullptr;
	if (newName)
	{
		const auto length = std::strlen(newName);
		name = new char[length + 1];
		std::memcpy(name, newName, length + 1);
	}
	freePlatformFont();
}

void CFontDesc::setSize(double newSize)
{
	size = newSize;
	freePlatformFont();
}

void CFontDesc::setStyle(int32 newStyle)
{
	style = newStyle;
	freePlatformFont();
}

IPlatformFont* CFontDesc::getPlatformFont()
{
	if (!platformFont)
		platformFont = IPlatformFont::create(name, size, style);
	return platformFont;
}

IFontPainter* CFontDesc::getFontPainter()
{
	auto* font = getPlatformFont();
	return font ? font->getPainter() : nullptr;
}

CFontDesc& CFontDesc::operator=(const CFontDesc& other)
{
	if (this == &other)
		return *this;
	setName(other.name);
	setSize(other.size);
	setStyle(other.style);
	return *this;
}

bool CFontDesc::operator==(const CFontDesc& other) const
{
	const bool sameName = (name && other.name) ? std::strcmp(name, other.name) == 0 : name == other.name;
	return sameName && size == other.size && style == other.style;
}

void CFontDesc::freePlatformFont()
{
	if (platformFont)
	{
		platformFont->forget();
		platformFont = nullptr;
	}
}

// The predefined fonts are built after the predefined line styles (see
// loadorder.h) and destroyed in reverse order at unload.
namespace
{

[[gnu::init_priority(kLoadOrderFonts)]] CFontDesc gSystemFont("Lucida Grande", 12);
[[gnu::init_priority(kLoadOrderFonts)]] CFontDesc gNormalFontVeryBig("Arial", 18);
[[gnu::init_priority(kLoadOrderFonts)]] CFontDesc gNormalFontBig("Arial", 14);
[[gnu::init_priority(kLoadOrderFonts)]] CFontDesc gNormalFont("Arial", 12);
[[gnu::init_priority(kLoadOrderFonts)]] CFontDesc gNormalFontSmall("Arial", 11);
[[gnu::init_priority(kLoadOrderFonts)]] CFontDesc gNormalFontSmaller("Arial", 10);
[[gnu::init_priority(kLoadOrderFonts)]] CFontDesc gNormalFontVerySmall("Arial", 9);
[[gnu::init_priority(kLoadOrderFonts)]] CFontDesc gSymbolFont("Symbol", 12);

} // namespace

CFontDesc* const kSystemFont = &gSystemFont;
CFontDesc* const kNormalFontVeryBig = &gNormalFontVeryBig;
CFontDesc* const kNormalFontBig = &gNormalFontBig;
CFontDesc* const kNormalFont = &gNormalFont;
CFontDesc* const kNormalFontSmall = &gNormalFontSmall;
CFontDesc* const kNormalFontSmaller = &gNormalFontSmaller;
CFontDesc* const kNormalFontVerySmall = &gNormalFontVerySmall;
CFontDesc* const kSymbolFont = &gSymbolFont;

void CFontDesc::cleanup()
{
	for (auto* font : {kSystemFont, kNormalFontVeryBig, kNormalFontBig, kNormalFont, kNormalFontSmall,
	                   kNormalFontSmaller, kNormalFontVerySmall, kSymbolFont})
		font->freePlatformFont();
}

} // namespace VSTGUI
