// Stand-ins for the knob, button and switch tests: a frame without a window
// with the recording editor and listener (which writes its values in the
// shortest form), a drawing context that records what a control draws, and bitmaps
// painted by the test.
#pragma once

#include "gui/controls/ccontrol.h"
#include "gui/drawing/cbitmap.h"
#include "gui/drawing/cdrawcontext.h"
#include "gui/drawing/cgraphicspath.h"
#include "gui/views/cframe.h"
#include "tests/support/eventlog.h"
#include "tests/support/nulldrawcontext.h"
#include "tests/support/pixelaccess.h"
#include "tests/support/recordingeditor.h"
#include "tests/support/recordinglistener.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace VSTGUI::knobtest
{

using test::clearLog;
using test::eventLog;
using test::RecordingEditor;
using test::RecordingListener;

// A window-less frame with one control in it; the fixture owns the frame.
class ControlFixture : public ::testing::Test
{
protected:
	void SetUp() override;
	void TearDown() override;
	// Adds control to the frame, which takes over the caller's reference.
	template <typename T> T* add(T* control)
	{
		frame->addView(control);
		return control;
	}

	RecordingEditor editor;
	RecordingListener listener{RecordingListener::shortest()};
	CFrame* frame{nullptr};
};

// The log of one edit of the control with tag 1: begin, the listener's
// values (formatted as the listener logs them), end.
std::vector<std::string> editWith(const std::vector<float>& values);
std::string valueEntry(float value);

// A path that keeps its elements.
class RecordingPath : public CGraphicsPath
{
public:
	CGradient* createGradient(double, double, const CColor&, const CColor&) override { return nullptr; }
	CPoint getCurrentPosition() override { return CPoint(); }
	CRect getBoundingBox() override { return CRect(); }

protected:
	void dirty() override {}
};

// Records lines, ellipses, stroked paths and bitmaps with the state they
// were drawn in. Coordinates are as the control passed them.
class RecordingContext : public test::NullDrawContext
{
public:
	struct Line
	{
		CPoint from;
		CPoint to;
		CColor color;
		double width;
	};
	struct Ellipse
	{
		CRect rect;
		CDrawStyle style;
		CColor frameColor;
		CColor fillColor;
		double width;
	};
	struct Path
	{
		CGraphicsPath::ElementList elements;
		PathDrawMode mode;
		CColor color;
		double width;
		CLineStyle lineStyle;
	};
	struct Bitmap
	{
		CBitmap* bitmap;
		CRect dest;
		CPoint offset;
		float alpha;
	};

	RecordingContext() : NullDrawContext(CRect(0, 0, 1000, 1000)) {}

	void lineTo(const CPoint& point) override;
	void drawEllipse(const CRect& rect, const CDrawStyle style) override;
	void drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset, float alpha) override;
	CGraphicsPath* createGraphicsPath() override { return new RecordingPath(); }
	void drawGraphicsPath(CGraphicsPath* path, PathDrawMode mode, CGraphicsTransform*) override;

	std::vector<Line> lines;
	std::vector<Ellipse> ellipses;
	std::vector<Path> paths;
	std::vector<Bitmap> bitmaps;
};

// A bitmap of that size whose pixels come from paint (straight alpha). The
// caller owns the reference.
CBitmap* paintedBitmap(int width, int height, const std::function<CColor(int x, int y)>& paint);

using test::pixelAt;

} // namespace VSTGUI::knobtest
