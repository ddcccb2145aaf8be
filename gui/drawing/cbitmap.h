// The toolkit's image: a reference-counted wrapper around a platform bitmap.
//
// A named resource may also exist at twice the resolution, as the same name
// with "@2x" before the extension ("knob@2x.png"): windows with a scale
// factor above 1 draw that one, at the bitmap's size. Its width and height
// must be exactly twice the bitmap's, or it is not used.
//
// A bitmap whose resource is missing or cannot be decoded still exists,
// without platform bitmap: width and height 0, it draws nothing. Created,
// drawn and released on the user-interface thread.
#pragma once

#include "gui/base/cbaseobject.h"
#include "gui/base/crect.h"
#include "gui/drawing/cresourcedescription.h"

#include <string>

namespace VSTGUI
{

class CDrawContext;
class IPlatformBitmap;

class CBitmap : public CBaseObject
{
public:
	// Loads the described resource through a new empty platform bitmap.
	CBitmap(const CResourceDescription& description);
	// A new transparent platform bitmap of that size.
	CBitmap(double width, double height);
	// Wraps and remembers platformBitmap, which may be null.
	explicit CBitmap(IPlatformBitmap* platformBitmap);
	CBitmap();
	~CBitmap() override;
	CBitmap(const CBitmap&) = delete;
	CBitmap& operator=(const CBitmap&) = delete;

	bool isTypeOf(const char* className) const override;
	CBaseObject* newCopy() const override { return nullptr; }

	// Nothing when rect does not overlap the context's clip; otherwise the
	// bitmap's pixel offset lands on rect's top-left corner, cut at rect.
	virtual void draw(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint(0, 0), float alpha = 1.f);

	double getWidth() const;
	double getHeight() const;

	// Not owned by the caller; may be null.
	IPlatformBitmap* getPlatformBitmap() const { return platformBitmap; }
	// The pixels to draw at scaleFactor device pixels per unit: the
	// twice-resolution ones above 1 when they exist, else the bitmap's own.
	// Not owned by the caller; may be null.
	IPlatformBitmap* getPlatformBitmapForScale(double scaleFactor) const;
	// "name.png" becomes "name@2x.png"; "name" becomes "name@2x".
	static std::string highResolutionName(const char* name);
	// Remembers the new one (may be null) and forgets the old one.
	void setPlatformBitmap(IPlatformBitmap* bitmap);
	const CResourceDescription& getResourceDescription() const { return resourceDesc; }

protected:
	CResourceDescription resourceDesc;
	IPlatformBitmap* platformBitmap{nullptr};

private:
	void loadHighResolution();

	// Looked for at the first draw above factor 1.
	std::string companionName;
	mutable IPlatformBitmap* highResolution{nullptr};
	mutable bool highResolutionChecked{false};
};

} // namespace VSTGUI
