#include "tests/support/x11testsupport.h"

#include "gui/drawing/cdrawcontext.h"
#include "gui/platform/linux/window/x11runloop.h"

#include <chrono>
#include <cstdlib>
#include <poll.h>
#include <xcb/xfixes.h>
#include <xcb/xtest.h>

namespace corvane::test
{

XvfbServer& sharedServer()
{
	static XvfbServer server;
	requireRunning(server);
	return server;
}

TestClient::TestClient()
{
	sharedServer();
	connection = xcb_connect(nullptr, nullptr);
	if (xcb_connection_has_error(connection))
		return;
	screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
}

TestClient::~TestClient()
{
	if (isConnected())
	{
		// Children before their parents, which would take them along.
		for (auto w = windows.rbegin(); w != windows.rend(); ++w)
			xcb_destroy_window(connection, *w);
		sync();
	}
	xcb_disconnect(connection);
}

bool TestClient::isConnected() const
{
	return screen != nullptr && !xcb_connection_has_error(connection);
}

xcb_window_t TestClient::createParent(int x, int y, int width, int height, uint32_t eventMask)
{
	return createChild(screen->root, x, y, width, height, eventMask);
}

xcb_window_t TestClient::createChild(xcb_window_t parent, int x, int y, int width, int height, uint32_t eventMask)
{
	xcb_window_t w = xcb_generate_id(connection);
	const uint32_t values[] = {screen->white_pixel, eventMask};
	xcb_create_window(connection, XCB_COPY_FROM_PARENT, w, parent, static_cast<int16_t>(x), static_cast<int16_t>(y),
	                  static_cast<uint16_t>(width), static_cast<uint16_t>(height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
	                  screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
	xcb_map_window(connection, w);
	windows.push_back(w);
	sync();
	return w;
}

void TestClient::sync()
{
	Freed reply(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

void TestClient::fake(uint8_t type, uint8_t detail, int x, int y)
{
	xcb_test_fake_input(connection, type, detail, XCB_CURRENT_TIME, screen->root, static_cast<int16_t>(x),
	                    static_cast<int16_t>(y), 0);
	sync();
}

void TestClient::movePointer(int rootX, int rootY)
{
	fake(XCB_MOTION_NOTIFY, 0, rootX, rootY);
}

void TestClient::pressButton(uint8_t button)
{
	fake(XCB_BUTTON_PRESS, button);
}

void TestClient::releaseButton(uint8_t button)
{
	fake(XCB_BUTTON_RELEASE, button);
}

void TestClient::click(uint8_t button)
{
	pressButton(button);
	releaseButton(button);
}

void TestClient::pressKey(xcb_keycode_t key)
{
	fake(XCB_KEY_PRESS, key);
}

void TestClient::releaseKey(xcb_keycode_t key)
{
	fake(XCB_KEY_RELEASE, key);
}

void TestClient::tapKey(xcb_keycode_t key)
{
	pressKey(key);
	releaseKey(key);
}

xcb_keycode_t TestClient::keycodeOf(uint32_t keysym)
{
	const xcb_setup_t* setup = xcb_get_setup(connection);
	uint8_t count = static_cast<uint8_t>(setup->max_keycode - setup->min_keycode + 1);
	Freed reply(xcb_get_keyboard_mapping_reply(
	    connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, count), nullptr));
	if (!reply)
		return 0;
	const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply.reply);
	int perKey = reply->keysyms_per_keycode;
	for (int key = 0; key < count; ++key)
	{
		for (int i = 0; i < perKey; ++i)
		{
			if (syms[key * perKey + i] == keysym)
				return static_cast<xcb_keycode_t>(setup->min_keycode + key);
		}
	}
	return 0;
}

void TestClient::setFocus(xcb_window_t window)
{
	xcb_set_input_focus(connection, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
	sync();
}

uint32_t TestClient::cursorSerial()
{
	// The extension answers nothing before a client has told its version.
	std::free(xcb_xfixes_query_version_reply(connection, xcb_xfixes_query_version(connection, 4, 0), nullptr));
	xcb_xfixes_get_cursor_image_reply_t* reply =
	    xcb_xfixes_get_cursor_image_reply(connection, xcb_xfixes_get_cursor_image(connection), nullptr);
	uint32_t serial = reply ? reply->cursor_serial : 0;
	std::free(reply);
	return serial;
}

std::vector<xcb_window_t> TestClient::overrideRedirectWindows(bool viewableOnly)
{
	std::vector<xcb_window_t> found;
	xcb_query_tree_reply_t* tree = xcb_query_tree_reply(connection, xcb_query_tree(connection, root()), nullptr);
	if (tree == nullptr)
		return found;
	const xcb_window_t* children = xcb_query_tree_children(tree);
	for (int i = 0; i < xcb_query_tree_children_length(tree); ++i)
	{
		xcb_get_window_attributes_reply_t* attributes =
		    xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, children[i]), nullptr);
		if (attributes && attributes->override_redirect &&
		    (!viewableOnly || attributes->map_state == XCB_MAP_STATE_VIEWABLE))
			found.push_back(children[i]);
		std::free(attributes);
	}
	std::free(tree);
	return found;
}

std::vector<xcb_window_t> TestClient::descendantsOf(xcb_window_t window)
{
	std::vector<xcb_window_t> result;
	Freed reply(xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
	if (!reply)
		return result;
	const xcb_window_t* children = xcb_query_tree_children(reply.reply);
	for (int i = 0; i < xcb_query_tree_children_length(reply.reply); ++i)
	{
		result.push_back(children[i]);
		for (xcb_window_t w : descendantsOf(children[i]))
			result.push_back(w);
	}
	return result;
}

std::vector<uint32_t> TestClient::readPixels(xcb_window_t window, int width, int height)
{
	std::vector<uint32_t> pixels;
	Freed reply(xcb_get_image_reply(connection,
	                                xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0,
	                                              static_cast<uint16_t>(width), static_cast<uint16_t>(height), ~0u),
	                                nullptr));
	if (!reply || xcb_get_image_data_length(reply.reply) < width * height * 4)
		return pixels;
	const auto* data = reinterpret_cast<const uint32_t*>(xcb_get_image_data(reply.reply));
	for (int i = 0; i < width * height; ++i)
		pixels.push_back(data[i] | 0xFF000000u);
	return pixels;
}

xcb_generic_event_t* TestClient::waitForEvent(uint8_t type, int timeoutMs)
{
	auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
	while (std::chrono::steady_clock::now() < deadline)
	{
		while (xcb_generic_event_t* event = xcb_poll_for_event(connection))
		{
			if ((event->response_type & 0x7F) == type)
				return event;
			std::free(event);
		}
		pollfd p{xcb_get_file_descriptor(connection), POLLIN, 0};
		poll(&p, 1, 20);
	}
	return nullptr;
}

bool pumpUntil(const std::function<bool()>& done, int timeoutMs)
{
	auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
	while (!done())
	{
		if (std::chrono::steady_clock::now() >= deadline)
			return false;
		X11RunLoop::runFor(5);
	}
	return true;
}

// ---------------------------------------------------------------------------

void ProbeView::draw(CDrawContext* context)
{
	++draws;
	context->setFillColor(color);
	context->drawRect(getViewSize(), kShapeFilled);
	setDirty(false);
}

MouseEventResult ProbeView::record(const char* kind, const CPoint& where, const CButtonState& buttons)
{
	ViewEvent event;
	event.kind = kind;
	event.where = where;
	event.buttons = buttons();
	events.push_back(event);
	return kMouseHandled;
}

MouseEventResult ProbeView::onMouseDown(CPoint& where, const CButtonState& buttons)
{
	return record("down", where, buttons);
}

MouseEventResult ProbeView::onMouseUp(CPoint& where, const CButtonState& buttons)
{
	return record("up", where, buttons);
}

MouseEventResult ProbeView::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
	return record("moved", where, buttons);
}

MouseEventResult ProbeView::onMouseEntered(CPoint& where, const CButtonState& buttons)
{
	return record("entered", where, buttons);
}

MouseEventResult ProbeView::onMouseExited(CPoint& where, const CButtonState& buttons)
{
	return record("exited", where, buttons);
}

bool ProbeView::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                        const CButtonState& buttons)
{
	record("wheel", where, buttons);
	events.back().axis = axis;
	events.back().distance = distance;
	return true;
}

int32 ProbeView::onKeyDown(VstKeyCode& keyCode)
{
	ViewEvent event;
	event.kind = "keydown";
	event.key = keyCode;
	events.push_back(event);
	return acceptKeys ? 1 : -1;
}

int32 ProbeView::onKeyUp(VstKeyCode& keyCode)
{
	ViewEvent event;
	event.kind = "keyup";
	event.key = keyCode;
	events.push_back(event);
	return acceptKeys ? 1 : -1;
}

std::vector<ViewEvent> ProbeView::eventsOf(const std::string& kind) const
{
	std::vector<ViewEvent> result;
	for (const ViewEvent& e : events)
	{
		if (e.kind == kind)
			result.push_back(e);
	}
	return result;
}

// ---------------------------------------------------------------------------

FrameFixture::FrameFixture(const CRect& frameRect, int parentWidth, int parentHeight, Embedding embedding)
: frameRect(frameRect)
{
	if (!client.isConnected())
		return;
	topLevel = client.createParent(parentX, parentY, parentWidth, parentHeight);
	parent = topLevel;
	if (embedding == Embedding::nested)
	{
		parent = client.createChild(topLevel, nestedX, nestedY, parentWidth - nestedX, parentHeight - nestedY);
		parentRootX += nestedX;
		parentRootY += nestedY;
	}
	// Park the pointer outside the parent, so that no test starts inside it.
	client.movePointer(5, 5);
	frame = new CFrame(frameRect, reinterpret_cast<void*>(static_cast<uintptr_t>(parent)), nullptr);
	frame->setBackgroundColor(CColor(20, 40, 60, 255));
}

FrameFixture::~FrameFixture()
{
	close();
	// A test that failed half-way through a drag must not leave a button
	// held for the next one.
	if (client.isConnected())
	{
		for (uint8_t button = 1; button <= 3; ++button)
			client.releaseButton(button);
	}
}

ProbeView* FrameFixture::addProbe(const CRect& size, const CColor& color)
{
	auto* view = new ProbeView(size, color);
	frame->addView(view);
	return view;
}

void FrameFixture::paintNow()
{
	pumpUntil([this] { return platform() == nullptr || !platform()->hasInvalidRects(); });
	X11RunLoop::pump();
	if (!platform())
		return;
	// The round trip brings in what the server sent before it, such as the
	// exposure of a window that was mapped just now; those are handled too,
	// so that a test's own exposures arrive alone.
	platform()->sync();
	X11RunLoop::pump();
	if (platform())
		platform()->sync();
}

void FrameFixture::close()
{
	if (frame)
		frame->close();
	frame = nullptr;
}

} // namespace corvane::test
