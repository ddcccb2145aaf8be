// The editor's native window on X11: a child window of the host's window on
// a connection of its own, with a retained back buffer, event translation
// into the frame's IPlatformFrameCallback and the frame's platform requests.
//
// The window is created with no background (XCB_BACK_PIXMAP_NONE): the X
// server never paints it, so nothing flickers. Invalidation collects
// rectangles; paint() (from the run loop, x11runloop.h) creates one drawing
// context on the back buffer, draws every invalid rectangle and copies
// exactly those rectangles to the window. Expose only copies from the back
// buffer.
//
// Failure: creation answers null (and leaves nothing behind) for a null or
// unknown parent window, no $DISPLAY or an unreachable server. A server that
// goes away later makes the frame quiet: it answers its stored geometry,
// draws nothing and delivers nothing. X request errors are ignored.
//
// Ownership: created with count 1 for the CFrame. When the last reference
// other than the window's own short-lived ones goes, the window is destroyed
// at once and the callback is never called again. Threads: user-interface
// thread only.
#pragma once

#include "gui/platform/linux/dragdrop/x11dragdrop.h"
#include "gui/platform/linux/window/x11display.h"
#include "gui/platform/linux/window/x11events.h"
#include "gui/platform/linux/window/x11runloop.h"
#include "gui/views/iplatformframe.h"

#include <cairo.h>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>
#include <xcb/xcb.h>

namespace VSTGUI
{

class X11Tooltip;

class X11Frame : public IPlatformFrame, public IX11EventSource
{
public:
	// Counters of the drawing work, for tests and benchmarks; rectangles in
	// device pixels.
	struct PaintStatistics
	{
		uint64_t paints{0};
		uint64_t drawnRects{0};
		// The rectangles copied to the window by the last paint that copied
		// anything.
		std::vector<CRect> lastCopied;
	};

	// parent: the X11 window id. Null on failure (see above).
	static X11Frame* create(IPlatformFrameCallback* callback, const CRect& size, uintptr_t parent);
	// Milliseconds of CLOCK_MONOTONIC, wrapping as unsigned 32-bit.
	static uint32 getTicks();

	bool getGlobalPosition(CPoint& position) const override;
	bool setSize(const CRect& newSize) override;
	bool getSize(CRect& size) const override;
	bool getCurrentMousePosition(CPoint& mousePosition) const override;
	bool getCurrentMouseButtons(CButtonState& buttons) const override;
	bool setMouseCursor(CCursorType type) override;
	bool invalidRect(const CRect& rect) override;
	bool scrollRect(const CRect& src, const CPoint& distance) override;
	bool showTooltip(const CRect& rect, const char* utf8Text) override;
	bool hideTooltip() override;
	// The X11 window id as a pointer-sized integer; 0 once closed.
	void* getPlatformRepresentation() const override;
	IPlatformTextEdit* createPlatformTextEdit(IPlatformTextEditCallback* textEdit) override;
	IPlatformOptionMenu* createPlatformOptionMenu() override;
	COffscreenContext* createOffscreenContext(double width, double height) override;
	int32 doDrag(CDropSource* source, const CPoint& offset, CBitmap* dragBitmap) override;
	double getScaleFactor() const override { return scale; }
	bool setScaleFactor(double factor) override;

	// IX11EventSource
	int getFileDescriptor() const override;
	void dispatchEvents() override;
	void paint() override;

	void forget() override;

	xcb_window_t getWindow() const { return window; }
	xcb_window_t getParentWindow() const { return parent; }
	// False once the server has gone away or the frame was released.
	bool isConnected() const;
	// Waits until the server has handled every request sent so far.
	void sync();
	bool hasInvalidRects() const { return !invalidRects.empty(); }
	const PaintStatistics& getPaintStatistics() const { return statistics; }
	// The pixels the frame has drawn, in device pixels; native parts over
	// the frame take their background from it. Owned by the frame.
	cairo_surface_t* getBackBuffer() const { return backBuffer; }
	// Frame units to the window's device pixels, rounded outward so that a
	// scaled area never leaves a seam; and back, exactly.
	CRect toDevice(const CRect& rect) const;
	CRect toFrame(const CRect& deviceRect) const;
	CPoint toFrame(int x, int y) const { return CPoint(x / scale, y / scale); }

	// The connection and what the frame shares with its native parts (text
	// field, pop-up menu, tooltip, drag); lives as long as the frame object.
	X11Display& getDisplay() const { return *display; }
	// A reference for a native part that may outlive the frame's window (the
	// pop-up menu's modal loop, the text field): it keeps the display for
	// the part's clean-up but, like the frame's own references during
	// dispatch, not the window, so that the owner's last forget still closes
	// the window and silences the callback.
	void rememberForModalLoop();
	void forgetAfterModalLoop();
	// True while a press of the left button, or a motion with it held, is
	// being delivered: the only moments at which a drag may start.
	bool isDeliveringLeftButtonEvent() const { return deliveringLeftButton; }
	// The result of the last doDrag.
	int32 getLastDragResult() const { return lastDragResult; }

protected:
	~X11Frame() override;

private:
	class DispatchGuard;
	class LeftButtonDelivery;

	X11Frame(IPlatformFrameCallback* callback, const CRect& size, uintptr_t parent);
	bool open();
	bool connect();
	bool createWindow();
	bool findImageFormat();
	void publishEmbedInfo();
	void createBackBuffer();
	CRect deviceWindowRect() const;
	void configureWindow();
	void release();
	void goQuiet();
	void noteConnectionLoss();

	void handleEvent(const xcb_generic_event_t& event);
	void onButtonPress(const xcb_button_press_event_t& event);
	void onButtonRelease(const xcb_button_release_event_t& event);
	void onMotion(const xcb_motion_notify_event_t& event);
	void onCrossing(const xcb_enter_notify_event_t& event, bool entered);
	void onFocus(const xcb_focus_in_event_t& event, bool focusIn);
	void onKey(const xcb_key_press_event_t& event, bool pressed);
	struct KeyDestination
	{
		xcb_window_t window;
		// The window's child that holds ours, as a key event names it.
		xcb_window_t child;
	};
	std::optional<KeyDestination> findKeyDestination(uint32_t mask) const;
	void forwardKeyToHost(const xcb_key_press_event_t& event);
	void onExpose(const xcb_expose_event_t& event);

	void addRect(std::vector<CRect>& list, const CRect& rect) const;
	CRect clipToWindow(const CRect& rect) const;
	void drawInvalidRects();
	void copyToWindow(const CRect& rect);
	void moveBackBufferPixels(const CRect& src, const CPoint& distance);

	IPlatformFrameCallback* callback;
	// In frame units; the window is frameRect times scale.
	CRect frameRect;
	double scale{1.};
	xcb_window_t parent;
	std::unique_ptr<X11Display> display;
	// The display's, for brevity.
	xcb_connection_t* connection{nullptr};
	xcb_screen_t* screen{nullptr};
	xcb_window_t window{XCB_WINDOW_NONE};
	xcb_gcontext_t gc{0};
	uint8_t depth{0};
	bool swapPixelBytes{false};
	bool canPutImage{false};
	size_t maxRequestBytes{0};
	cairo_surface_t* backBuffer{nullptr};
	// Device pixels, whole.
	std::vector<CRect> invalidRects;
	std::vector<CRect> copyRects;
	std::unique_ptr<X11DropTarget> dropTarget;
	X11Events::DoubleClickDetector doubleClicks;
	X11Tooltip* tooltip{nullptr};
	bool deliveringLeftButton{false};
	int32 lastDragResult{0};
	PaintStatistics statistics;
	int32 internalReferences{0};
	bool lost{false};
	bool painting{false};
};

} // namespace VSTGUI
