// The window tests' side of the X server: a connection of the test's own
// that plays the host (a top-level parent window) and the user (input through
// XTEST), views that record what reaches them, and helpers that pump the
// module's run loop until something has happened.
#pragma once

#include "gui/platform/linux/window/x11frame.h"
#include "gui/views/cframe.h"
#include "tests/support/xvfbserver.h"

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>
#include <xcb/xcb.h>

namespace corvane::test
{

using namespace VSTGUI;

// Owns a reply that xcb allocated and frees it with free().
template <typename Reply> struct Freed
{
	Reply* reply;
	explicit Freed(Reply* r) : reply(r) {}
	~Freed() { std::free(reply); }
	Freed(const Freed&) = delete;
	Freed& operator=(const Freed&) = delete;
	Reply* operator->() const { return reply; }
	explicit operator bool() const { return reply != nullptr; }
};

// One Xvfb for the whole test program, started on first use; a test that
// reaches for it when it cannot start is skipped (see requireRunning).
XvfbServer& sharedServer();

// The test's own X client.
class TestClient
{
public:
	TestClient();
	~TestClient();
	TestClient(const TestClient&) = delete;
	TestClient& operator=(const TestClient&) = delete;

	bool isConnected() const;
	xcb_connection_t* get() const { return connection; }
	xcb_window_t root() const { return screen->root; }

	// A mapped top-level window at (x, y); destroyed with the client.
	xcb_window_t createParent(int x, int y, int width, int height, uint32_t eventMask = 0);
	// A mapped child window at (x, y) in parent; destroyed with the client.
	xcb_window_t createChild(xcb_window_t parent, int x, int y, int width, int height, uint32_t eventMask = 0);
	// Waits until the server has handled everything sent so far.
	void sync();

	// Input through XTEST; every call ends with sync().
	void movePointer(int rootX, int rootY);
	void pressButton(uint8_t button);
	void releaseButton(uint8_t button);
	void click(uint8_t button);
	void pressKey(xcb_keycode_t key);
	void releaseKey(xcb_keycode_t key);
	void tapKey(xcb_keycode_t key);
	// The first keycode whose keysyms include keysym; 0 for none.
	xcb_keycode_t keycodeOf(uint32_t keysym);

	void setFocus(xcb_window_t window);
	// The top-level override-redirect windows (pop-ups, tooltips, drag
	// pictures), bottom first; only the viewable ones unless told otherwise.
	std::vector<xcb_window_t> overrideRedirectWindows(bool viewableOnly = true);
	// Windows below window (all levels).
	std::vector<xcb_window_t> descendantsOf(xcb_window_t window);
	// ARGB of the window's pixels, row by row (alpha forced to 0xFF).
	std::vector<uint32_t> readPixels(xcb_window_t window, int width, int height);
	// The serial of the cursor the pointer shows now (XFixes); 0 when the
	// server cannot tell. Each cursor has its own serial.
	uint32_t cursorSerial();
	// The next event of a type on this client within timeoutMs, or an empty
	// result; the caller frees it.
	xcb_generic_event_t* waitForEvent(uint8_t type, int timeoutMs);

private:
	void fake(uint8_t type, uint8_t detail, int x = 0, int y = 0);

	xcb_connection_t* connection{nullptr};
	xcb_screen_t* screen{nullptr};
	std::vector<xcb_window_t> windows;
};

// Pumps the run loop in short slices until done() or timeoutMs.
bool pumpUntil(const std::function<bool()>& done, int timeoutMs = 3000);

// One event as a view saw it.
struct ViewEvent
{
	std::string kind;
	CPoint where;
	int32 buttons{0};
	CMouseWheelAxis axis{kWheelAxisVertical};
	float distance{0};
	VstKeyCode key{0, 0, 0};
};

// A view that records its events, draws a solid colour and counts draws.
class ProbeView : public CView
{
public:
	ProbeView(const CRect& size, const CColor& color) : CView(size), color(color) {}

	void draw(CDrawContext* context) override;
	MouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;
	using CView::onWheel;
	bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
	             const CButtonState& buttons) override;
	int32 onKeyDown(VstKeyCode& keyCode) override;
	int32 onKeyUp(VstKeyCode& keyCode) override;
	void onIdle() override { ++idles; }

	std::vector<ViewEvent> events;
	std::vector<ViewEvent> eventsOf(const std::string& kind) const;
	CColor color;
	int draws{0};
	int idles{0};
	bool acceptKeys{true};

private:
	MouseEventResult record(const char* kind, const CPoint& where, const CButtonState& buttons);
};

// Where the frame's window goes: straight into a top-level window, or into
// an embedding window inside one, as Ardour nests its editors.
enum class Embedding
{
	direct,
	nested
};

// A frame in a parent window of the test client; the fixture owns both.
class FrameFixture
{
public:
	explicit FrameFixture(const CRect& frameRect = CRect(0, 0, 200, 150), int parentWidth = 300, int parentHeight = 200,
	                      Embedding embedding = Embedding::direct);
	~FrameFixture();

	X11Frame* platform() const { return static_cast<X11Frame*>(frame->getPlatformFrame()); }
	// Adds a probe; the frame holds it.
	ProbeView* addProbe(const CRect& size, const CColor& color);
	// Root coordinates of a point in frame coordinates.
	int rootX(double x) const { return parentRootX + static_cast<int>(frameRect.left + x); }
	int rootY(double y) const { return parentRootY + static_cast<int>(frameRect.top + y); }
	// Pumps until the frame has nothing left to paint and the server has
	// drawn it.
	void paintNow();
	void close();

	TestClient client;
	CFrame* frame{nullptr};
	// The top-level window at (parentX, parentY).
	xcb_window_t topLevel{0};
	// The frame's parent: the top-level, or the embedding window at
	// (nestedX, nestedY) in it.
	xcb_window_t parent{0};
	CRect frameRect;
	static constexpr int parentX = 40;
	static constexpr int parentY = 30;
	static constexpr int nestedX = 7;
	static constexpr int nestedY = 5;

private:
	int parentRootX{parentX};
	int parentRootY{parentY};
};

} // namespace corvane::test
