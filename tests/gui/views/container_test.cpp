#include "viewtestsupport.h"

#include "gui/views/cdragcontainer.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace VSTGUI;
using namespace VSTGUI::test;

namespace
{

class ContainerTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		clearLog();
		frame = makeFrame(CRect(0, 0, 200, 200));
	}
	void TearDown() override
	{
		frame->close();
		EXPECT_EQ(liveObjects(), 0);
	}

	// Adds a view to parent and gives up the creator's reference.
	template <typename T> T* add(CViewContainer* parent, T* view)
	{
		parent->addView(view);
		return view;
	}

	CFrame* frame{nullptr};
};

TEST_F(ContainerTest, OpaqueChildThatIgnoresMouseDownHidesTheViewBehindIt)
{
	auto* back = add(frame, new RecordingView("back", CRect(0, 0, 100, 100)));
	auto* front = add(frame, new RecordingView("front", CRect(0, 0, 100, 100)));
	front->downAnswer = kMouseNotHandled;
	CPoint where(10, 10);
	EXPECT_EQ(frame->onMouseDown(where, kButtonLeft), kMouseNotHandled);
	EXPECT_EQ(eventLog(), std::vector<std::string>({"front:down 10,10"}));
	(void)back;
}

TEST_F(ContainerTest, TransparentChildThatIgnoresMouseDownLetsTheViewBehindTry)
{
	add(frame, new RecordingView("back", CRect(0, 0, 100, 100)));
	auto* front = add(frame, new RecordingView("front", CRect(0, 0, 100, 100)));
	front->downAnswer = kMouseNotImplemented;
	front->setTransparency(true);
	CPoint where(10, 10);
	EXPECT_EQ(frame->onMouseDown(where, kButtonLeft), kMouseHandled);
	EXPECT_EQ(eventLog(), std::vector<std::string>({"front:down 10,10", "back:down 10,10"}));
	EXPECT_EQ(frame->getCaptureView(), frame->getView(0));
}

TEST_F(ContainerTest, HiddenOrDisabledChildrenAreSkippedByMouseDown)
{
	add(frame, new RecordingView("back", CRect(0, 0, 100, 100)));
	add(frame, new RecordingView("hidden", CRect(0, 0, 100, 100)))->setVisible(false);
	add(frame, new RecordingView("disabled", CRect(0, 0, 100, 100)))->setMouseEnabled(false);
	add(frame, new RecordingView("faded", CRect(0, 0, 100, 100)))->setAlphaValue(0.f);
	CPoint where(5, 5);
	frame->onMouseDown(where, kButtonLeft);
	EXPECT_EQ(eventLog(), std::vector<std::string>({"back:down 5,5"}));
}

TEST_F(ContainerTest, CapturedChildGetsMovesAndUpOutsideItselfInLocalCoordinates)
{
	auto* box = add(frame, new CViewContainer(CRect(50, 50, 150, 150)));
	add(box, new RecordingView("knob", CRect(10, 10, 20, 20)));
	CPoint down(65, 65);
	EXPECT_EQ(frame->onMouseDown(down, kButtonLeft), kMouseHandled);
	CPoint far(190, 5);
	EXPECT_EQ(frame->onMouseMoved(far, kButtonLeft), kMouseHandled);
	EXPECT_EQ(frame->onMouseUp(far, 0), kMouseHandled);
	EXPECT_EQ(eventLog(), std::vector<std::string>({"knob:down 15,15", "knob:moved 140,-45", "knob:up 140,-45"}));
	EXPECT_EQ(frame->getCaptureView(), nullptr);
	EXPECT_EQ(box->getCaptureView(), nullptr);
}

TEST_F(ContainerTest, MoveThatTheCapturedChildDoesNotHandleEndsTheCapture)
{
	auto* view = add(frame, new RecordingView("view", CRect(0, 0, 50, 50)));
	CPoint where(5, 5);
	frame->onMouseDown(where, kButtonLeft);
	view->moveAnswer = kMouseNotHandled;
	EXPECT_EQ(frame->CViewContainer::onMouseMoved(where, kButtonLeft), kMouseNotHandled);
	EXPECT_EQ(frame->getCaptureView(), nullptr);
	EXPECT_EQ(frame->CViewContainer::onMouseUp(where, 0), kMouseNotHandled);
}

TEST_F(ContainerTest, HandledWithoutFollowUpGetsNeitherMovesNorUp)
{
	auto* view = add(frame, new RecordingView("view", CRect(0, 0, 50, 50)));
	view->downAnswer = kMouseHandledNoFollowUp;
	CPoint where(5, 5);
	EXPECT_EQ(frame->onMouseDown(where, kButtonLeft), kMouseHandledNoFollowUp);
	EXPECT_EQ(frame->getCaptureView(), nullptr);
	frame->CViewContainer::onMouseMoved(where, kButtonLeft);
	frame->CViewContainer::onMouseUp(where, 0);
	EXPECT_EQ(eventLog(), std::vector<std::string>({"view:down 5,5"}));
}

TEST_F(ContainerTest, ChildRemovedInsideItsOwnMouseDownIsNotCaptured)
{
	auto* view = add(frame, new RecordingView("view", CRect(0, 0, 50, 50)));
	// The creator's reference stays with the test: only leaving the tree counts.
	view->onDown = [&] { frame->removeView(view, false); };
	CPoint where(5, 5);
	EXPECT_EQ(frame->onMouseDown(where, kButtonLeft), kMouseHandled);
	EXPECT_EQ(frame->getCaptureView(), nullptr);
	EXPECT_EQ(view->getNbReference(), 1);
	view->forget();
}

TEST_F(ContainerTest, ChildReleasedInsideItsOwnMouseDownIsDestroyedAfterTheCall)
{
	auto* view = add(frame, new RecordingView("view", CRect(0, 0, 50, 50)));
	view->onDown = [&] { frame->removeView(view, true); };
	CPoint where(5, 5);
	EXPECT_EQ(frame->onMouseDown(where, kButtonLeft), kMouseHandled);
	EXPECT_EQ(frame->getCaptureView(), nullptr);
	EXPECT_EQ(frame->getNbViews(), 0);
	EXPECT_EQ(liveObjects(), 1); // the platform frame
}

TEST_F(ContainerTest, ChildRemovedWhileCapturedOrDraggedOverGetsNoFurtherEvents)
{
	auto* box = add(frame, new CViewContainer(CRect(50, 50, 150, 150)));
	// Removed without releasing the creator's reference, the view lives on
	// to tell what it still receives.
	auto* kept = add(box, new RecordingView("kept", CRect(0, 0, 20, 20)));
	CPoint down(55, 55);
	ASSERT_EQ(frame->onMouseDown(down, kButtonLeft), kMouseHandled);
	ASSERT_EQ(box->getCaptureView(), kept);
	frame->platformOnDragEnter(nullptr, CPoint(60, 60));
	EXPECT_TRUE(box->removeView(kept, false));
	EXPECT_EQ(box->getCaptureView(), nullptr);
	CPoint where(70, 70);
	frame->onMouseMoved(where, kButtonLeft);
	frame->onMouseUp(where, 0);
	frame->platformOnDragLeave(nullptr, CPoint(70, 70));
	EXPECT_EQ(eventLog(), std::vector<std::string>({"kept:down 5,5", "kept:dragEnter 10,10"}));
	kept->forget();

	// Released by its removal: a capture left behind would point at freed
	// memory.
	add(box, new RecordingView("released", CRect(0, 0, 20, 20)));
	clearLog();
	ASSERT_EQ(frame->onMouseDown(down, kButtonLeft), kMouseHandled);
	EXPECT_TRUE(box->removeView(box->getView(0), true));
	EXPECT_EQ(box->getCaptureView(), nullptr);
	EXPECT_EQ(frame->onMouseMoved(where, kButtonLeft), kMouseNotHandled);
	frame->onMouseUp(where, 0);
	EXPECT_EQ(eventLog(), std::vector<std::string>({"released:down 5,5"}));
}

TEST_F(ContainerTest, RemovingAChildRepaintsWhereItWasInFrameCoordinates)
{
	auto* box = add(frame, new CViewContainer(CRect(50, 50, 150, 150)));
	auto* view = add(box, new RecordingView("view", CRect(10, 20, 30, 40)));
	platformOf(frame)->invalidRects.clear();
	EXPECT_TRUE(box->removeView(view, true));
	EXPECT_EQ(platformOf(frame)->invalidRects, std::vector<CRect>({CRect(60, 70, 80, 90)}));
}

TEST_F(ContainerTest, ClickOnAChildThatWantsFocusFocusesItBeforeItHandlesTheClick)
{
	auto* view = add(frame, new RecordingView("view", CRect(0, 0, 50, 50)));
	view->setWantsFocus(true);
	CPoint where(5, 5);
	frame->onMouseDown(where, kButtonLeft);
	EXPECT_EQ(frame->getFocusView(), view);
	EXPECT_EQ(eventLog(), std::vector<std::string>({"view:takeFocus", "view:down 5,5"}));
}

TEST_F(ContainerTest, DragEventsFollowThePointerFromViewToView)
{
	auto* box = add(frame, new CViewContainer(CRect(100, 0, 200, 100)));
	add(box, new RecordingView("a", CRect(0, 0, 50, 50)));
	add(box, new RecordingView("b", CRect(50, 0, 100, 50)));
	frame->platformOnDragEnter(nullptr, CPoint(110, 10));
	frame->platformOnDragMove(nullptr, CPoint(120, 10));
	frame->platformOnDragMove(nullptr, CPoint(160, 10));
	EXPECT_TRUE(frame->platformOnDrop(nullptr, CPoint(170, 20)));
	frame->platformOnDragEnter(nullptr, CPoint(110, 10));
	frame->platformOnDragLeave(nullptr, CPoint(300, 300));
	EXPECT_FALSE(frame->platformOnDrop(nullptr, CPoint(150, 90)));
	EXPECT_EQ(eventLog(),
	          std::vector<std::string>({"a:dragEnter 10,10", "a:dragMove 20,10", "a:dragLeave", "b:dragEnter 60,10",
	                                    "b:drop 70,20", "b:dragLeave", "a:dragEnter 10,10", "a:dragLeave"}));
}

namespace
{
// A drop of two texts, built on the views' interface alone.
class TwoTexts : public CDragContainer
{
public:
	void* first(int32& size, int32& type) override
	{
		position = -1;
		return next(size, type);
	}
	void* next(int32& size, int32& type) override
	{
		if (++position >= getCount())
		{
			size = 0;
			type = kError;
			return nullptr;
		}
		size = static_cast<int32>(std::strlen(texts[position]));
		type = kUnicodeText;
		return const_cast<char*>(texts[position]);
	}
	int32 getType(int32 index) const override { return index >= 0 && index < 2 ? kUnicodeText : kError; }
	int32 getCount() override { return 2; }
	CBaseObject* newCopy() const override { return nullptr; }

private:
	const char* texts[2]{"one", "two"};
	int32 position{-1};
};
} // namespace

TEST_F(ContainerTest, TheViewUnderTheDropReadsTheItemsOfTheSameContainer)
{
	auto* box = add(frame, new CViewContainer(CRect(100, 0, 200, 100)));
	add(box, new RecordingView("b", CRect(50, 0, 100, 50)));
	auto* drag = new TwoTexts;
	frame->platformOnDragEnter(drag, CPoint(160, 10));
	EXPECT_TRUE(frame->platformOnDrop(drag, CPoint(170, 20)));
	drag->forget();
	EXPECT_EQ(eventLog(), std::vector<std::string>({"b:dragEnter 60,10", "b:drop 70,20 2:one 2:two", "b:dragLeave"}));
}

TEST_F(ContainerTest, AddViewBeforeANonChildGoesJustBehindTheFrontMostChild)
{
	auto* a = add(frame, new RecordingView("a", CRect()));
	auto* b = add(frame, new RecordingView("b", CRect()));
	auto* c = new RecordingView("c", CRect());
	auto* stranger = new RecordingView("stranger", CRect());
	EXPECT_TRUE(frame->addView(c, stranger));
	EXPECT_EQ(frame->getView(0), a);
	EXPECT_EQ(frame->getView(1), c);
	EXPECT_EQ(frame->getView(2), b);
	auto* d = new RecordingView("d", CRect());
	EXPECT_TRUE(frame->addView(d, a));
	EXPECT_EQ(frame->getView(0), d);
	EXPECT_EQ(frame->getView(1), a);
	stranger->forget();
}

TEST_F(ContainerTest, AddViewBeforeInAnEmptyContainerMakesTheOnlyChild)
{
	auto* box = add(frame, new CViewContainer(CRect(0, 0, 10, 10)));
	auto* view = new RecordingView("v", CRect());
	EXPECT_TRUE(box->addView(view, static_cast<CView*>(nullptr)));
	EXPECT_EQ(box->getNbViews(), 1);
	EXPECT_EQ(box->getView(0), view);
}

TEST_F(ContainerTest, ChangeViewZOrderMovesToTheBackOrTheFront)
{
	auto* a = add(frame, new RecordingView("a", CRect()));
	auto* b = add(frame, new RecordingView("b", CRect()));
	auto* c = add(frame, new RecordingView("c", CRect()));
	EXPECT_TRUE(frame->changeViewZOrder(c, 0));
	EXPECT_EQ(frame->getView(0), c);
	EXPECT_TRUE(frame->changeViewZOrder(c, 99));
	EXPECT_EQ(frame->getView(2), c);
	EXPECT_TRUE(frame->changeViewZOrder(a, 1));
	EXPECT_EQ(frame->getView(0), b);
	EXPECT_EQ(frame->getView(1), a);
	auto* stranger = new RecordingView("stranger", CRect());
	EXPECT_FALSE(frame->changeViewZOrder(stranger, 0));
	stranger->forget();
}

TEST_F(ContainerTest, AddViewRefusesNullAttachedAndDuplicateViews)
{
	auto* box = new CViewContainer(CRect(0, 0, 10, 10));
	auto* view = new RecordingView("v", CRect());
	EXPECT_TRUE(box->addView(view));
	EXPECT_FALSE(box->addView(view));
	EXPECT_FALSE(box->addView(nullptr));
	frame->addView(box);
	EXPECT_FALSE(frame->addView(view));
	EXPECT_EQ(box->getNbViews(), 1);
	EXPECT_FALSE(frame->removeView(view, true));
	EXPECT_EQ(box->getView(5), nullptr);
}

TEST_F(ContainerTest, AttachedRunsTopDownAndRemovedBottomUp)
{
	struct Observer : IViewAddedRemovedObserver
	{
		void viewAddedToFrame(CFrame*, CView* view) override { log.push_back("+" + name(view)); }
		void viewRemovedFromFrame(CFrame*, CView* view) override { log.push_back("-" + name(view)); }
		static std::string name(CView* view) { return dynamic_cast<RecordingView*>(view) ? "leaf" : "box"; }
		std::vector<std::string> log;
	} observer;
	frame->setViewAddedRemovedObserver(&observer);
	auto* box = new CViewContainer(CRect(0, 0, 10, 10));
	box->addView(new RecordingView("v", CRect()));
	frame->addView(box);
	frame->removeView(box, true);
	EXPECT_EQ(observer.log, std::vector<std::string>({"+box", "+leaf", "-leaf", "-box"}));
	frame->setViewAddedRemovedObserver(nullptr);
}

TEST_F(ContainerTest, HitTestingFindsTheFrontMostShownChildWithClosedEdges)
{
	auto* box = add(frame, new CViewContainer(CRect(100, 100, 200, 200)));
	auto* inner = add(box, new RecordingView("inner", CRect(0, 0, 10, 10)));
	auto* top = add(frame, new RecordingView("top", CRect(0, 0, 50, 50)));
	EXPECT_EQ(frame->getViewAt(CPoint(50, 50), false), top);
	EXPECT_EQ(frame->getViewAt(CPoint(110, 110), false), box);
	EXPECT_EQ(frame->getViewAt(CPoint(110, 110), true), inner);
	EXPECT_EQ(frame->getViewAt(CPoint(150, 150), true), nullptr);
	EXPECT_EQ(frame->getContainerAt(CPoint(150, 150), true), box);
	EXPECT_EQ(frame->getContainerAt(CPoint(60, 60), true), frame);
	std::list<CView*> views;
	EXPECT_TRUE(frame->getViewsAt(CPoint(105, 105), views, true));
	EXPECT_EQ(views, std::list<CView*>({inner, box}));
	EXPECT_TRUE(inner->hitTest(CPoint(10, 10)));
	EXPECT_FALSE(CRect(0, 0, 10, 10).pointInside(CPoint(10, 10)));
}

TEST_F(ContainerTest, OfOverlappingChildrenTheLastAddedIsFoundFirstAtEveryDepth)
{
	auto* box = add(frame, new CViewContainer(CRect(0, 0, 100, 100)));
	auto* lower = add(box, new RecordingView("lower", CRect(0, 0, 60, 60)));
	auto* upper = add(box, new RecordingView("upper", CRect(20, 20, 80, 80)));
	auto* top = add(frame, new RecordingView("top", CRect(50, 50, 150, 150)));
	EXPECT_EQ(frame->getViewAt(CPoint(55, 55), false), top);
	EXPECT_EQ(frame->getViewAt(CPoint(55, 55), true), top);
	EXPECT_EQ(frame->getViewAt(CPoint(30, 30), false), box);
	EXPECT_EQ(frame->getViewAt(CPoint(30, 30), true), upper);
	EXPECT_EQ(frame->getViewAt(CPoint(10, 10), true), lower);
	EXPECT_EQ(box->getViewAt(CPoint(30, 30)), upper);
	EXPECT_EQ(frame->getContainerAt(CPoint(55, 55), true), frame);
	EXPECT_EQ(frame->getContainerAt(CPoint(30, 30), true), box);
	std::list<CView*> views;
	EXPECT_TRUE(frame->getViewsAt(CPoint(55, 55), views, true));
	EXPECT_EQ(views, std::list<CView*>({top, upper, lower, box}));
}

TEST_F(ContainerTest, WheelGoesToTheFrontMostChildAndStopsAtAnOpaqueOne)
{
	add(frame, new RecordingView("back", CRect(0, 0, 100, 100)));
	auto* front = add(frame, new RecordingView("front", CRect(0, 0, 100, 100)));
	front->wheelAnswer = false;
	EXPECT_FALSE(frame->CViewContainer::onWheel(CPoint(5, 5), kWheelAxisVertical, 1.f, 0));
	front->setTransparency(true);
	EXPECT_TRUE(frame->CViewContainer::onWheel(CPoint(5, 5), kWheelAxisHorizontal, 1.f, 0));
	EXPECT_EQ(eventLog(), std::vector<std::string>({"front:wheel 1", "front:wheel -1", "back:wheel -1"}));
}

TEST_F(ContainerTest, ShrinkingWithColumnsSharesTheChangeAmongTheChildren)
{
	auto* box = add(frame, new CViewContainer(CRect(0, 0, 90, 30)));
	box->setAutosizeFlags(kAnchorColumns);
	for (int i = 0; i < 3; ++i)
		box->addView(new RecordingView("col", CRect(i * 30, 0, i * 30 + 30, 30)));
	box->setViewSize(CRect(0, 0, 60, 30));
	EXPECT_EQ(box->getView(0)->getViewSize(), CRect(0, 0, 20, 30));
	EXPECT_EQ(box->getView(1)->getViewSize(), CRect(20, 0, 40, 30));
	EXPECT_EQ(box->getView(2)->getViewSize(), CRect(40, 0, 60, 30));
	EXPECT_EQ(box->getView(2)->getMouseableArea(), CRect(40, 0, 60, 30));
}

TEST_F(ContainerTest, AnchorsMoveOrStretchChildrenAndDisabledAutosizingLeavesThem)
{
	auto* box = add(frame, new CViewContainer(CRect(0, 0, 100, 100)));
	auto* moved = add(box, new RecordingView("moved", CRect(80, 80, 90, 90)));
	moved->setAutosizeFlags(kAnchorRight | kAnchorBottom);
	auto* stretched = add(box, new RecordingView("stretched", CRect(10, 10, 90, 20)));
	stretched->setAutosizeFlags(kAnchorLeft | kAnchorRight);
	auto* fixed = add(box, new RecordingView("fixed", CRect(0, 0, 5, 5)));
	box->setViewSize(CRect(0, 0, 120, 110));
	EXPECT_EQ(moved->getViewSize(), CRect(100, 90, 110, 100));
	EXPECT_EQ(stretched->getViewSize(), CRect(10, 10, 110, 20));
	EXPECT_EQ(fixed->getViewSize(), CRect(0, 0, 5, 5));
	box->setAutosizingEnabled(false);
	box->setViewSize(CRect(0, 0, 100, 100));
	EXPECT_EQ(moved->getViewSize(), CRect(100, 90, 110, 100));
}

TEST_F(ContainerTest, SizeToFitKeepsTheTopLeftMarginOnTheBottomRight)
{
	auto* box = add(frame, new CViewContainer(CRect(100, 100, 400, 400)));
	box->addView(new RecordingView("child", CRect(10, 20, 60, 80)));
	add(box, new RecordingView("hidden", CRect(0, 0, 300, 300)))->setVisible(false);
	EXPECT_TRUE(box->sizeToFit());
	EXPECT_EQ(box->getViewSize(), CRect(100, 100, 170, 200));
	EXPECT_EQ(box->getMouseableArea(), CRect(100, 100, 170, 200));
	box->setAutosizeFlags(kAnchorRows);
	EXPECT_FALSE(box->sizeToFit());
	auto* empty = add(frame, new CViewContainer(CRect(5, 5, 50, 50)));
	EXPECT_FALSE(empty->sizeToFit());
	EXPECT_EQ(empty->getViewSize(), CRect(5, 5, 50, 50));
}

TEST_F(ContainerTest, DirtyChildrenAreInvalidatedInFrameCoordinatesAtIdle)
{
	auto* box = add(frame, new CViewContainer(CRect(100, 100, 200, 200)));
	auto* inner = add(box, new RecordingView("inner", CRect(10, 10, 20, 20)));
	auto* outside = add(box, new RecordingView("outside", CRect(150, 150, 160, 160)));
	frame->setDirty(false);
	box->setDirty(false);
	outside->setDirty(true);
	EXPECT_FALSE(box->isDirty());
	inner->setDirty(true);
	EXPECT_TRUE(box->isDirty());
	platformOf(frame)->invalidRects.clear();
	frame->idle();
	EXPECT_EQ(platformOf(frame)->invalidRects, std::vector<CRect>({CRect(110, 110, 120, 120)}));
	EXPECT_FALSE(inner->isDirty());
}

TEST_F(ContainerTest, BackgroundIsPaintedUnlessTransparentWithAnOpaqueColour)
{
	auto* box = add(frame, new CViewContainer(CRect(10, 10, 30, 30)));
	auto paints = [&](bool transparent, CColor color)
	{
		box->setTransparency(transparent);
		box->setBackgroundColor(color);
		RecordingContext context(CRect(0, 0, 200, 200));
		box->draw(&context);
		return context.fills.size() == 1 && context.fills[0].rect == CRect(10, 10, 30, 30) &&
		       context.fills[0].color == color;
	};
	EXPECT_TRUE(paints(false, kBlueCColor));
	EXPECT_TRUE(paints(true, CColor(0, 0, 255, 128)));
	EXPECT_FALSE(paints(true, kBlueCColor));
	EXPECT_TRUE(paints(false, CColor(0, 0, 255, 0)));
}

TEST_F(ContainerTest, BackgroundBitmapReplacesTheColourAndIsDrawnAtTheBackgroundOffset)
{
	auto* bitmap = new CountedBitmap(40, 40);
	auto* box = add(frame, new CViewContainer(CRect(10, 10, 30, 30), nullptr, bitmap));
	bitmap->forget();
	EXPECT_EQ(bitmap->getNbReference(), 1);
	RecordingContext context(CRect(0, 0, 200, 200));
	box->draw(&context);
	ASSERT_EQ(context.fills.size(), 1u);
	EXPECT_EQ(context.fills[0].what, "bitmap");
	EXPECT_EQ(context.fills[0].rect, CRect(10, 10, 30, 30));
}

TEST_F(ContainerTest, ChildrenAreClippedToTheirRectAndDrawnWithTheirAlpha)
{
	auto* box = add(frame, new CViewContainer(CRect(10, 10, 60, 60)));
	box->setTransparency(true);
	auto* child = add(box, new RecordingView("child", CRect(40, 40, 80, 80)));
	child->drawColor = kRedCColor;
	child->setAlphaValue(0.5f);
	add(box, new RecordingView("away", CRect(0, 0, 5, 5)))->drawColor = kGreenCColor;
	RecordingContext context(CRect(0, 0, 200, 200));
	box->drawRect(&context, CRect(40, 40, 100, 100));
	ASSERT_EQ(context.fills.size(), 1u);
	EXPECT_EQ(context.fills[0].rect, CRect(50, 50, 90, 90));
	EXPECT_EQ(context.clipsAtDraw[0], CRect(50, 50, 60, 60));
	EXPECT_FLOAT_EQ(context.fills[0].alpha, 0.5f);
	EXPECT_FLOAT_EQ(context.getGlobalAlpha(), 1.f);
	EXPECT_EQ(context.getOffset(), CPoint(0, 0));
}

TEST_F(ContainerTest, NestedChildIsClippedToEveryParentAndToTheClipItWasDrawnWith)
{
	frame->setTransparency(true);
	auto* outer = add(frame, new CViewContainer(CRect(10, 10, 110, 110)));
	outer->setTransparency(true);
	// Sticks out of the outer box on the right and at the bottom.
	auto* inner = add(outer, new CViewContainer(CRect(50, 50, 150, 150)));
	inner->setTransparency(true);
	add(inner, new RecordingView("leaf", CRect(0, 0, 100, 100)))->drawColor = kRedCColor;
	RecordingContext context(CRect(0, 0, 200, 200));
	// As when the window shows only a strip of what is repainted.
	context.setClipRect(CRect(0, 0, 80, 200));
	frame->drawRect(&context, CRect(0, 0, 200, 200));
	ASSERT_EQ(context.fills.size(), 1u);
	EXPECT_EQ(context.fills[0].rect, CRect(60, 60, 160, 160));
	EXPECT_EQ(context.clipsAtDraw[0], CRect(60, 60, 80, 110));
	CRect clip;
	EXPECT_EQ(context.getClipRect(clip), CRect(0, 0, 80, 200));
}

TEST_F(ContainerTest, FocusRingIsDrawnAroundTheFocusedChildInTheFrameColour)
{
	frame->setFocusDrawingEnabled(true);
	frame->setFocusColor(kMagentaCColor);
	frame->setFocusWidth(3);
	auto* box = add(frame, new CViewContainer(CRect(10, 10, 110, 110)));
	box->setTransparency(true);
	auto* view = add(box, new RecordingView("v", CRect(20, 20, 40, 40)));
	view->setWantsFocus(true);
	frame->setFocusView(view);
	RecordingContext context(CRect(0, 0, 200, 200));
	frame->draw(&context);
	ASSERT_FALSE(context.fills.empty());
	EXPECT_EQ(context.fills.back().what, "path");
	EXPECT_EQ(context.fills.back().rect, CRect(27, 27, 53, 53));
	EXPECT_EQ(context.fills.back().color, kMagentaCColor);
	EXPECT_EQ(box->getFocusBounds(), CRect(17, 17, 43, 43));
	platformOf(frame)->invalidRects.clear();
	frame->setFocusView(nullptr);
	EXPECT_EQ(platformOf(frame)->invalidRects.back(), CRect(27, 27, 53, 53));
}

} // namespace
