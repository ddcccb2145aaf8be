// The boundary between a frame and its native window.
//
// IPlatformFrameCallback is what the platform delivers to the frame: native
// events, already translated, with points in frame coordinates (origin at
// the top-left corner of the client area, y down). IPlatformFrame is what
// the frame asks of the platform. The platform layer implements both
// factories at the bottom; the toolkit core never sees a native type.
//
// Ownership: the frame holds one reference to its platform frame; the
// platform frame keeps a plain pointer to its callback and must not call it
// after the frame has released it. Everything runs on the user-interface
// thread.
#pragma once

#include "gui/base/cbaseobject.h"
#include "gui/base/cbuttonstate.h"
#include "gui/base/crect.h"

namespace VSTGUI
{

class CBitmap;
class CDragContainer;
class CDrawContext;
class CDropSource;
class COffscreenContext;
class IPlatformOptionMenu;
class IPlatformTextEdit;
class IPlatformTextEditCallback;

// Mouse cursor shapes; 0 is the default arrow, unknown values show it too.
enum CCursorType : int32
{
	kCursorDefault = 0,
	kCursorWait = 1,
	kCursorHSize = 2,
	kCursorVSize = 3,
	kCursorSizeAll = 4,
	kCursorNESWSize = 5,
	kCursorNWSESize = 6,
	kCursorCopy = 7,
	kCursorNotAllowed = 8,
	kCursorHand = 9
};

class IPlatformFrameCallback
{
public:
	virtual ~IPlatformFrameCallback() = default;

	// updateRect in frame coordinates; the context is valid for the call.
	virtual bool platformDrawRect(CDrawContext* context, const CRect& updateRect) = 0;
	virtual MouseEventResult platformOnMouseDown(CPoint& where, const CButtonState& buttons) = 0;
	virtual MouseEventResult platformOnMouseMoved(CPoint& where, const CButtonState& buttons) = 0;
	virtual MouseEventResult platformOnMouseUp(CPoint& where, const CButtonState& buttons) = 0;
	virtual MouseEventResult platformOnMouseExited(CPoint& where, const CButtonState& buttons) = 0;
	virtual bool platformOnMouseWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
	                                  const CButtonState& buttons) = 0;
	virtual bool platformOnDrop(CDragContainer* drag, const CPoint& where) = 0;
	virtual void platformOnDragEnter(CDragContainer* drag, const CPoint& where) = 0;
	virtual void platformOnDragLeave(CDragContainer* drag, const CPoint& where) = 0;
	virtual void platformOnDragMove(CDragContainer* drag, const CPoint& where) = 0;
	// true when the key was used; a key that was not may go to the host.
	virtual bool platformOnKeyDown(VstKeyCode& keyCode) = 0;
	virtual bool platformOnKeyUp(VstKeyCode& keyCode) = 0;
	virtual void platformOnActivate(bool active) = 0;
};

class IPlatformFrame : public CBaseObject
{
public:
	// A new platform frame (count 1, owned by the caller) as a child of the
	// native parent window, or null when it cannot be made. Provided by the
	// platform layer.
	static IPlatformFrame* createPlatformFrame(IPlatformFrameCallback* frame, const CRect& size, void* parent);
	// Milliseconds of the platform's monotonic clock, wrapping as unsigned
	// 32-bit. Provided by the platform layer.
	static uint32 getTicks();

	// Screen coordinates of the frame's top-left corner.
	virtual bool getGlobalPosition(CPoint& position) const = 0;
	// Moves and resizes the native view; false refuses.
	virtual bool setSize(const CRect& newSize) = 0;
	virtual bool getSize(CRect& size) const = 0;
	// Frame coordinates.
	virtual bool getCurrentMousePosition(CPoint& mousePosition) const = 0;
	// ORs the current buttons and modifiers into buttons.
	virtual bool getCurrentMouseButtons(CButtonState& buttons) const = 0;
	virtual bool setMouseCursor(CCursorType type) = 0;
	// Schedules a redraw of rect (frame coordinates): platformDrawRect later.
	virtual bool invalidRect(const CRect& rect) = 0;
	// false when moving drawn pixels is not supported.
	virtual bool scrollRect(const CRect& src, const CPoint& distance) = 0;
	virtual bool showTooltip(const CRect& rect, const char* utf8Text) = 0;
	virtual bool hideTooltip() = 0;
	// The native view object; not owned by the caller.
	virtual void* getPlatformRepresentation() const = 0;
	// New objects owned by the caller, or null.
	virtual IPlatformTextEdit* createPlatformTextEdit(IPlatformTextEditCallback* textEdit) = 0;
	virtual IPlatformOptionMenu* createPlatformOptionMenu() = 0;
	virtual COffscreenContext* createOffscreenContext(double width, double height) = 0;
	// -1 when the drag cannot start.
	virtual int32 doDrag(CDropSource* source, const CPoint& offset, CBitmap* dragBitmap) = 0;

	// Device pixels per frame unit. Everything above the platform stays in
	// frame units; the native window, its pixels and its events are scaled.
	virtual double getScaleFactor() const { return 1.; }
	// Redraws the whole frame at the new factor; false when the platform
	// cannot scale or the factor is outside 1 to 4.
	virtual bool setScaleFactor(double) { return false; }
};

} // namespace VSTGUI
