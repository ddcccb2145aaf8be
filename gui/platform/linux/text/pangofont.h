// Fonts realised with Pango, and the painter that draws and measures text
// with them on a CairoDrawContext.
//
// Units: the toolkit's unit is the pixel and font sizes are points with
// 1 point = 1 pixel, so every Pango context of ours runs at 72 dpi. Widths
// are exact (glyph-position rounding and metric hinting off) and never
// depend on the drawing context. All fonts come from one private font map of
// this module, never from the default map that a host may share; family
// names the system lacks are substituted by fontconfig ("Arial" becomes
// Liberation Sans), so text does not vanish for want of a family.
//
// Threads: user-interface thread only.
#pragma once

#include "gui/base/ifontpainter.h"
#include "gui/base/iplatformfont.h"

#include <pango/pangocairo.h>
#include <string>

namespace VSTGUI
{

class PangoString;

// Inside this namespace "PangoFont" names this class; Pango's own C type of
// the same name is ::PangoFont (mind Pango's cast macros here).
class PangoFont : public IPlatformFont, public IFontPainter
{
public:
	// A new font (count 1, owned by the caller) at size points with the bold
	// and italic bits of style (a face the family lacks is synthesised or
	// left plain); null for a null name or when Pango yields no font.
	static PangoFont* create(const char* name, double size, int32 style);
	// Begins the font set-up that the first text will wait for, and returns
	// at once; for a moment when no window is waiting yet.
	static void prepare();
	// Appends every family of the private font map, in its order; true.
	static bool getAllFamilies(std::list<std::string>& familyNames);
	~PangoFont() override;
	PangoFont(const PangoFont&) = delete;
	PangoFont& operator=(const PangoFont&) = delete;

	// Metrics in points, as Pango and HarfBuzz report them for the font.
	double getAscent() const override { return ascent; }
	double getDescent() const override { return descent; }
	double getLeading() const override { return leading; }
	double getCapHeight() const override { return capHeight; }
	// This object; lives as long as the font.
	IFontPainter* getPainter() override { return this; }

	// Draws only on a CairoDrawContext; the underline and strikethrough style
	// bits stroke a line after the text.
	void drawString(CDrawContext* context, const CString& string, const CPoint& point, bool antialias) override;
	// context and antialias are not used.
	double getStringWidth(CDrawContext* context, const CString& string, bool antialias) override;

	// The family fontconfig actually chose, e.g. "Liberation Sans" for "Arial".
	const std::string& getRealisedFamily() const { return realisedFamily; }
	// Family, face and size of the chosen font, e.g. "Liberation Sans Bold 14".
	const std::string& getRealisedDescription() const { return realisedDescription; }

private:
	PangoFont(PangoFontDescription* description, int32 style);
	void readMetrics(::PangoFont* font);
	PangoLayout* createLayout(const PangoString& text, bool antialias) const;
	void drawDecorations(cairo_t* cr, const CPoint& point, double endX) const;

	// One Pango context per anti-aliasing setting: glyph edges are chosen by
	// the font options of the context a layout is made in.
	PangoContext* contexts[2]{nullptr, nullptr};
	PangoFontDescription* description{nullptr};
	int32 style{0};
	double ascent{0.};
	double descent{0.};
	double leading{0.};
	double capHeight{0.};
	double underlinePosition{0.};
	double underlineThickness{0.};
	double xHeight{0.};
	std::string realisedFamily;
	std::string realisedDescription;
};

} // namespace VSTGUI
