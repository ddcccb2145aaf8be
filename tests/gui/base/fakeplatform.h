// A platform of the test's own for the toolkit core: fonts that measure every
// byte as a fixed advance and record what they draw, strings that keep a copy
// of their text, bitmaps in plain memory with a selectable pixel order, and a
// drawing context that records the operations the core hands down.
#pragma once

#include "gui/base/cfontdesc.h"
#include "gui/base/cstring.h"
#include "gui/base/ifontpainter.h"
#include "gui/base/iplatformfont.h"
#include "gui/base/iplatformstring.h"
#include "gui/drawing/cbitmap.h"
#include "gui/drawing/cgradient.h"
#include "gui/drawing/cgraphicspath.h"
#include "gui/drawing/coffscreencontext.h"
#include "gui/drawing/iplatformbitmap.h"

#include <map>
#include <string>
#include <vector>

namespace VSTGUI::Fake
{

// Module-wide knobs of the fake platform; reset() restores the defaults.
struct Platform
{
	static void reset();

	// Cap height reported by fonts created from now on (0: none).
	static double capHeight;
	// Advance per byte of text.
	static double advance;
	// Names IPlatformFont::create refuses (null names are always refused).
	static std::vector<std::string> missingFonts;
	static int fontsCreated;
	// Resource file names that load, with their pixel size.
	static std::map<std::string, CPoint> resources;
	// Every file name a load tried, in order.
	static std::vector<std::string> lookups;
	// Pixel order of bitmaps created from now on.
	static IPlatformBitmapPixelAccess::PixelFormat pixelFormat;
	// Number of live pixel accesses.
	static int openAccesses;
};

class String : public IPlatformString
{
public:
	explicit String(const char* text) { setUTF8String(text); }
	void setUTF8String(const char* text) override;
	bool holdsText{false};
	std::string text;
};

struct DrawnText
{
	std::string text;
	CPoint point;
	CRect clip;
	bool antialias;
};

class Font : public IPlatformFont, public IFontPainter
{
public:
	Font(double size, double capHeight) : size(size), capHeight(capHeight) {}
	double getAscent() const override { return size * 0.8; }
	double getDescent() const override { return size * 0.2; }
	double getLeading() const override { return 0.; }
	double getCapHeight() const override { return capHeight; }
	IFontPainter* getPainter() override { return this; }
	void drawString(CDrawContext* context, const CString& string, const CPoint& point, bool antialias) override;
	double getStringWidth(CDrawContext* context, const CString& string, bool antialias) override;

	double size;
	double capHeight;
	std::vector<DrawnText> drawn;
	// Texts measured, in order.
	std::vector<std::string> measured;
};

class Bitmap : public IPlatformBitmap
{
public:
	explicit Bitmap(CPoint size);
	bool load(const CResourceDescription& description) override;
	CPoint getSize() const override { return size; }
	IPlatformBitmapPixelAccess* lockPixels(bool alphaPremultiplied) override;
	void allocate(CPoint newSize);

	CPoint size;
	int32 bytesPerRow{0};
	std::vector<uint8> pixels;
	IPlatformBitmapPixelAccess::PixelFormat format;
};

class PixelAccess : public IPlatformBitmapPixelAccess
{
public:
	explicit PixelAccess(Bitmap* bitmap);
	~PixelAccess() override;
	uint8* getAddress() const override { return bitmap->pixels.empty() ? nullptr : bitmap->pixels.data(); }
	int32 getBytesPerRow() const override { return bitmap->bytesPerRow; }
	PixelFormat getPixelFormat() const override { return bitmap->format; }

	Bitmap* bitmap;
};

class Gradient : public CGradient
{
public:
	Gradient(double start1, double start2, const CColor& c1, const CColor& c2) : CGradient(start1, start2, c1, c2) {}
};

class Path : public CGraphicsPath
{
public:
	CGradient* createGradient(double color1Start, double color2Start, const CColor& color1,
	                          const CColor& color2) override;
	CPoint getCurrentPosition() override;
	CRect getBoundingBox() override { return {}; }
	int dirtyCalls{0};

protected:
	void dirty() override { ++dirtyCalls; }
};

struct DrawnBitmap
{
	CBitmap* bitmap;
	CRect dest;
	CPoint offset;
	float alpha;
};

// Records instead of drawing. Built on a rectangle or on a bitmap.
class RecordingContext : public COffscreenContext
{
public:
	explicit RecordingContext(const CRect& surface);
	explicit RecordingContext(CBitmap* bitmap);

	void lineTo(const CPoint& point) override;
	void drawLines(const CPoint*, const int32&) override { ops.push_back("drawLines"); }
	void drawPolygon(const CPoint*, const int32&, const CDrawStyle) override { ops.push_back("drawPolygon"); }
	void drawRect(const CRect&, const CDrawStyle) override { ops.push_back("drawRect"); }
	void drawArc(const CRect&, const float, const float, const CDrawStyle) override { ops.push_back("drawArc"); }
	void drawEllipse(const CRect&, const CDrawStyle) override { ops.push_back("drawEllipse"); }
	void drawPoint(const CPoint&, const CColor&) override { ops.push_back("drawPoint"); }
	void drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset, float alpha) override;
	void clearRect(const CRect&) override { ops.push_back("clearRect"); }
	void setClipRect(const CRect& clip) override;
	CGraphicsPath* createGraphicsPath() override { return new Path(); }
	void drawGraphicsPath(CGraphicsPath*, PathDrawMode, CGraphicsTransform*) override {}
	void fillLinearGradient(CGraphicsPath*, CGradient*, const CPoint&, const CPoint&, bool,
	                        CGraphicsTransform*) override
	{
	}

	std::vector<std::string> ops;
	std::vector<DrawnBitmap> bitmaps;
	std::vector<CRect> clipRequests;
};

} // namespace VSTGUI::Fake
