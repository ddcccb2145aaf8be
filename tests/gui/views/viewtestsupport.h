// Stand-ins for the view tests: frames on the recording platform frame,
// views and a control that record what they receive into the shared event
// log, a drawing context that records what is drawn; all of them counted
// among the live objects for the reference audit.
#pragma once

#include "gui/controls/ccontrol.h"
#include "gui/drawing/cbitmap.h"
#include "gui/drawing/cdrawcontext.h"
#include "gui/drawing/cgraphicspath.h"
#include "gui/views/cframe.h"
#include "tests/support/eventlog.h"
#include "tests/support/nulldrawcontext.h"
#include "tests/support/recordingeditor.h"
#include "tests/support/recordinglistener.h"
#include "tests/support/recordingplatformframe.h"
#include "tests/support/vstkeys.h"

#include <functional>
#include <string>
#include <vector>

namespace VSTGUI::test
{

// A frame on a RecordingPlatformFrame (at global position 100,200); the
// test owns the frame's reference.
CFrame* makeFrame(const CRect& size, VSTGUIEditorInterface* editor = nullptr);
RecordingPlatformFrame* platformOf(CFrame* frame);

class RecordingView : public CView, LiveCounted
{
public:
	RecordingView(const char* name, const CRect& size) : CView(size), name(name) {}

	MouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;
	using CView::onWheel;
	bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
	int32 onKeyDown(VstKeyCode& keyCode) override;
	void takeFocus() override;
	void looseFocus() override;
	void onIdle() override;
	bool onDrop(CDragContainer* drag, const CPoint& where) override;
	void onDragEnter(CDragContainer* drag, const CPoint& where) override;
	void onDragLeave(CDragContainer* drag, const CPoint& where) override;
	void onDragMove(CDragContainer* drag, const CPoint& where) override;
	void draw(CDrawContext* context) override;

	std::string name;
	MouseEventResult downAnswer{kMouseHandled};
	MouseEventResult moveAnswer{kMouseHandled};
	bool wheelAnswer{true};
	int32 keyAnswer{-1};
	CColor drawColor{kTransparentCColor};
	// Run inside onMouseDown / onIdle, after the call was logged.
	std::function<void()> onDown;
	std::function<void()> idleAction;
	CPoint lastPoint;
	int idleCalls{0};
};

class RecordingContainer : public CViewContainer, LiveCounted
{
public:
	RecordingContainer(const char* name, const CRect& size) : CViewContainer(size), name(name) {}

	MouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;
	int32 onKeyDown(VstKeyCode& keyCode) override;

	std::string name;
	int32 keyAnswer{-1};
};

class TestControl : public CControl, LiveCounted
{
public:
	TestControl(const CRect& size, CControlListener* listener = nullptr, int32 tag = 0) : CControl(size, listener, tag)
	{
	}
	void draw(CDrawContext* context) override;
	CBaseObject* newCopy() const override { return new TestControl(*this); }
	using CControl::mapVstKeyModifier;

	CColor drawColor{kTransparentCColor};
};

// A bitmap counted among the live objects.
class CountedBitmap : public CBitmap, LiveCounted
{
public:
	CountedBitmap(double width, double height) : CBitmap(width, height) {}
};

// A path that keeps its elements; its bounds are those of its rectangles.
class RecordingPath : public CGraphicsPath
{
public:
	CGradient* createGradient(double, double, const CColor&, const CColor&) override { return nullptr; }
	CPoint getCurrentPosition() override { return CPoint(); }
	CRect getBoundingBox() override;

protected:
	void dirty() override {}
};

// Records filled rectangles and paths in surface coordinates (offset added).
class RecordingContext : public NullDrawContext
{
public:
	struct Fill
	{
		std::string what;
		CRect rect;
		CColor color;
		float alpha;
	};

	explicit RecordingContext(const CRect& surface) : NullDrawContext(surface) {}

	void drawRect(const CRect& rect, const CDrawStyle style) override;
	void drawBitmap(CBitmap*, const CRect& dest, const CPoint&, float alpha) override;
	CGraphicsPath* createGraphicsPath() override { return new RecordingPath(); }
	void drawGraphicsPath(CGraphicsPath* path, PathDrawMode mode, CGraphicsTransform*) override;

	CRect toSurface(const CRect& rect) const;

	std::vector<Fill> fills;
	std::vector<CRect> clipsAtDraw;
};

} // namespace VSTGUI::test
