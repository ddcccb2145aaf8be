#include "viewtestsupport.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using namespace VSTGUI::test;

namespace
{

class FrameTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		clearLog();
		frame = makeFrame(CRect(0, 0, 300, 300), &editor);
	}
	void TearDown() override
	{
		if (frame)
			frame->close();
		EXPECT_EQ(liveObjects(), 0);
	}

	template <typename T> T* add(CViewContainer* parent, T* view)
	{
		parent->addView(view);
		return view;
	}

	RecordingView* focusable(CViewContainer* parent, const char* name, const CRect& size)
	{
		auto* view = add(parent, new RecordingView(name, size));
		view->setWantsFocus(true);
		return view;
	}

	RecordingEditor editor{{.knobMode = 2, .recordsIdleAndSize = true}};
	CFrame* frame{nullptr};
};

TEST_F(FrameTest, TabWalksFocusableViewsBackToFrontIncludingNestedOnes)
{
	auto* a = focusable(frame, "a", CRect(0, 0, 10, 10));
	add(frame, new RecordingView("plain", CRect(0, 0, 10, 10)));
	auto* disabled = focusable(frame, "disabled", CRect(0, 0, 10, 10));
	disabled->setMouseEnabled(false);
	auto* box = add(frame, new CViewContainer(CRect(50, 50, 100, 100)));
	auto* b = focusable(box, "b", CRect(0, 0, 10, 10));
	auto* c = focusable(frame, "c", CRect(0, 0, 10, 10));
	VstKeyCode tab = virtualKey(VKEY_TAB);
	EXPECT_EQ(frame->onKeyDown(tab), 1);
	EXPECT_EQ(frame->getFocusView(), a);
	EXPECT_EQ(frame->onKeyDown(tab), 1);
	EXPECT_EQ(frame->getFocusView(), b);
	EXPECT_EQ(frame->onKeyDown(tab), 1);
	EXPECT_EQ(frame->getFocusView(), c);
	EXPECT_EQ(frame->onKeyDown(tab), -1);
	EXPECT_EQ(frame->getFocusView(), nullptr);
	EXPECT_EQ(frame->onKeyDown(tab), 1);
	EXPECT_EQ(frame->getFocusView(), a);
}

TEST_F(FrameTest, ShiftTabWalksBackwardsAndClearsTheFocusAtTheFirstView)
{
	auto* a = focusable(frame, "a", CRect(0, 0, 10, 10));
	auto* b = focusable(frame, "b", CRect(0, 0, 10, 10));
	frame->setFocusView(b);
	VstKeyCode shiftTab = virtualKey(VKEY_TAB, MODIFIER_SHIFT);
	EXPECT_EQ(frame->onKeyDown(shiftTab), 1);
	EXPECT_EQ(frame->getFocusView(), a);
	EXPECT_EQ(frame->onKeyDown(shiftTab), -1);
	EXPECT_EQ(frame->getFocusView(), nullptr);
	EXPECT_EQ(frame->onKeyDown(shiftTab), 1);
	EXPECT_EQ(frame->getFocusView(), b);
}

TEST_F(FrameTest, FocusChangeTellsOldViewBeforeNewViewTakesFocus)
{
	auto* a = focusable(frame, "a", CRect(0, 0, 10, 10));
	auto* b = focusable(frame, "b", CRect(0, 0, 10, 10));
	frame->setFocusView(a);
	clearLog();
	frame->setFocusView(b);
	EXPECT_EQ(eventLog(), std::vector<std::string>({"a:looseFocus", "b:takeFocus"}));
	clearLog();
	frame->setFocusView(b);
	EXPECT_TRUE(eventLog().empty());
}

TEST_F(FrameTest, KeyIgnoredByTheFocusViewReachesItsContainersBeforeTheModalView)
{
	auto* outer = add(frame, new RecordingContainer("outer", CRect(0, 0, 100, 100)));
	auto* inner = add(outer, new RecordingContainer("inner", CRect(0, 0, 50, 50)));
	auto* view = focusable(inner, "view", CRect(0, 0, 10, 10));
	frame->setFocusView(view);
	auto* modal = new RecordingView("modal", CRect(200, 200, 250, 250));
	modal->keyAnswer = 1;
	ASSERT_TRUE(frame->setModalView(modal));
	// The modal view did not want focus; focus the view again for this key.
	frame->setFocusView(view);
	inner->setMouseEnabled(false);
	clearLog();
	VstKeyCode code = virtualKey(0);
	code.character = 'a';
	EXPECT_EQ(frame->onKeyDown(code), 1);
	EXPECT_EQ(eventLog(), std::vector<std::string>({"view:key", "outer:key", "modal:key"}));
	outer->keyAnswer = 1;
	clearLog();
	EXPECT_EQ(frame->onKeyDown(code), 1);
	EXPECT_EQ(eventLog(), std::vector<std::string>({"view:key", "outer:key"}));
	frame->setModalView(nullptr);
	modal->forget();
}

TEST_F(FrameTest, KeyboardHookSeesKeysFirstAndCanConsumeThem)
{
	struct Hook : IKeyboardHook
	{
		int32 hookKeyDown(VstKeyCode&, CFrame*) override { return 1; }
		int32 hookKeyUp(VstKeyCode&, CFrame*) override { return -1; }
	} hook;
	auto* view = focusable(frame, "view", CRect(0, 0, 10, 10));
	frame->setFocusView(view);
	frame->setKeyboardHook(&hook);
	clearLog();
	VstKeyCode code = virtualKey(VKEY_SPACE);
	EXPECT_TRUE(frame->platformOnKeyDown(code));
	EXPECT_TRUE(eventLog().empty());
	EXPECT_FALSE(frame->platformOnKeyUp(code));
	frame->setKeyboardHook(nullptr);
}

TEST_F(FrameTest, WithAModalViewAClickOutsideItReachesNoView)
{
	add(frame, new RecordingView("under", CRect(0, 0, 300, 300)));
	auto* modal = new RecordingView("modal", CRect(100, 100, 150, 150));
	ASSERT_TRUE(frame->setModalView(modal));
	EXPECT_FALSE(frame->setModalView(modal));
	clearLog();
	CPoint outside(10, 10);
	EXPECT_EQ(frame->onMouseDown(outside, kButtonLeft), kMouseNotHandled);
	EXPECT_EQ(frame->getViewAt(outside, true), nullptr);
	CPoint inside(120, 120);
	EXPECT_EQ(frame->onMouseDown(inside, kButtonLeft), kMouseHandled);
	EXPECT_EQ(eventLog(), std::vector<std::string>({"modal:down 120,120"}));
	frame->onMouseUp(inside, 0);
	EXPECT_TRUE(frame->setModalView(nullptr));
	EXPECT_EQ(modal->getNbReference(), 1);
	EXPECT_FALSE(modal->isAttached());
	modal->forget();
}

TEST_F(FrameTest, ClosingTheFrameInsideAMouseHandlerKeepsItAliveUntilTheHandlerReturns)
{
	auto* view = add(frame, new RecordingView("closer", CRect(0, 0, 50, 50)));
	int framesAliveInHandler = 0;
	view->onDown = [&]
	{
		frame->close();
		framesAliveInHandler = frame->getNbReference();
	};
	CPoint where(5, 5);
	EXPECT_EQ(frame->platformOnMouseDown(where, kButtonLeft), kMouseHandled);
	EXPECT_EQ(framesAliveInHandler, 1);
	frame = nullptr;
}

TEST_F(FrameTest, HoverEntersOuterBeforeInnerAndExitsInnerBeforeOuter)
{
	auto* box = add(frame, new RecordingContainer("box", CRect(100, 100, 200, 200)));
	add(box, new RecordingView("leaf", CRect(10, 10, 30, 30)));
	CPoint background(5, 5);
	frame->onMouseMoved(background, 0);
	EXPECT_TRUE(eventLog().empty());
	CPoint onLeaf(115, 115);
	frame->onMouseMoved(onLeaf, 0);
	EXPECT_EQ(eventLog(), std::vector<std::string>({"box:entered", "leaf:entered", "leaf:moved 15,15"}));
	clearLog();
	frame->onMouseMoved(background, 0);
	EXPECT_EQ(eventLog(), std::vector<std::string>({"leaf:exited", "box:exited"}));
	EXPECT_TRUE(frame->getMouseViews().empty());
}

TEST_F(FrameTest, MovingBetweenSiblingsKeepsTheirCommonContainer)
{
	auto* box = add(frame, new RecordingContainer("box", CRect(100, 100, 200, 200)));
	add(box, new RecordingView("left", CRect(0, 0, 20, 20)));
	add(box, new RecordingView("right", CRect(50, 0, 70, 20)));
	CPoint onLeft(105, 105);
	frame->onMouseMoved(onLeft, 0);
	clearLog();
	CPoint onBox(140, 150);
	frame->onMouseMoved(onBox, 0);
	CPoint onRight(155, 105);
	frame->onMouseMoved(onRight, 0);
	EXPECT_EQ(eventLog(), std::vector<std::string>({"left:exited", "right:entered", "right:moved 55,5"}));
}

TEST_F(FrameTest, DuringCaptureNoOtherViewIsEnteredAndReleaseRecomputesTheChain)
{
	auto* slider = add(frame, new RecordingView("slider", CRect(0, 0, 50, 50)));
	add(frame, new RecordingView("other", CRect(100, 0, 150, 50)));
	CPoint onSlider(10, 10);
	frame->onMouseMoved(onSlider, 0);
	frame->onMouseDown(onSlider, kButtonLeft);
	clearLog();
	CPoint onOther(120, 10);
	frame->onMouseMoved(onOther, kButtonLeft | kModifierShift);
	EXPECT_EQ(eventLog(), std::vector<std::string>({"slider:moved 120,10"}));
	CPoint exitPoint(-1, -1);
	EXPECT_EQ(frame->onMouseExited(exitPoint, kButtonLeft), kMouseHandled);
	EXPECT_EQ(frame->getMouseViews(), std::vector<CView*>({slider}));
	clearLog();
	frame->onMouseUp(onOther, kButtonLeft | kModifierShift);
	EXPECT_EQ(eventLog(), std::vector<std::string>({"slider:up 120,10", "slider:exited", "other:entered"}));
}

TEST_F(FrameTest, MouseObserversSeeEnterExitAndMayConsumeEvents)
{
	struct Observer : IMouseObserver
	{
		void mouseEnteredView(CView*, CFrame*) override { eventLog().push_back("observer:entered"); }
		void mouseExitedView(CView*, CFrame*) override { eventLog().push_back("observer:exited"); }
		MouseEventResult mouseMovedInFrame(CFrame*, const CPoint&, const CButtonState&) override
		{
			return kMouseNotHandled;
		}
		MouseEventResult mouseDownInFrame(CFrame*, const CPoint&, const CButtonState&) override
		{
			return kMouseHandled;
		}
	} observer;
	add(frame, new RecordingView("view", CRect(0, 0, 50, 50)));
	frame->registerMouseObserver(&observer);
	CPoint where(10, 10);
	frame->onMouseMoved(where, 0);
	EXPECT_EQ(frame->onMouseDown(where, kButtonLeft), kMouseHandled);
	frame->unregisterMouseObserver(&observer);
	CPoint away(200, 200);
	frame->onMouseMoved(away, 0);
	EXPECT_EQ(eventLog(),
	          std::vector<std::string>({"view:entered", "observer:entered", "view:moved 10,10", "view:exited"}));
}

TEST_F(FrameTest, RemovingAHoveredContainerDropsItAndItsChildrenFromTheChain)
{
	auto* box = add(frame, new RecordingContainer("box", CRect(100, 100, 200, 200)));
	add(box, new RecordingView("leaf", CRect(0, 0, 50, 50)));
	CPoint onLeaf(110, 110);
	frame->onMouseMoved(onLeaf, 0);
	ASSERT_EQ(frame->getMouseViews().size(), 2u);
	clearLog();
	frame->removeView(box, true);
	EXPECT_TRUE(frame->getMouseViews().empty());
	EXPECT_TRUE(eventLog().empty());
}

TEST_F(FrameTest, RemovingTheFocusViewOrItsContainerClearsTheFocus)
{
	auto* box = add(frame, new CViewContainer(CRect(0, 0, 100, 100)));
	auto* view = focusable(box, "view", CRect(0, 0, 10, 10));
	frame->setFocusView(view);
	frame->removeView(box, true);
	EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(FrameTest, DeactivationRemembersTheFocusAndActivationRestoresIt)
{
	auto* a = focusable(frame, "a", CRect(0, 0, 10, 10));
	auto* b = focusable(frame, "b", CRect(0, 0, 10, 10));
	frame->setFocusView(b);
	frame->platformOnActivate(false);
	EXPECT_EQ(frame->getFocusView(), nullptr);
	frame->setFocusView(a);
	EXPECT_EQ(frame->getFocusView(), nullptr);
	frame->platformOnActivate(true);
	EXPECT_EQ(frame->getFocusView(), a);
}

TEST_F(FrameTest, SetSizeToTheCurrentSizeAnswersFalseAndCallsNobody)
{
	EXPECT_FALSE(frame->setSize(300, 300));
	EXPECT_TRUE(eventLog().empty());
	EXPECT_TRUE(platformOf(frame)->setSizeCalls.empty());
}

TEST_F(FrameTest, EditorOrPlatformVetoLeavesTheSizeUnchanged)
{
	auto* child = add(frame, new RecordingView("child", CRect(280, 0, 300, 20)));
	child->setAutosizeFlags(kAnchorRight);
	editor.allowResize = false;
	EXPECT_FALSE(frame->setSize(400, 300));
	EXPECT_TRUE(platformOf(frame)->setSizeCalls.empty());
	editor.allowResize = true;
	platformOf(frame)->acceptSize = false;
	EXPECT_FALSE(frame->setSize(400, 300));
	EXPECT_EQ(frame->getViewSize(), CRect(0, 0, 300, 300));
	platformOf(frame)->acceptSize = true;
	EXPECT_TRUE(frame->setSize(400, 300));
	EXPECT_EQ(frame->getViewSize(), CRect(0, 0, 400, 300));
	EXPECT_EQ(child->getViewSize(), CRect(380, 0, 400, 20));
	CRect platformSize;
	EXPECT_TRUE(frame->getSize(platformSize));
	EXPECT_EQ(platformSize, CRect(0, 0, 400, 300));
}

TEST_F(FrameTest, SetPositionHandsThePlatformTheMovedRectangleAndKeepsItsOwnOnRefusal)
{
	platformOf(frame)->acceptSize = false;
	EXPECT_FALSE(frame->setPosition(20, 30));
	EXPECT_EQ(frame->getViewSize(), CRect(0, 0, 300, 300));
	platformOf(frame)->acceptSize = true;
	EXPECT_TRUE(frame->setPosition(20, 30));
	EXPECT_EQ(platformOf(frame)->setSizeCalls.back(), CRect(20, 30, 320, 330));
	EXPECT_EQ(frame->getViewSize(), CRect(20, 30, 320, 330));
	double x = 0;
	double y = 0;
	EXPECT_TRUE(frame->getPosition(x, y));
	EXPECT_EQ(CPoint(x, y), CPoint(100, 200));
}

TEST_F(FrameTest, FocusSettingsHaveDefaultsAndAreStoredAsAttributes)
{
	EXPECT_FALSE(frame->focusDrawingEnabled());
	EXPECT_EQ(frame->getFocusColor(), kRedCColor);
	EXPECT_EQ(frame->getFocusWidth(), 2.0);
	frame->setFocusWidth(3.5);
	frame->setFocusColor(kCyanCColor);
	frame->setFocusDrawingEnabled(true);
	EXPECT_EQ(frame->getFocusWidth(), 3.5);
	EXPECT_EQ(frame->getFocusColor(), kCyanCColor);
	EXPECT_TRUE(frame->focusDrawingEnabled());
	frame->setFocusDrawingEnabled(false);
	EXPECT_FALSE(frame->focusDrawingEnabled());
	// A stored value larger than the setting is ignored.
	double tooLarge[2] = {7, 7};
	frame->setAttribute(kCViewFocusColorAttribute, sizeof(tooLarge), tooLarge);
	EXPECT_EQ(frame->getFocusColor(), kRedCColor);
}

TEST_F(FrameTest, EditorReceivesIdleKnobModeAndEditBracketsThroughTheFrame)
{
	EXPECT_EQ(frame->getKnobMode(), 2);
	frame->doIdleStuff();
	frame->beginEdit(3);
	frame->endEdit(3);
	EXPECT_EQ(eventLog(), std::vector<std::string>({"editor:idle", "editor:beginEdit 3", "editor:endEdit 3"}));
	EXPECT_EQ(frame->getTicks(), 4242u);
}

TEST_F(FrameTest, WithoutAPlatformFramePlatformQueriesAnswerEmpty)
{
	CFrame* bare = new CFrame(CRect(0, 0, 10, 10), nullptr, nullptr);
	EXPECT_EQ(bare->getTicks(), 0xFFFFFFFFu);
	CRect size;
	EXPECT_FALSE(bare->getSize(size));
	CPoint where;
	EXPECT_FALSE(bare->getCurrentMouseLocation(where));
	EXPECT_EQ(bare->getCurrentMouseButtons(), CButtonState(0));
	EXPECT_EQ(bare->doDrag(nullptr, CPoint(), nullptr), kDragError);
	EXPECT_FALSE(bare->setPosition(1, 1));
	EXPECT_EQ(bare->getKnobMode(), 0);
	EXPECT_FALSE(bare->initFrame(nullptr));
	bare->close();
}

TEST_F(FrameTest, InvalidateMarksOverlappingChildrenDirtyUntilTheNextIdle)
{
	auto* hit = add(frame, new RecordingView("hit", CRect(0, 0, 10, 10)));
	auto* miss = add(frame, new RecordingView("miss", CRect(50, 50, 60, 60)));
	frame->invalidate(CRect(10, 10, 20, 20));
	EXPECT_TRUE(hit->isDirty());
	EXPECT_FALSE(miss->isDirty());
	platformOf(frame)->invalidRects.clear();
	frame->setDirty(false);
	frame->idle();
	EXPECT_EQ(platformOf(frame)->invalidRects, std::vector<CRect>({CRect(0, 0, 10, 10)}));
}

} // namespace
