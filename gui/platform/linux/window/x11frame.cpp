#include "gui/platform/linux/window/x11frame.h"

#include "gui/platform/linux/controls/x11optionmenu.h"
#include "gui/platform/linux/controls/x11textedit.h"
#include "gui/platform/linux/controls/x11tooltip.h"
#include "gui/platform/linux/dragdrop/x11dragsource.h"
#include "gui/platform/linux/drawing/cairodrawcontext.h"
#include "gui/platform/linux/window/x11desktopscale.h"
#include "gui/platform/linux/window/x11reply.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>

namespace VSTGUI
{

namespace
{

constexpr uint32_t kEventMask = XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE |
                                XCB_EVENT_MASK_POINTER_MOTION | XCB_EVENT_MASK_ENTER_WINDOW |
                                XCB_EVENT_MASK_LEAVE_WINDOW | XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE |
                                XCB_EVENT_MASK_FOCUS_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;

// Beyond this many pending rectangles a new one is merged with the last, so
// that a storm of small invalidations costs no more than a few large ones.
constexpr size_t kMaxInvalidRects = 16;

// Bytes of an xcb_put_image request besides the pixels.
constexpr size_t kPutImageHeader = 24;
// Larger bands gain nothing and hold the server up for other clients.
constexpr size_t kMaxBandBytes = 1 << 20;

// Products of a fractional factor come out a hair beside whole numbers;
// such a hair is no reason to take in another row of pixels.
constexpr double kRoundingSlack = 1e-6;

CRect integralRect(const CRect& r)
{
	return CRect(std::floor(r.left + kRoundingSlack), std::floor(r.top + kRoundingSlack),
	             std::ceil(r.right - kRoundingSlack), std::ceil(r.bottom - kRoundingSlack));
}

constexpr double kMinScale = 1.;
constexpr double kMaxScale = 4.;

CRect unite(const CRect& a, const CRect& b)
{
	return CRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
	             std::max(a.bottom, b.bottom));
}

double area(const CRect& r)
{
	return r.getWidth() * r.getHeight();
}

// Two rectangles become one only when their union covers nothing that
// neither of them covers (one contains the other, or they overlap or abut
// along a whole side): two strips of an L must not turn into the square.
bool unionWastesNothing(const CRect& a, const CRect& b)
{
	CRect overlap(a);
	overlap.bound(b);
	double shared = overlap.getWidth() > 0 && overlap.getHeight() > 0 ? area(overlap) : 0.;
	return area(unite(a, b)) <= area(a) + area(b) - shared;
}

} // namespace

// Holds a reference for the length of an event or paint, so that a callback
// may release the frame; such references never count as the frame's owner's.
class X11Frame::DispatchGuard
{
public:
	explicit DispatchGuard(X11Frame* frame) : frame(frame)
	{
		frame->remember();
		++frame->internalReferences;
	}
	~DispatchGuard()
	{
		--frame->internalReferences;
		frame->CBaseObject::forget();
	}
	DispatchGuard(const DispatchGuard&) = delete;
	DispatchGuard& operator=(const DispatchGuard&) = delete;

private:
	X11Frame* frame;
};

// Marks the delivery of a left-button press or drag, the moments at which a
// view may start a drag; nests, since a handler may pump the loop.
class X11Frame::LeftButtonDelivery
{
public:
	LeftButtonDelivery(X11Frame& frame, bool left) : frame(frame), saved(frame.deliveringLeftButton)
	{
		frame.deliveringLeftButton = left;
	}
	~LeftButtonDelivery() { frame.deliveringLeftButton = saved; }
	LeftButtonDelivery(const LeftButtonDelivery&) = delete;
	LeftButtonDelivery& operator=(const LeftButtonDelivery&) = delete;

private:
	X11Frame& frame;
	bool saved;
};

uint32 X11Frame::getTicks()
{
	timespec now{};
	clock_gettime(CLOCK_MONOTONIC, &now);
	uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
	return static_cast<uint32>(ms);
}

X11Frame* X11Frame::create(IPlatformFrameCallback* callback, const CRect& size, uintptr_t parent)
{
	if (callback == nullptr || parent == 0 || parent > UINT32_MAX)
		return nullptr;
	auto* frame = new X11Frame(callback, size, parent);
	if (frame->open())
		return frame;
	frame->forget();
	return nullptr;
}

X11Frame::X11Frame(IPlatformFrameCallback* callback, const CRect& size, uintptr_t parent)
: callback(callback), frameRect(integralRect(size)), parent(static_cast<xcb_window_t>(parent))
{
}

X11Frame::~X11Frame()
{
	release();
	dropTarget.reset();
	display.reset();
	if (backBuffer)
		cairo_surface_destroy(backBuffer);
}

bool X11Frame::open()
{
	if (!connect() || !createWindow())
		return false;
	publishEmbedInfo();
	dropTarget = std::make_unique<X11DropTarget>(*display, window, callback, scale);
	display->setClipboardWindow(window);
	createBackBuffer();
	invalidRect(CRect(0, 0, frameRect.getWidth(), frameRect.getHeight()));
	xcb_map_window(connection, window);
	xcb_flush(connection);
	X11RunLoop::addSource(this);
	return true;
}

bool X11Frame::connect()
{
	display = X11Display::open();
	if (!display)
		return false;
	connection = display->getConnection();
	xcb_get_geometry_cookie_t cookie = xcb_get_geometry(connection, parent);
	ReplyPtr<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(connection, cookie, nullptr));
	if (!geometry)
		return false;
	// The parent may live on any screen of the display: take the one whose
	// root it has.
	if (!display->useScreenWithRoot(geometry->root))
		return false;
	screen = display->getScreen();
	depth = geometry->depth;
	scale = X11DesktopScale::read(connection, screen->root);
	return findImageFormat();
}

bool X11Frame::findImageFormat()
{
	const xcb_setup_t* setup = xcb_get_setup(connection);
	for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it))
	{
		if (it.data->depth == depth)
			canPutImage = it.data->bits_per_pixel == 32 && (depth == 24 || depth == 32);
	}
	// Our pixels are native 32-bit words; only their byte order may differ.
	bool littleEndianHost = std::endian::native == std::endian::little;
	swapPixelBytes = (setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST) != littleEndianHost;
	maxRequestBytes =
	    std::min<size_t>(static_cast<size_t>(xcb_get_maximum_request_length(connection)) * 4, kMaxBandBytes);
	return true;
}

bool X11Frame::createWindow()
{
	const uint32_t values[] = {XCB_BACK_PIXMAP_NONE, XCB_GRAVITY_NORTH_WEST, kEventMask};
	// The parent may have gone between our check and now.
	window = display->createWindow(
	    {parent, deviceWindowRect(), XCB_CW_BACK_PIXMAP | XCB_CW_BIT_GRAVITY | XCB_CW_EVENT_MASK, values});
	if (window == XCB_WINDOW_NONE)
		return false;
	gc = xcb_generate_id(connection);
	const uint32_t gcValues[] = {0};
	xcb_create_gc(connection, gc, window, XCB_GC_GRAPHICS_EXPOSURES, gcValues);
	return true;
}

void X11Frame::publishEmbedInfo()
{
	// Hosts that embed by XEmbed map the client themselves when it asks to be
	// mapped; the others ignore the property.
	constexpr uint32_t kXEmbedVersion = 0;
	constexpr uint32_t kXEmbedMapped = 1;
	const uint32_t info[] = {kXEmbedVersion, kXEmbedMapped};
	xcb_atom_t atom = display->atom(X11Atom::xembedInfo);
	if (atom != XCB_ATOM_NONE)
		xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atom, atom, 32, 2, info);
}

void X11Frame::createBackBuffer()
{
	if (backBuffer)
		cairo_surface_destroy(backBuffer);
	const CRect device = deviceWindowRect();
	backBuffer = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, X11Geometry::extent(device.getWidth()),
	                                        X11Geometry::extent(device.getHeight()));
}

// The sizes are rounded as the editor rounds the size it tells the host.
CRect X11Frame::deviceWindowRect() const
{
	CRect r(std::round(frameRect.left * scale), std::round(frameRect.top * scale), 0, 0);
	r.setWidth(std::round(frameRect.getWidth() * scale));
	r.setHeight(std::round(frameRect.getHeight() * scale));
	return r;
}

void X11Frame::configureWindow()
{
	const CRect r = deviceWindowRect();
	const uint32_t values[] = {static_cast<uint32_t>(X11Geometry::coordinate(r.left)),
	                           static_cast<uint32_t>(X11Geometry::coordinate(r.top)),
	                           static_cast<uint32_t>(X11Geometry::extent(r.getWidth())),
	                           static_cast<uint32_t>(X11Geometry::extent(r.getHeight()))};
	xcb_configure_window(connection, window,
	                     XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
	                     values);
}

CRect X11Frame::toDevice(const CRect& rect) const
{
	return integralRect(CRect(rect.left * scale, rect.top * scale, rect.right * scale, rect.bottom * scale));
}

CRect X11Frame::toFrame(const CRect& deviceRect) const
{
	return CRect(deviceRect.left / scale, deviceRect.top / scale, deviceRect.right / scale, deviceRect.bottom / scale);
}

bool X11Frame::setScaleFactor(double factor)
{
	if (!(factor >= kMinScale && factor <= kMaxScale))
		return false;
	if (!isConnected())
		return false;
	if (factor == scale)
		return true;
	scale = factor;
	configureWindow();
	invalidRects.clear();
	copyRects.clear();
	createBackBuffer();
	invalidRect(CRect(0, 0, frameRect.getWidth(), frameRect.getHeight()));
	xcb_flush(connection);
	return true;
}

void X11Frame::forget()
{
	// The owner's last reference: the window goes now, even while an event
	// handler further up the stack still holds the frame alive.
	if (getNbReference() - internalReferences == 1)
		release();
	CBaseObject::forget();
}

// The window goes at once; the connection and what depends on it stay until
// the destructor, because an event handler further up the stack (a drop
// being answered) may still use them.
void X11Frame::release()
{
	callback = nullptr;
	if (tooltip)
	{
		// Its window lives on this connection and its fade timer must not
		// outlive the frame's window.
		X11Tooltip* closing = tooltip;
		tooltip = nullptr;
		closing->forget();
	}
	X11RunLoop::removeSource(this);
	if (display)
		display->setClipboardWindow(XCB_WINDOW_NONE);
	if (connection && window != XCB_WINDOW_NONE && !lost)
	{
		xcb_free_gc(connection, gc);
		xcb_destroy_window(connection, window);
		xcb_flush(connection);
	}
	window = XCB_WINDOW_NONE;
	invalidRects.clear();
	copyRects.clear();
}

// A connection that failed (server gone, or a request the server refused
// outright) stays failed: the frame stops using it for good.
void X11Frame::noteConnectionLoss()
{
	if (connection && !lost && xcb_connection_has_error(connection))
		goQuiet();
}

void X11Frame::goQuiet()
{
	lost = true;
	display->setClipboardWindow(XCB_WINDOW_NONE);
	invalidRects.clear();
	copyRects.clear();
	X11RunLoop::removeSource(this);
}

bool X11Frame::isConnected() const
{
	return connection != nullptr && window != XCB_WINDOW_NONE && !lost && !xcb_connection_has_error(connection);
}

void X11Frame::sync()
{
	if (!isConnected())
		return;
	ReplyPtr<xcb_get_input_focus_reply_t> reply(
	    xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

int X11Frame::getFileDescriptor() const
{
	return isConnected() ? xcb_get_file_descriptor(connection) : -1;
}

// ---------------------------------------------------------------------------
// Geometry and queries

bool X11Frame::getGlobalPosition(CPoint& position) const
{
	if (!isConnected())
		return false;
	auto cookie = xcb_translate_coordinates(connection, window, screen->root, 0, 0);
	ReplyPtr<xcb_translate_coordinates_reply_t> reply(xcb_translate_coordinates_reply(connection, cookie, nullptr));
	if (!reply)
		return false;
	// The screen's own pixels: a window placed beside the frame (a menu, a
	// tooltip) is placed in them.
	position = CPoint(reply->dst_x, reply->dst_y);
	return true;
}

bool X11Frame::setSize(const CRect& newSize)
{
	if (!isConnected())
		return false;
	CRect r = integralRect(newSize);
	bool resized = r.getWidth() != frameRect.getWidth() || r.getHeight() != frameRect.getHeight();
	frameRect = r;
	configureWindow();
	if (resized)
	{
		invalidRects.clear();
		copyRects.clear();
		createBackBuffer();
		invalidRect(CRect(0, 0, r.getWidth(), r.getHeight()));
	}
	xcb_flush(connection);
	return true;
}

bool X11Frame::getSize(CRect& size) const
{
	size = frameRect;
	return true;
}

bool X11Frame::getCurrentMousePosition(CPoint& mousePosition) const
{
	if (!isConnected())
		return false;
	ReplyPtr<xcb_query_pointer_reply_t> reply(
	    xcb_query_pointer_reply(connection, xcb_query_pointer(connection, window), nullptr));
	if (!reply)
		return false;
	mousePosition = toFrame(reply->win_x, reply->win_y);
	return true;
}

bool X11Frame::getCurrentMouseButtons(CButtonState& buttons) const
{
	if (!isConnected())
		return false;
	ReplyPtr<xcb_query_pointer_reply_t> reply(
	    xcb_query_pointer_reply(connection, xcb_query_pointer(connection, window), nullptr));
	if (!reply)
		return false;
	buttons |= X11Events::buttonsFromState(reply->mask) | X11Events::modifiersFromState(reply->mask);
	// A quick click's release may already be past on the server while its
	// press is still being delivered here: the toolkit asks about the
	// button of the event it is handling.
	if (deliveringLeftButton)
		buttons |= kButtonLeft;
	return true;
}

bool X11Frame::setMouseCursor(CCursorType type)
{
	if (!isConnected())
		return false;
	xcb_cursor_t cursor = display->getCursors().get(type);
	if (cursor == XCB_CURSOR_NONE)
		return false;
	xcb_change_window_attributes(connection, window, XCB_CW_CURSOR, &cursor);
	xcb_flush(connection);
	return true;
}

bool X11Frame::showTooltip(const CRect& rect, const char* utf8Text)
{
	if (!isConnected())
		return false;
	if (tooltip == nullptr)
		tooltip = new X11Tooltip(this);
	tooltip->set(rect, utf8Text);
	return true;
}

bool X11Frame::hideTooltip()
{
	if (tooltip == nullptr)
		return false;
	tooltip->hide();
	return true;
}

void* X11Frame::getPlatformRepresentation() const
{
	return reinterpret_cast<void*>(static_cast<uintptr_t>(window));
}

IPlatformTextEdit* X11Frame::createPlatformTextEdit(IPlatformTextEditCallback* textEdit)
{
	if (!isConnected() || textEdit == nullptr)
		return nullptr;
	return X11TextEdit::create(this, textEdit);
}

IPlatformOptionMenu* X11Frame::createPlatformOptionMenu()
{
	if (!isConnected())
		return nullptr;
	return new X11OptionMenu(this);
}

COffscreenContext* X11Frame::createOffscreenContext(double width, double height)
{
	return CairoDrawContext::createOffscreen(width, height);
}

int32 X11Frame::doDrag(CDropSource* source, const CPoint& offset, CBitmap* dragBitmap)
{
	lastDragResult = -1;
	if (!isConnected())
		return lastDragResult;
	DispatchGuard guard(this);
	lastDragResult = X11DragSource::run(this, source, offset, dragBitmap);
	return lastDragResult;
}

void X11Frame::rememberForModalLoop()
{
	remember();
	++internalReferences;
}

void X11Frame::forgetAfterModalLoop()
{
	--internalReferences;
	forget();
}

// ---------------------------------------------------------------------------
// Invalidation and painting

CRect X11Frame::clipToWindow(const CRect& rect) const
{
	CRect r = integralRect(rect);
	const CRect device = deviceWindowRect();
	r.bound(CRect(0, 0, device.getWidth(), device.getHeight()));
	return r;
}

void X11Frame::addRect(std::vector<CRect>& list, const CRect& rect) const
{
	CRect r = clipToWindow(rect);
	if (r.getWidth() <= 0 || r.getHeight() <= 0)
		return;
	for (size_t i = 0; i < list.size();)
	{
		if (unionWastesNothing(list[i], r))
		{
			r = unite(r, list[i]);
			list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
			i = 0;
		}
		else
			++i;
	}
	if (list.size() >= kMaxInvalidRects)
	{
		r = unite(r, list.back());
		list.pop_back();
	}
	list.push_back(r);
}

bool X11Frame::invalidRect(const CRect& rect)
{
	if (!isConnected())
		return false;
	addRect(invalidRects, toDevice(rect));
	return true;
}

void X11Frame::paint()
{
	if (!isConnected())
		return;
	// A view that runs a modal loop from inside its drawing would paint over
	// the half-drawn buffer: such nested paints wait for the next pump.
	if (painting)
		return;
	DispatchGuard guard(this);
	painting = true;
	if (!invalidRects.empty())
		drawInvalidRects();
	painting = false;
	if (!isConnected())
		return;
	if (!copyRects.empty())
		statistics.lastCopied = copyRects;
	std::vector<CRect> rects;
	rects.swap(copyRects);
	for (const CRect& r : rects)
		copyToWindow(r);
	xcb_flush(connection);
	noteConnectionLoss();
}

void X11Frame::drawInvalidRects()
{
	// Views that invalidate while drawing are drawn at the next paint.
	std::vector<CRect> rects;
	rects.swap(invalidRects);
	cairo_surface_t* surface = cairo_surface_reference(backBuffer);
	cairo_t* cr = cairo_create(surface);
	cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
	for (const CRect& r : rects)
		cairo_rectangle(cr, r.left, r.top, r.getWidth(), r.getHeight());
	cairo_fill(cr);
	cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
	// The views draw in frame units at the device's resolution; each area
	// they are given covers its device pixels exactly.
	cairo_scale(cr, scale, scale);
	auto* context = new CairoDrawContext(cr, CRect(0, 0, frameRect.getWidth(), frameRect.getHeight()));
	for (const CRect& r : rects)
	{
		if (callback)
			callback->platformDrawRect(context, toFrame(r));
		++statistics.drawnRects;
	}
	context->endDraw();
	context->forget();
	cairo_destroy(cr);
	cairo_surface_flush(surface);
	cairo_surface_destroy(surface);
	++statistics.paints;
	for (const CRect& r : rects)
		addRect(copyRects, r);
}

void X11Frame::copyToWindow(const CRect& rect)
{
	CRect r = clipToWindow(rect);
	if (!canPutImage || backBuffer == nullptr || r.getWidth() <= 0 || r.getHeight() <= 0)
		return;
	auto x = static_cast<int>(r.left);
	auto y = static_cast<int>(r.top);
	auto width = static_cast<size_t>(r.getWidth());
	auto height = static_cast<int>(r.getHeight());
	const unsigned char* data = cairo_image_surface_get_data(backBuffer);
	auto stride = static_cast<size_t>(cairo_image_surface_get_stride(backBuffer));
	size_t rowBytes = width * 4;
	// Requests beyond the server's maximum length close the connection, so
	// large areas go in bands of rows.
	int bandRows = static_cast<int>(std::max<size_t>(1, (maxRequestBytes - kPutImageHeader) / rowBytes));
	std::vector<unsigned char> band(rowBytes * static_cast<size_t>(std::min(bandRows, height)));
	for (int row = 0; row < height; row += bandRows)
	{
		int rows = std::min(bandRows, height - row);
		for (int i = 0; i < rows; ++i)
		{
			const unsigned char* source = data + static_cast<size_t>(y + row + i) * stride + static_cast<size_t>(x) * 4;
			unsigned char* target = band.data() + static_cast<size_t>(i) * rowBytes;
			std::memcpy(target, source, rowBytes);
			if (swapPixelBytes)
			{
				for (size_t b = 0; b < rowBytes; b += 4)
				{
					std::swap(target[b], target[b + 3]);
					std::swap(target[b + 1], target[b + 2]);
				}
			}
		}
		xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, gc, static_cast<uint16_t>(width),
		              static_cast<uint16_t>(rows), static_cast<int16_t>(x), static_cast<int16_t>(y + row), 0, depth,
		              static_cast<uint32_t>(rowBytes * static_cast<size_t>(rows)), band.data());
	}
}

bool X11Frame::scrollRect(const CRect& src, const CPoint& distance)
{
	if (!isConnected() || backBuffer == nullptr)
		return false;
	CRect source = clipToWindow(toDevice(src));
	CPoint d(std::round(distance.x * scale), std::round(distance.y * scale));
	moveBackBufferPixels(source, d);
	// Areas still waiting to be drawn inside the source move with it.
	std::vector<CRect> pending(invalidRects);
	for (CRect r : pending)
	{
		r.bound(source);
		if (r.getWidth() > 0 && r.getHeight() > 0)
			addRect(invalidRects, r.offset(d.x, d.y));
	}
	CRect moved(source);
	moved.offset(d.x, d.y);
	moved.bound(source);
	addRect(copyRects, moved);
	if (d.x > 0)
		addRect(invalidRects, CRect(source.left, source.top, source.left + d.x, source.bottom));
	else if (d.x < 0)
		addRect(invalidRects, CRect(source.right + d.x, source.top, source.right, source.bottom));
	if (d.y > 0)
		addRect(invalidRects, CRect(source.left, source.top, source.right, source.top + d.y));
	else if (d.y < 0)
		addRect(invalidRects, CRect(source.left, source.bottom + d.y, source.right, source.bottom));
	return true;
}

void X11Frame::moveBackBufferPixels(const CRect& src, const CPoint& distance)
{
	CRect target(src);
	target.offset(distance.x, distance.y);
	target.bound(src);
	if (target.getWidth() <= 0 || target.getHeight() <= 0)
		return;
	cairo_surface_flush(backBuffer);
	unsigned char* data = cairo_image_surface_get_data(backBuffer);
	auto stride = static_cast<ptrdiff_t>(cairo_image_surface_get_stride(backBuffer));
	auto rowBytes = static_cast<size_t>(target.getWidth()) * 4;
	auto rows = static_cast<int>(target.getHeight());
	auto top = static_cast<int>(target.top);
	auto left = static_cast<int>(target.left);
	auto dx = static_cast<int>(distance.x);
	auto dy = static_cast<int>(distance.y);
	// Rows in the order that never reads a row already overwritten.
	for (int i = 0; i < rows; ++i)
	{
		int row = dy > 0 ? top + rows - 1 - i : top + i;
		unsigned char* to = data + row * stride + left * 4;
		const unsigned char* from = data + (row - dy) * stride + (left - dx) * 4;
		std::memmove(to, from, rowBytes);
	}
	cairo_surface_mark_dirty(backBuffer);
}

// ---------------------------------------------------------------------------
// Events

void X11Frame::dispatchEvents()
{
	noteConnectionLoss();
	if (!isConnected())
		return;
	DispatchGuard guard(this);
	while (isConnected())
	{
		xcb_generic_event_t* event = xcb_poll_for_event(connection);
		if (event == nullptr)
			break;
		handleEvent(*event);
		std::free(event);
	}
	noteConnectionLoss();
}

void X11Frame::handleEvent(const xcb_generic_event_t& event)
{
	display->noteEventTime(event);
	if (display->offerToHandlers(event))
		return;
	// Request errors arrive as events of type 0; a plug-in must never die of
	// them, and none of ours needs an answer.
	switch (event.response_type & 0x7F)
	{
		case XCB_BUTTON_PRESS: onButtonPress(reinterpret_cast<const xcb_button_press_event_t&>(event)); break;
		case XCB_BUTTON_RELEASE: onButtonRelease(reinterpret_cast<const xcb_button_release_event_t&>(event)); break;
		case XCB_MOTION_NOTIFY: onMotion(reinterpret_cast<const xcb_motion_notify_event_t&>(event)); break;
		case XCB_ENTER_NOTIFY: onCrossing(reinterpret_cast<const xcb_enter_notify_event_t&>(event), true); break;
		case XCB_LEAVE_NOTIFY: onCrossing(reinterpret_cast<const xcb_enter_notify_event_t&>(event), false); break;
		case XCB_FOCUS_IN: onFocus(reinterpret_cast<const xcb_focus_in_event_t&>(event), true); break;
		case XCB_FOCUS_OUT: onFocus(reinterpret_cast<const xcb_focus_in_event_t&>(event), false); break;
		case XCB_KEY_PRESS: onKey(reinterpret_cast<const xcb_key_press_event_t&>(event), true); break;
		case XCB_KEY_RELEASE: onKey(reinterpret_cast<const xcb_key_press_event_t&>(event), false); break;
		case XCB_EXPOSE: onExpose(reinterpret_cast<const xcb_expose_event_t&>(event)); break;
		case XCB_CLIENT_MESSAGE:
			if (dropTarget)
				dropTarget->onClientMessage(reinterpret_cast<const xcb_client_message_event_t&>(event));
			break;
		case XCB_SELECTION_NOTIFY:
			if (dropTarget)
				dropTarget->onSelectionNotify(reinterpret_cast<const xcb_selection_notify_event_t&>(event));
			break;
		case XCB_SELECTION_REQUEST:
		case XCB_SELECTION_CLEAR: display->offerToClipboard(event); break;
		case XCB_DESTROY_NOTIFY:
			// The host destroyed its window, and ours with it, before closing
			// the editor: nothing is left to draw on.
			if (reinterpret_cast<const xcb_destroy_notify_event_t&>(event).window == window)
				goQuiet();
			break;
		case XCB_MAPPING_NOTIFY: display->invalidateKeymap(); break;
		default: break;
	}
}

void X11Frame::onButtonPress(const xcb_button_press_event_t& event)
{
	CPoint where = toFrame(event.event_x, event.event_y);
	if (auto wheel = X11Events::wheelFromDetail(event.detail))
	{
		if (callback)
			callback->platformOnMouseWheel(where, wheel->axis, wheel->distance,
			                               CButtonState(X11Events::modifiersFromState(event.state)));
		return;
	}
	// The editor takes the keyboard only when clicked, as an embedded
	// window must: the host keeps its shortcuts until then.
	xcb_set_input_focus(connection, XCB_INPUT_FOCUS_PARENT, window, event.time);
	CButtonState buttons = X11Events::buttonStateOfPress(event);
	if (doubleClicks.press(event.detail, event.time, event.event_x, event.event_y))
		buttons |= kButtonDoubleClick;
	if (callback)
	{
		LeftButtonDelivery delivery(*this, event.detail == XCB_BUTTON_INDEX_1);
		callback->platformOnMouseDown(where, buttons);
	}
}

void X11Frame::onButtonRelease(const xcb_button_release_event_t& event)
{
	if (X11Events::wheelFromDetail(event.detail))
		return;
	CPoint where = toFrame(event.event_x, event.event_y);
	if (callback)
		callback->platformOnMouseUp(where, X11Events::buttonStateOfRelease(event));
}

void X11Frame::onMotion(const xcb_motion_notify_event_t& event)
{
	CPoint where = toFrame(event.event_x, event.event_y);
	if (callback)
	{
		LeftButtonDelivery delivery(*this, (event.state & XCB_BUTTON_MASK_1) != 0);
		callback->platformOnMouseMoved(where, X11Events::buttonStateOfMotion(event));
	}
}

void X11Frame::onCrossing(const xcb_enter_notify_event_t& event, bool entered)
{
	// Crossings into or out of a child window of ours (a text field) do not
	// leave the frame.
	if (event.detail == XCB_NOTIFY_DETAIL_INFERIOR || callback == nullptr)
		return;
	CPoint where = toFrame(event.event_x, event.event_y);
	CButtonState buttons = X11Events::buttonStateOfCrossing(event);
	if (entered)
		callback->platformOnMouseMoved(where, buttons);
	else
		callback->platformOnMouseExited(where, buttons);
}

void X11Frame::onFocus(const xcb_focus_in_event_t& event, bool focusIn)
{
	if (callback && X11Events::isActivationChange(event))
		callback->platformOnActivate(focusIn);
}

void X11Frame::onKey(const xcb_key_press_event_t& event, bool pressed)
{
	bool used = false;
	// A modifier alone is no key for the views; the host still gets it, as
	// hosts that track modifiers from key events expect.
	auto key = display->getKeymap().lookUp(event.detail, event.state);
	if (key && callback && !X11Keyboard::isModifierKey(key->keysym))
	{
		VstKeyCode code = X11Keyboard::translateKey(*key);
		used = pressed ? callback->platformOnKeyDown(code) : callback->platformOnKeyUp(code);
	}
	if (!used && isConnected())
		forwardKeyToHost(event);
}

// The window the server would have given a key to had the editor not
// selected keys: the nearest ancestor that selects it, unless a window on the
// way stops its propagation. The direct parent is not enough: embedding
// windows (Ardour's) often select no keys while the host's top-level does.
// The root is no host window: a key nobody in the host wants ends there.
std::optional<X11Frame::KeyDestination> X11Frame::findKeyDestination(uint32_t mask) const
{
	KeyDestination destination{parent, window};
	while (destination.window != XCB_WINDOW_NONE && destination.window != screen->root)
	{
		auto attributesCookie = xcb_get_window_attributes(connection, destination.window);
		auto treeCookie = xcb_query_tree(connection, destination.window);
		auto attributes = owned(xcb_get_window_attributes_reply(connection, attributesCookie, nullptr));
		auto tree = owned(xcb_query_tree_reply(connection, treeCookie, nullptr));
		if (!attributes || !tree)
			return std::nullopt;
		if (attributes->all_event_masks & mask)
			return destination;
		if (attributes->do_not_propagate_mask & mask)
			return std::nullopt;
		destination = {tree->parent, destination.window};
	}
	return std::nullopt;
}

void X11Frame::forwardKeyToHost(const xcb_key_press_event_t& event)
{
	// The host's own shortcuts (space for play) keep working while the
	// editor has the keyboard.
	bool press = (event.response_type & 0x7F) == XCB_KEY_PRESS;
	uint32_t mask = press ? XCB_EVENT_MASK_KEY_PRESS : XCB_EVENT_MASK_KEY_RELEASE;
	std::optional<KeyDestination> destination = findKeyDestination(mask);
	if (!destination)
		return;
	auto cookie = xcb_translate_coordinates(connection, window, destination->window, event.event_x, event.event_y);
	auto position = owned(xcb_translate_coordinates_reply(connection, cookie, nullptr));
	if (!position)
		return;
	// The fields as the server sets them for a key that propagated there.
	xcb_key_press_event_t forwarded = event;
	forwarded.response_type = event.response_type & 0x7F;
	forwarded.event = destination->window;
	forwarded.child = destination->child;
	forwarded.event_x = position->dst_x;
	forwarded.event_y = position->dst_y;
	xcb_send_event(connection, 0, destination->window, mask, reinterpret_cast<const char*>(&forwarded));
	xcb_flush(connection);
}

void X11Frame::onExpose(const xcb_expose_event_t& event)
{
	addRect(copyRects, CRect(event.x, event.y, event.x + event.width, event.y + event.height));
}

} // namespace VSTGUI
