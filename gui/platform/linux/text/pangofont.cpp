#include "gui/platform/linux/text/pangofont.h"

#include "gui/base/cfontdesc.h"
#include "gui/base/cstring.h"
#include "gui/drawing/pluginbundle.h"
#include "gui/platform/linux/drawing/cairodrawcontext.h"
#include "gui/platform/linux/text/pangostring.h"

#include <algorithm>
#include <cmath>
#include <fontconfig/fontconfig.h>
#include <hb-ot.h>
#include <pango/pangofc-fontmap.h>

namespace VSTGUI
{

namespace
{

// Core Text's rule for a size it cannot use is its default of 12 points;
// very large sizes are limited so that the size in Pango units fits an int.
constexpr double kDefaultSize = 12.;
constexpr double kMaxSize = 10000.;
// A freely licensed font in the bundle's Resources, for systems without fonts.
constexpr const char* kBundledFont = "DejaVuSans.ttf";

// The module's own font map, shared by all its fonts and released at unload
// (the fonts keep it alive through their contexts until they go too).
//
// Pango reads the fontconfig set-up on a thread of its own, which a new map
// starts and its first real use waits for: so the map is made early (start),
// and set up at that first use (get).
class PrivateFontMap
{
public:
	static PangoFontMap* get()
	{
		PrivateFontMap& fonts = holder();
		fonts.setUp();
		return fonts.map;
	}
	static void start() { holder(); }

	PrivateFontMap(const PrivateFontMap&) = delete;
	PrivateFontMap& operator=(const PrivateFontMap&) = delete;

private:
	static PrivateFontMap& holder()
	{
		static PrivateFontMap fonts;
		return fonts;
	}
	PrivateFontMap() : map(pango_cairo_font_map_new()) {}
	void setUp()
	{
		if (ready)
			return;
		ready = true;
		pango_cairo_font_map_set_resolution(PANGO_CAIRO_FONT_MAP(map), 72.);
		addBundledFont();
	}

	// On a system without fonts the font the bundle carries joins them, in a
	// fontconfig set-up of our own: the host's is never touched, and text
	// still shows. Elsewhere the system's set-up serves as it stands, which
	// a host has mostly loaded already: a set-up of our own would cost a
	// second reading of every font configuration file at the first paint.
	void addBundledFont()
	{
		if (!PANGO_IS_FC_FONT_MAP(map) || systemHasFonts())
			return;
		std::string path = findResourceFile(kBundledFont);
		if (path.empty())
			return;
		FcConfig* config = FcInitLoadConfigAndFonts();
		if (!config)
			return;
		if (FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(path.c_str())))
			pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(map), config);
		FcConfigDestroy(config); // the font map holds its own reference
	}
	static bool systemHasFonts()
	{
		FcConfig* config = FcConfigGetCurrent();
		FcFontSet* fonts = config ? FcConfigGetFonts(config, FcSetSystem) : nullptr;
		return fonts && fonts->nfont > 0;
	}
	~PrivateFontMap() { g_object_unref(map); }

	PangoFontMap* map;
	bool ready{false};
};

PangoContext* createContext(bool antialias)
{
	PangoContext* context = pango_font_map_create_context(PrivateFontMap::get());
	pango_context_set_round_glyph_positions(context, FALSE);
	pango_cairo_context_set_resolution(context, 72.);
	cairo_font_options_t* options = cairo_font_options_create();
	cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
	cairo_font_options_set_antialias(options, antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
	pango_cairo_context_set_font_options(context, options);
	cairo_font_options_destroy(options);
	return context;
}

double usableSize(double size)
{
	if (!std::isfinite(size) || size <= 0.)
		return kDefaultSize;
	return std::min(size, kMaxSize);
}

PangoFontDescription* createDescription(const char* name, double size, int32 style)
{
	PangoFontDescription* description = pango_font_description_new();
	pango_font_description_set_family(description, name);
	pango_font_description_set_size(description, static_cast<gint>(std::lround(size * PANGO_SCALE)));
	if (style & kFontStyleBold)
		pango_font_description_set_weight(description, PANGO_WEIGHT_BOLD);
	if (style & kFontStyleItalic)
		pango_font_description_set_style(description, PANGO_STYLE_ITALIC);
	return description;
}

// HarfBuzz metrics come in the units of the font's scale, which Pango sets
// to the pixel size in Pango units.
double harfBuzzMetric(hb_font_t* font, hb_ot_metrics_tag_t tag, double pixelSize)
{
	int xScale = 0;
	int yScale = 0;
	hb_font_get_scale(font, &xScale, &yScale);
	hb_position_t position = 0;
	hb_ot_metrics_get_position_with_fallback(font, tag, &position);
	return yScale != 0 ? position * pixelSize / yScale : 0.;
}

double layoutWidth(PangoLayout* layout)
{
	PangoRectangle logical{};
	pango_layout_get_extents(layout, nullptr, &logical);
	return pango_units_to_double(logical.width);
}

void strokeHorizontalLine(cairo_t* cr, double x1, double x2, double y, double width)
{
	cairo_new_path(cr);
	cairo_move_to(cr, x1, y);
	cairo_line_to(cr, x2, y);
	cairo_set_line_width(cr, width);
	cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
	cairo_set_dash(cr, nullptr, 0, 0.);
	cairo_stroke(cr);
}

} // namespace

void PangoFont::prepare()
{
	PrivateFontMap::start();
}

bool PangoFont::getAllFamilies(std::list<std::string>& fontFamilyNames)
{
	PangoFontFamily** families = nullptr;
	int count = 0;
	pango_font_map_list_families(PrivateFontMap::get(), &families, &count);
	for (int i = 0; i < count; ++i)
		fontFamilyNames.emplace_back(pango_font_family_get_name(families[i]));
	g_free(families);
	return true;
}

PangoFont* PangoFont::create(const char* name, double size, int32 style)
{
	if (!name)
		return nullptr;
	auto* font = new PangoFont(createDescription(name, usableSize(size), style), style);
	::PangoFont* loaded = pango_font_map_load_font(PrivateFontMap::get(), font->contexts[1], font->description);
	if (!loaded)
	{
		font->forget();
		return nullptr;
	}
	font->readMetrics(loaded);
	g_object_unref(loaded);
	return font;
}

PangoFont::PangoFont(PangoFontDescription* description, int32 style)
: contexts{createContext(false), createContext(true)}, description(description), style(style)
{
}

PangoFont::~PangoFont()
{
	for (PangoContext* context : contexts)
		g_object_unref(context);
	pango_font_description_free(description);
}

void PangoFont::readMetrics(::PangoFont* font)
{
	PangoFontMetrics* metrics = pango_font_get_metrics(font, nullptr);
	ascent = pango_units_to_double(pango_font_metrics_get_ascent(metrics));
	descent = pango_units_to_double(pango_font_metrics_get_descent(metrics));
	leading = std::max(0., pango_units_to_double(pango_font_metrics_get_height(metrics)) - ascent - descent);
	underlinePosition = pango_units_to_double(pango_font_metrics_get_underline_position(metrics));
	underlineThickness = pango_units_to_double(pango_font_metrics_get_underline_thickness(metrics));
	pango_font_metrics_unref(metrics);

	const double pixelSize = pango_units_to_double(pango_font_description_get_size(description));
	hb_font_t* harfBuzzFont = pango_font_get_hb_font(font);
	capHeight = harfBuzzMetric(harfBuzzFont, HB_OT_METRICS_TAG_CAP_HEIGHT, pixelSize);
	xHeight = harfBuzzMetric(harfBuzzFont, HB_OT_METRICS_TAG_X_HEIGHT, pixelSize);

	PangoFontDescription* realised = pango_font_describe(font);
	const char* family = pango_font_description_get_family(realised);
	realisedFamily = family ? family : "";
	char* text = pango_font_description_to_string(realised);
	realisedDescription = text;
	g_free(text);
	pango_font_description_free(realised);
}

// One paragraph on one line: a line break in the text is not a new line,
// as with the single-line layout the toolkit expects.
PangoLayout* PangoFont::createLayout(const PangoString& text, bool antialias) const
{
	PangoLayout* layout = pango_layout_new(contexts[antialias ? 1 : 0]);
	pango_layout_set_font_description(layout, description);
	pango_layout_set_single_paragraph_mode(layout, TRUE);
	pango_layout_set_text(layout, text.getText().c_str(), static_cast<int>(text.getText().size()));
	return layout;
}

// Underline: one point further below the baseline than the font's own
// underline position (negative below the baseline); strikethrough: half an
// x-height above it. Both as thick as the font's underline.
void PangoFont::drawDecorations(cairo_t* cr, const CPoint& point, double endX) const
{
	if (style & kFontStyleUnderline)
		strokeHorizontalLine(cr, point.x, endX, point.y - (underlinePosition - 1.), underlineThickness);
	if (style & kFontStyleStrikethrough)
		strokeHorizontalLine(cr, point.x, endX, point.y - xHeight / 2., underlineThickness);
}

void PangoFont::drawString(CDrawContext* context, const CString& string, const CPoint& point, bool antialias)
{
	auto* text = dynamic_cast<PangoString*>(string.getPlatformString());
	auto* cairoContext = dynamic_cast<CairoDrawContext*>(context);
	if (!text || !text->hasText() || !cairoContext)
		return;
	cairo_t* cr = cairoContext->beginCairoContext(false);
	if (!cr)
		return;
	cairo_set_antialias(cr, antialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
	cairoContext->setSourceColor(cr, context->getFontColor());
	PangoLayout* layout = createLayout(*text, antialias);
	cairo_move_to(cr, point.x, point.y);
	if (PangoLayoutLine* line = pango_layout_get_line_readonly(layout, 0))
		pango_cairo_show_layout_line(cr, line);
	drawDecorations(cr, point, point.x + layoutWidth(layout));
	g_object_unref(layout);
	cairoContext->releaseCairoContext(cr);
}

double PangoFont::getStringWidth(CDrawContext*, const CString& string, bool)
{
	auto* text = dynamic_cast<PangoString*>(string.getPlatformString());
	if (!text || !text->hasText())
		return 0.;
	PangoLayout* layout = createLayout(*text, true);
	const double width = layoutWidth(layout);
	g_object_unref(layout);
	return width;
}

} // namespace VSTGUI
