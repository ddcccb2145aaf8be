// The reference-count audit: a whole editor-like tree, used the way a user
// would use it, leaves nothing behind once the frame is closed.
#include "viewtestsupport.h"

#include "gui/views/idleviewupdater.h"
#include "gui/base/runloop.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using namespace VSTGUI::test;

namespace {

TEST(LifetimeTest, ClosingAFrameDestroysEveryViewBitmapAndThePlatformFrame)
{
	clearLog();
	RecordingListener listener;
	CFrame* frame = makeFrame(CRect(0, 0, 200, 100));
	auto* shared = new CountedBitmap(8, 8);
	auto* box = new RecordingContainer("box", CRect(10, 10, 190, 90));
	box->setBackground(shared);
	frame->addView(box);
	auto* control = new TestControl(CRect(10, 10, 60, 30), &listener, 1);
	control->setBackground(shared);
	control->setWantsFocus(true);
	box->addView(control);
	auto* idler = new RecordingView("idler", CRect(70, 10, 90, 30));
	idler->setWantsIdle(true);
	idler->setBackground(shared);
	box->addView(idler);
	auto* copy = static_cast<CView*>(control->newCopy());
	copy->setViewSize(CRect(100, 10, 150, 30));
	box->addView(copy);
	shared->forget();
	EXPECT_EQ(shared->getNbReference(), 4);

	// Hover, capture, focus and a modal view all hold on to views.
	CPoint onControl(30, 30);
	frame->platformOnMouseMoved(onControl, 0);
	frame->platformOnMouseDown(onControl, kButtonLeft);
	auto* modal = new RecordingView("modal", CRect(0, 0, 20, 20));
	frame->setModalView(modal);
	modal->forget();
	RecordingContext context(CRect(0, 0, 200, 100));
	frame->platformDrawRect(&context, CRect(0, 0, 200, 100));
	EXPECT_NE(IdleViewUpdater::gInstance, nullptr);

	frame->close();
	EXPECT_EQ(liveObjects(), 0);
	EXPECT_EQ(IdleViewUpdater::gInstance, nullptr);
	EXPECT_EQ(RunLoop::get().getTimerCount(), 0u);
}

} // namespace
