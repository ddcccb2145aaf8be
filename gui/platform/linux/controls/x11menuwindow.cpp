#include "gui/platform/linux/controls/x11menuwindow.h"

#include "gui/base/cfontdesc.h"
#include "gui/controls/coptionmenu.h"
#include "gui/drawing/cbitmap.h"
#include "gui/platform/linux/drawing/cairodrawcontext.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

namespace VSTGUI
{

namespace
{

const CColor kBackground(242, 242, 242, 255);
const CColor kBorder(150, 150, 150, 255);
const CColor kText(20, 20, 20, 255);
const CColor kDisabledText(150, 150, 150, 255);
const CColor kTitleText(90, 90, 90, 255);
const CColor kHighlight(52, 101, 164, 255);
const CColor kHighlightText(255, 255, 255, 255);
const CColor kSeparator(200, 200, 200, 255);

// Bytes of an xcb_put_image request besides the pixels.
constexpr size_t kPutImageHeader = 24;

bool connectionWorks(xcb_connection_t* connection)
{
	return connection != nullptr && !xcb_connection_has_error(connection);
}

X11MenuLayout::MeasureText measurer(CDrawContext* context)
{
	return [context](const std::string& text)
	{ return text.empty() ? 0. : std::max(0., context->getStringWidth(text.c_str())); };
}

std::unique_ptr<X11MenuLayout> makeLayout(COptionMenu* menu, const X11MenuWindow::Look& look, const CRect& screen,
                                          double scale)
{
	CairoDrawContext* measuring = CairoDrawContext::createOffscreen(1, 1);
	measuring->setFont(X11MenuWindow::getFont());
	X11MenuLayout::Options options;
	options.itemsPerColumn = menu->getNbItemsPerColumn();
	options.maxHeight = screen.getHeight() / scale;
	options.minWidth = look.minWidth;
	auto layout = std::make_unique<X11MenuLayout>(X11MenuLayout::entriesOf(menu, look.toggleCheck, look.markCurrent),
	                                              options, measurer(measuring));
	measuring->forget();
	return layout;
}

} // namespace

X11MenuWindow::X11MenuWindow(X11Display& display, COptionMenu* menu, const Look& look, const CRect& screen,
                             double scale)
: display(display), connection(display.getConnection()), menu(menu), scale(scale >= 1. ? scale : 1.)
{
	menu->remember();
	layout = makeLayout(menu, look, screen, this->scale);
}

CPoint X11MenuWindow::getSize() const
{
	return CPoint(std::round(layout->getWidth() * scale), std::round(layout->getHeight() * scale));
}

CRect X11MenuWindow::entryRect(int32 index) const
{
	CRect r = layout->entryRect(index);
	return CRect(r.left * scale, r.top * scale, r.right * scale, r.bottom * scale);
}

X11MenuWindow::~X11MenuWindow()
{
	if (window != XCB_WINDOW_NONE && connectionWorks(connection))
	{
		xcb_free_gc(connection, gc);
		xcb_destroy_window(connection, window);
		xcb_flush(connection);
	}
	if (backBuffer)
		cairo_surface_destroy(backBuffer);
	layout.reset();
	menu->forget();
}

CFontDesc* X11MenuWindow::getFont()
{
	return kSystemFont;
}

bool X11MenuWindow::open(const CRect& where)
{
	xcb_screen_t* screen = display.getScreen();
	if (!connectionWorks(connection) || screen == nullptr)
		return false;
	rootRect = CRect(where.getTopLeft(), getSize());
	// Override-redirect: no window manager decorates, moves or focuses a
	// menu. The event mask matters only if the grab fails; while it holds,
	// every pointer and key event comes through the grab window.
	const uint32_t values[] = {screen->white_pixel, 1, 1,
	                           XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE |
	                               XCB_EVENT_MASK_POINTER_MOTION | XCB_EVENT_MASK_KEY_PRESS};
	window = display.createWindow({screen->root, rootRect,
	                               XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT | XCB_CW_SAVE_UNDER | XCB_CW_EVENT_MASK,
	                               values, screen->root_depth, screen->root_visual});
	if (window == XCB_WINDOW_NONE)
		return false;
	// Compositors and tools tell menus from other windows by this type.
	xcb_atom_t type = display.atom(X11Atom::netWmWindowType);
	xcb_atom_t popupMenu = display.atom(X11Atom::netWmWindowTypePopupMenu);
	if (type != XCB_ATOM_NONE && popupMenu != XCB_ATOM_NONE)
		xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, type, XCB_ATOM_ATOM, 32, 1, &popupMenu);
	gc = xcb_generate_id(connection);
	const uint32_t gcValues[] = {0};
	xcb_create_gc(connection, gc, window, XCB_GC_GRAPHICS_EXPOSURES, gcValues);
	backBuffer = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(rootRect.getWidth()),
	                                        static_cast<int>(rootRect.getHeight()));
	draw();
	xcb_map_window(connection, window);
	copyToWindow();
	xcb_flush(connection);
	return true;
}

int32 X11MenuWindow::entryAtRoot(const CPoint& rootPoint) const
{
	if (!contains(rootPoint))
		return -1;
	return layout->entryAt(CPoint((rootPoint.x - rootRect.left) / scale, (rootPoint.y - rootRect.top) / scale));
}

CRect X11MenuWindow::entryRootRect(int32 index) const
{
	CRect r = entryRect(index);
	return r.offset(rootRect.left, rootRect.top);
}

void X11MenuWindow::setHighlight(int32 index)
{
	if (index == highlight)
		return;
	highlight = index;
	redraw();
}

void X11MenuWindow::redraw()
{
	draw();
	refresh();
}

void X11MenuWindow::refresh()
{
	copyToWindow();
	if (connectionWorks(connection))
		xcb_flush(connection);
}

void X11MenuWindow::draw()
{
	if (backBuffer == nullptr)
		return;
	cairo_t* cr = cairo_create(backBuffer);
	cairo_scale(cr, scale, scale);
	CRect all(0, 0, layout->getWidth(), layout->getHeight());
	auto* context = new CairoDrawContext(cr, all);
	context->setFillColor(kBackground);
	context->drawRect(all, kShapeFilled);
	context->setFont(getFont());
	for (int32 i = 0; i < layout->getCount(); ++i)
		drawEntry(context, i);
	context->setLineWidth(1);
	context->setFrameColor(kBorder);
	context->drawRect(all, kShapeStroked);
	context->endDraw();
	context->forget();
	cairo_destroy(cr);
	cairo_surface_flush(backBuffer);
}

void X11MenuWindow::drawEntry(CDrawContext* context, int32 index)
{
	const X11MenuEntry& entry = layout->getEntry(index);
	CRect row = layout->entryRect(index);
	if (entry.kind == X11MenuEntry::Kind::kSeparator)
	{
		double y = row.top + std::floor(row.getHeight() / 2.) + 1.;
		context->setLineWidth(1);
		context->setFrameColor(kSeparator);
		context->moveTo(CPoint(row.left + 4, y));
		context->lineTo(CPoint(row.right - 4, y));
		return;
	}
	bool highlighted = index == highlight && layout->isSelectable(index);
	if (highlighted)
	{
		context->setFillColor(kHighlight);
		context->drawRect(CRect(row).inset(1, 0), kShapeFilled);
	}
	CColor textColor = highlighted ? kHighlightText : kText;
	if (entry.kind == X11MenuEntry::Kind::kTitle)
		textColor = kTitleText;
	else if (!entry.enabled)
		textColor = kDisabledText;
	if (entry.checked)
		drawCheckMark(context, layout->checkRect(index), highlighted);
	if (entry.icon)
		entry.icon->draw(context, layout->iconRect(index));
	context->setFontColor(textColor);
	context->drawString(entry.label.c_str(), layout->labelRect(index), kTextAlignLeft);
	if (!entry.keyText.empty())
		context->drawString(entry.keyText.c_str(), layout->keyRect(index), kTextAlignRight);
	if (entry.submenu)
		drawArrow(context, layout->arrowRect(index), highlighted);
}

void X11MenuWindow::drawCheckMark(CDrawContext* context, const CRect& rect, bool highlighted)
{
	CPoint middle = rect.getCenter();
	const CPoint points[] = {CPoint(middle.x - 5, middle.y), CPoint(middle.x - 1.5, middle.y + 4),
	                         CPoint(middle.x + 5, middle.y - 5)};
	context->setLineWidth(2);
	context->setFrameColor(highlighted ? kHighlightText : kText);
	context->drawPolygon(points, 3, kShapeStroked);
}

void X11MenuWindow::drawArrow(CDrawContext* context, const CRect& rect, bool highlighted)
{
	CPoint middle = rect.getCenter();
	const CPoint points[] = {CPoint(middle.x - 3, middle.y - 5), CPoint(middle.x + 3, middle.y),
	                         CPoint(middle.x - 3, middle.y + 5), CPoint(middle.x - 3, middle.y - 5)};
	context->setFillColor(highlighted ? kHighlightText : kText);
	context->drawPolygon(points, 4, kShapeFilled);
}

bool X11MenuWindow::canPutImage() const
{
	const xcb_setup_t* setup = xcb_get_setup(connection);
	uint8_t depth = display.getScreen()->root_depth;
	for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it))
	{
		if (it.data->depth == depth)
			return it.data->bits_per_pixel == 32 && (depth == 24 || depth == 32);
	}
	return false;
}

void X11MenuWindow::copyToWindow()
{
	if (window == XCB_WINDOW_NONE || backBuffer == nullptr || !connectionWorks(connection) || !canPutImage())
		return;
	int width = cairo_image_surface_get_width(backBuffer);
	int height = cairo_image_surface_get_height(backBuffer);
	const unsigned char* data = cairo_image_surface_get_data(backBuffer);
	auto stride = static_cast<size_t>(cairo_image_surface_get_stride(backBuffer));
	auto rowBytes = static_cast<size_t>(width) * 4;
	bool swap = (xcb_get_setup(connection)->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST) !=
	            (std::endian::native == std::endian::little);
	// Requests beyond the server's maximum length close the connection: a
	// tall menu goes in bands of rows.
	size_t maxBytes = static_cast<size_t>(xcb_get_maximum_request_length(connection)) * 4;
	int bandRows = static_cast<int>(std::max<size_t>(1, (maxBytes - kPutImageHeader) / rowBytes));
	std::vector<unsigned char> band(rowBytes * static_cast<size_t>(std::min(bandRows, height)));
	for (int row = 0; row < height; row += bandRows)
	{
		int rows = std::min(bandRows, height - row);
		for (int i = 0; i < rows; ++i)
		{
			unsigned char* target = band.data() + static_cast<size_t>(i) * rowBytes;
			std::memcpy(target, data + static_cast<size_t>(row + i) * stride, rowBytes);
			for (size_t b = 0; swap && b < rowBytes; b += 4)
			{
				std::swap(target[b], target[b + 3]);
				std::swap(target[b + 1], target[b + 2]);
			}
		}
		xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, gc, static_cast<uint16_t>(width),
		              static_cast<uint16_t>(rows), 0, static_cast<int16_t>(row), 0, display.getScreen()->root_depth,
		              static_cast<uint32_t>(rowBytes * static_cast<size_t>(rows)), band.data());
	}
}

} // namespace VSTGUI
