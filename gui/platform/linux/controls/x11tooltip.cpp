#include "gui/platform/linux/controls/x11tooltip.h"

#include "gui/base/cfontdesc.h"
#include "gui/base/cstring.h"
#include "gui/base/cvstguitimer.h"
#include "gui/platform/linux/drawing/cairodrawcontext.h"
#include "gui/platform/linux/text/pangofont.h"
#include "gui/platform/linux/window/x11argbimage.h"
#include "gui/platform/linux/window/x11frame.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI
{

namespace
{

// The size the desktop platform gives the text of controls.
constexpr double kControlContentFontSize = 13.;
constexpr double kPaddingX = 4.;
constexpr double kPaddingY = 2.;
constexpr double kRed = 1.0;
constexpr double kGreen = 0.96;
constexpr double kBlue = 0.76;

uint32_t backgroundPixel()
{
	auto channel = [](double value) { return static_cast<uint32_t>(std::lround(value * 255.)); };
	return channel(kRed) << 16 | channel(kGreen) << 8 | channel(kBlue);
}

void paintFrame(cairo_t* cr, double width, double height)
{
	cairo_set_source_rgb(cr, kRed, kGreen, kBlue);
	cairo_paint(cr);
	cairo_set_source_rgb(cr, 0., 0., 0.);
	cairo_set_line_width(cr, 1.);
	cairo_rectangle(cr, 0.5, 0.5, width - 1., height - 1.);
	cairo_stroke(cr);
}

} // namespace

X11Tooltip::X11Tooltip(X11Frame* frame)
: frame(frame), display(frame->getDisplay()), connection(display.getConnection())
{
	font = PangoFont::create(kSystemFont->getName(), kControlContentFontSize, 0);
}

X11Tooltip::~X11Tooltip()
{
	stopFade();
	if (usable())
	{
		if (window != XCB_WINDOW_NONE)
			xcb_destroy_window(connection, window);
		if (background != XCB_PIXMAP_NONE)
			xcb_free_pixmap(connection, background);
		xcb_flush(connection);
	}
	if (font)
		font->forget();
}

bool X11Tooltip::usable() const
{
	return frame != nullptr && frame->isConnected();
}

bool X11Tooltip::isFading() const
{
	return timer != nullptr && timer->isRunning();
}

// ---------------------------------------------------------------------------
// Pure parts

std::vector<std::string> X11Tooltip::splitLines(const char* utf8Text)
{
	std::vector<std::string> lines;
	std::string text = utf8Text ? utf8Text : "";
	size_t start = 0;
	for (size_t found = text.find("\\n"); found != std::string::npos; found = text.find("\\n", start))
	{
		lines.push_back(text.substr(start, found - start));
		start = found + 2;
	}
	lines.push_back(text.substr(start));
	return lines;
}

CPoint X11Tooltip::placement(const CRect& rootRect, const CPoint& size, const CPoint& screenSize)
{
	double x = std::round(rootRect.left + (rootRect.getWidth() - size.x) / 2.);
	double y = rootRect.bottom + kGap;
	if (y + size.y > screenSize.y)
		y = rootRect.top - kGap - size.y;
	x = std::max(0., std::min(x, screenSize.x - size.x));
	y = std::max(0., std::min(y, screenSize.y - size.y));
	return CPoint(x, y);
}

uint32_t X11Tooltip::opacityValue(int steps)
{
	steps = std::clamp(steps, 0, 20);
	return static_cast<uint32_t>(uint64_t{0xFFFFFFFFu} * static_cast<uint64_t>(steps) / 20u);
}

// ---------------------------------------------------------------------------
// Showing

void X11Tooltip::set(const CRect& rect, const char* utf8Text)
{
	stopFade();
	if (!usable() || (window == XCB_WINDOW_NONE && !createWindow()))
		return;
	std::vector<std::string> lines = splitLines(utf8Text);
	CPoint size;
	layOut(lines, size);
	// Laid out in the frame's units, shown in the screen's pixels.
	const double scale = frame->getScaleFactor();
	const CPoint device(std::ceil(size.x * scale), std::ceil(size.y * scale));
	render(lines, size, device);
	moveAndShow(rect, device);
}

bool X11Tooltip::createWindow()
{
	xcb_screen_t* screen = display.getScreen();
	// Override-redirect: a window manager neither decorates, moves nor
	// focuses it.
	const uint32_t values[] = {backgroundPixel(), 1};
	window =
	    display.createWindow({screen->root, CRect(0, 0, 10, 10), XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values});
	if (window == XCB_WINDOW_NONE)
		return false;
	opacityAtom = display.atom(X11Atom::netWmWindowOpacity);
	xcb_atom_t typeAtom = display.atom(X11Atom::netWmWindowType);
	xcb_atom_t tooltipType = display.atom(X11Atom::netWmWindowTypeTooltip);
	if (typeAtom != XCB_ATOM_NONE && tooltipType != XCB_ATOM_NONE)
		xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, typeAtom, XCB_ATOM_ATOM, 32, 1, &tooltipType);
	return true;
}

void X11Tooltip::layOut(const std::vector<std::string>& lines, CPoint& size)
{
	double width = 0.;
	lineHeight = font ? font->getAscent() + font->getDescent() + font->getLeading() : 0.;
	for (const std::string& line : lines)
	{
		CString text(line.c_str());
		if (font)
			width = std::max(width, font->getStringWidth(nullptr, text, true));
	}
	size.x = std::ceil(width + 2. * kPaddingX);
	size.y = std::ceil(lineHeight * static_cast<double>(lines.size()) + 2. * kPaddingY);
}

void X11Tooltip::render(const std::vector<std::string>& lines, const CPoint& size, const CPoint& deviceSize)
{
	int width = static_cast<int>(deviceSize.x);
	int height = static_cast<int>(deviceSize.y);
	cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
	cairo_t* cr = cairo_create(surface);
	cairo_scale(cr, deviceSize.x / size.x, deviceSize.y / size.y);
	paintFrame(cr, size.x, size.y);
	auto* context = new CairoDrawContext(cr, CRect(0, 0, size.x, size.y));
	context->setFontColor(kBlackCColor);
	for (size_t i = 0; i < lines.size() && font; ++i)
	{
		CPoint baseline(kPaddingX, kPaddingY + font->getAscent() + lineHeight * static_cast<double>(i));
		font->drawString(context, CString(lines[i].c_str()), baseline, true);
	}
	context->endDraw();
	context->forget();
	cairo_destroy(cr);
	cairo_surface_flush(surface);

	if (background != XCB_PIXMAP_NONE)
		xcb_free_pixmap(connection, background);
	background = xcb_generate_id(connection);
	xcb_create_pixmap(connection, display.getScreen()->root_depth, background, window, static_cast<uint16_t>(width),
	                  static_cast<uint16_t>(height));
	bool drawn = X11ArgbImage::put(connection, background, display.getScreen()->root_depth,
	                               cairo_image_surface_get_data(surface), cairo_image_surface_get_stride(surface),
	                               width, height);
	cairo_surface_destroy(surface);
	if (!drawn)
	{
		// Other pixel layouts keep the plain background colour.
		xcb_free_pixmap(connection, background);
		background = XCB_PIXMAP_NONE;
		return;
	}
	// The picture is the window's background: exposures need no answer.
	xcb_change_window_attributes(connection, window, XCB_CW_BACK_PIXMAP, &background);
}

void X11Tooltip::moveAndShow(const CRect& rect, const CPoint& size)
{
	CPoint origin;
	frame->getGlobalPosition(origin);
	CRect rootRect = frame->toDevice(rect);
	rootRect.offset(origin.x, origin.y);
	xcb_screen_t* screen = display.getScreen();
	CPoint where = placement(rootRect, size, CPoint(screen->width_in_pixels, screen->height_in_pixels));
	const uint32_t values[] = {static_cast<uint32_t>(static_cast<int32_t>(where.x)),
	                           static_cast<uint32_t>(static_cast<int32_t>(where.y)), static_cast<uint32_t>(size.x),
	                           static_cast<uint32_t>(size.y), XCB_STACK_MODE_ABOVE};
	xcb_configure_window(connection, window,
	                     XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH |
	                         XCB_CONFIG_WINDOW_HEIGHT | XCB_CONFIG_WINDOW_STACK_MODE,
	                     values);
	setOpacity(kShownOpacitySteps);
	xcb_map_window(connection, window);
	// A window that was mapped already keeps its old picture until cleared.
	xcb_clear_area(connection, 0, window, 0, 0, 0, 0);
	xcb_flush(connection);
	mapped = true;
}

void X11Tooltip::setOpacity(int steps)
{
	opacity = steps;
	if (opacityAtom == XCB_ATOM_NONE)
		return;
	uint32_t value = opacityValue(steps);
	xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, opacityAtom, XCB_ATOM_CARDINAL, 32, 1, &value);
}

// ---------------------------------------------------------------------------
// Fading

void X11Tooltip::hide()
{
	if (!mapped || isFading() || !usable())
		return;
	if (timer == nullptr)
		timer = new CVSTGUITimer(this, kFadeIntervalMs);
	timer->start();
	fadeStep();
}

MessageResult X11Tooltip::notify(CBaseObject* sender, const char* message)
{
	if (sender != timer || message != CVSTGUITimer::kMsgTimer)
		return CBaseObject::notify(sender, message);
	fadeStep();
	return kMessageHandled;
}

void X11Tooltip::fadeStep()
{
	if (!usable() || !mapped)
	{
		stopFade();
		return;
	}
	if (opacity - 1 <= 0)
	{
		stopFade();
		mapped = false;
		opacity = 0;
		xcb_unmap_window(connection, window);
	}
	else
		setOpacity(opacity - 1);
	xcb_flush(connection);
}

void X11Tooltip::stopFade()
{
	if (timer == nullptr)
		return;
	// The timer may be stopped from inside its own tick; it is released
	// rather than kept, as a fresh hide makes a new one.
	timer->stop();
	timer->forget();
	timer = nullptr;
}

} // namespace VSTGUI
