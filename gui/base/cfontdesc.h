// A reference-counted font description: family name, size in points and
// style bits. The platform font is realised on demand and cached until the
// description changes.
#pragma once

#include "gui/base/cbaseobject.h"

namespace VSTGUI
{

class IPlatformFont;
class IFontPainter;

// Style bits; several may be combined. Where an operation takes a style
// argument, -1 means "unchanged".
enum CTxtFace : int32
{
	kFontStyleNormal = 0,
	kFontStyleBold = 1 << 1,
	kFontStyleItalic = 1 << 2,
	kFontStyleUnderline = 1 << 3,
	kFontStyleStrikethrough = 1 << 4
};

class CFontDesc : public CBaseObject
{
public:
	// name may be null; it is copied. Count 1, no platform font.
	CFontDesc(const char* name = nullptr, const double& size = 0., const int32 style = 0);
	// Starts empty and assigns from other: the platform font is not shared.
	CFontDesc(const CFontDesc& other);
	~CFontDesc() override;

	bool isTypeOf(const char* className) const override;
	// A new description equal to this one, owned by the caller.
	CBaseObject* newCopy() const override;

	// Null frees the name. The same name (byte-wise) keeps the platform font.
	virtual void setName(const char* newName);
	// Always drops the platform font, even for an unchanged value.
	virtual void setSize(double newSize);
	virtual void setStyle(int32 newStyle);
	// The cached platform font, realised on demand; null when the platform
	// cannot realise it (the next call tries again). Not owned by the caller.
	virtual IPlatformFont* getPlatformFont();
	// The painter of the platform font, or null. Not owned by the caller.
	virtual IFontPainter* getFontPainter();
	// Copies name, size and style through the setters; the count is untouched.
	virtual CFontDesc& operator=(const CFontDesc& other);
	// Names equal byte-wise (two null names are equal), sizes exactly, styles.
	virtual bool operator==(const CFontDesc& other) const;
	virtual void freePlatformFont();

	const char* getName() const { return name; }
	double getSize() const { return size; }
	int32 getStyle() const { return style; }

	// Releases the cached platform fonts of the eight predefined descriptions,
	// for a host that tears the toolkit down. Nothing in the toolkit calls it.
	static void cleanup();

protected:
	IPlatformFont* platformFont{nullptr};
	char* name{nullptr};
	double size{0.};
	int32 style{0};
};

// The eight predefined fonts, alive for the whole life of the module. Views
// remember() them when they adopt one and forget() them when they drop it;
// the descriptions' own count of 1 is never released.
extern CFontDesc* const kSystemFont;
extern CFontDesc* const kNormalFontVeryBig;
extern CFontDesc* const kNormalFontBig;
extern CFontDesc* const kNormalFont;
extern CFontDesc* const kNormalFontSmall;
extern CFontDesc* const kNormalFontSmaller;
extern CFontDesc* const kNormalFontVerySmall;
extern CFontDesc* const kSymbolFont;

} // namespace VSTGUI
