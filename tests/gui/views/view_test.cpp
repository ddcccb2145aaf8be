#include "viewtestsupport.h"

#include "gui/base/messageids.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace VSTGUI;
using namespace VSTGUI::test;

namespace
{

class ViewTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		clearLog();
		frame = makeFrame(CRect(0, 0, 100, 100));
		view = new RecordingView("view", CRect(10, 20, 30, 40));
		frame->addView(view);
		invalidRects().clear();
	}
	void TearDown() override
	{
		frame->close();
		EXPECT_EQ(liveObjects(), 0);
	}
	std::vector<CRect>& invalidRects() { return platformOf(frame)->invalidRects; }

	CFrame* frame{nullptr};
	RecordingView* view{nullptr};
};

TEST_F(ViewTest, HidingTwiceInvalidatesOnceAndShowingAlwaysInvalidates)
{
	view->setVisible(false);
	view->setVisible(false);
	EXPECT_EQ(invalidRects(), std::vector<CRect>({CRect(10, 20, 30, 40)}));
	EXPECT_FALSE(view->isVisible());
	view->setVisible(true);
	view->setVisible(true);
	EXPECT_EQ(invalidRects().size(), 3u);
}

TEST_F(ViewTest, SettingTheSameAlphaTwiceInvalidatesOnce)
{
	view->setAlphaValue(0.5f);
	view->setAlphaValue(0.5f);
	EXPECT_EQ(invalidRects(), std::vector<CRect>({CRect(10, 20, 30, 40)}));
	view->setAlphaValue(0.f);
	EXPECT_FALSE(view->isVisible());
	EXPECT_EQ(frame->getViewAt(CPoint(15, 25)), nullptr);
}

TEST_F(ViewTest, HiddenViewsDoNotInvalidate)
{
	view->setVisible(false);
	invalidRects().clear();
	view->invalidRect(CRect(0, 0, 5, 5));
	view->invalid();
	EXPECT_TRUE(invalidRects().empty());
	frame->setVisible(false);
	invalidRects().clear();
	frame->invalidRect(CRect(0, 0, 5, 5));
	EXPECT_TRUE(invalidRects().empty());
}

TEST_F(ViewTest, ImmediateDirtyModeInvalidatesAtOnceInsteadOfMarking)
{
	CView::kDirtyCallAlwaysOnMainThread = true;
	view->setDirty(true);
	EXPECT_FALSE(view->isDirty());
	EXPECT_EQ(invalidRects(), std::vector<CRect>({CRect(10, 20, 30, 40)}));
	CView::kDirtyCallAlwaysOnMainThread = false;
	view->setDirty(true);
	EXPECT_TRUE(view->isDirty());
	EXPECT_EQ(invalidRects().size(), 1u);
}

TEST_F(ViewTest, HitTestIsClosedOnAllFourEdgesOfTheMouseableArea)
{
	EXPECT_TRUE(view->hitTest(CPoint(30, 40)));
	EXPECT_TRUE(view->hitTest(CPoint(10, 20)));
	EXPECT_FALSE(view->hitTest(CPoint(30.01, 40)));
	view->setMouseableArea(CRect(0, 0, 5, 5));
	EXPECT_TRUE(view->hitTest(CPoint(5, 5)));
	EXPECT_FALSE(view->hitTest(CPoint(20, 30)));
	EXPECT_EQ(view->getViewSize(), CRect(10, 20, 30, 40));
}

TEST_F(ViewTest, HorizontalWheelIsNegatedUnlessShiftIsHeld)
{
	view->onWheel(CPoint(), kWheelAxisHorizontal, 2.f, 0);
	view->onWheel(CPoint(), kWheelAxisHorizontal, 2.f, kModifierShift);
	view->onWheel(CPoint(), kWheelAxisVertical, 2.f, 0);
	EXPECT_EQ(eventLog(), std::vector<std::string>({"view:wheel -2", "view:wheel 2", "view:wheel 2"}));
}

TEST_F(ViewTest, SizeChangeNotifiesTheParentOnlyWhenTheRectChanges)
{
	struct SizeWatcher : CViewContainer
	{
		using CViewContainer::CViewContainer;
		MessageResult notify(CBaseObject* sender, const char* message) override
		{
			if (message == kMsgViewSizeChanged)
				++changes;
			return CViewContainer::notify(sender, message);
		}
		int changes{0};
	};
	auto* watcher = new SizeWatcher(CRect(0, 0, 100, 100));
	frame->addView(watcher);
	auto* child = new RecordingView("child", CRect(0, 0, 10, 10));
	watcher->addView(child);
	child->setViewSize(CRect(0, 0, 10, 10));
	EXPECT_EQ(watcher->changes, 0);
	child->setViewSize(CRect(0, 0, 20, 10), false);
	EXPECT_EQ(watcher->changes, 1);
	EXPECT_FALSE(child->isDirty());
	EXPECT_EQ(child->getMouseableArea(), CRect(0, 0, 10, 10));
	child->setViewSize(CRect(0, 0, 30, 10));
	EXPECT_TRUE(child->isDirty());
}

TEST_F(ViewTest, AttributesAreCopiedInAndOutAndBadArgumentsAreRefused)
{
	const char text[] = "tip";
	const auto id = makeViewAttributeID('t', 'e', 's', 't');
	EXPECT_EQ(kCViewTooltipAttribute, 0x63767474u);
	EXPECT_FALSE(view->setAttribute(id, 0, text));
	EXPECT_FALSE(view->setAttribute(id, 4, nullptr));
	EXPECT_TRUE(view->setAttribute(id, sizeof(text), text));
	int32 size = 0;
	EXPECT_TRUE(view->getAttributeSize(id, size));
	EXPECT_EQ(size, 4);
	char small[2];
	EXPECT_FALSE(view->getAttribute(id, sizeof(small), small, size));
	char out[8] = {};
	EXPECT_TRUE(view->getAttribute(id, sizeof(out), out, size));
	EXPECT_STREQ(out, "tip");
	EXPECT_TRUE(view->setAttribute(id, 2, "x"));
	EXPECT_TRUE(view->getAttributeSize(id, size));
	EXPECT_EQ(size, 2);
	EXPECT_TRUE(view->removeAttribute(id));
	EXPECT_FALSE(view->removeAttribute(id));
	EXPECT_FALSE(view->getAttributeSize(id, size));
}

TEST_F(ViewTest, CopyIsDetachedAndCarriesFlagsAttributesAndBackground)
{
	auto* bitmap = new CountedBitmap(4, 4);
	view->setBackground(bitmap);
	view->setTransparency(true);
	view->setAttribute(kCViewTooltipAttribute, 2, "t");
	auto* copy = static_cast<CView*>(view->CView::newCopy());
	EXPECT_FALSE(copy->isAttached());
	EXPECT_EQ(copy->getFrame(), nullptr);
	EXPECT_TRUE(copy->getTransparency());
	EXPECT_EQ(copy->getBackground(), bitmap);
	EXPECT_EQ(bitmap->getNbReference(), 3);
	int32 size = 0;
	EXPECT_TRUE(copy->getAttributeSize(kCViewTooltipAttribute, size));
	copy->forget();
	view->setBackground(nullptr);
	EXPECT_EQ(bitmap->getNbReference(), 1);
	bitmap->forget();
}

TEST_F(ViewTest, CoordinatesConvertThroughEveryEnclosingContainer)
{
	auto* outer = new CViewContainer(CRect(10, 10, 90, 90));
	auto* inner = new CViewContainer(CRect(5, 5, 50, 50));
	auto* leaf = new RecordingView("leaf", CRect(1, 1, 2, 2));
	frame->addView(outer);
	outer->addView(inner);
	inner->addView(leaf);
	CPoint point(20, 20);
	leaf->frameToLocal(point);
	EXPECT_EQ(point, CPoint(5, 5));
	leaf->localToFrame(point);
	EXPECT_EQ(point, CPoint(20, 20));
	EXPECT_EQ(leaf->getVisibleSize(), CRect(1, 1, 2, 2));
	inner->setViewSize(CRect(-10, -10, 12, 12));
	EXPECT_EQ(inner->getVisibleSize(CRect(0, 0, 100, 100)), CRect(10, 10, 22, 22));
	EXPECT_TRUE(outer->isChild(leaf, true));
	EXPECT_FALSE(outer->isChild(leaf));
	EXPECT_EQ(leaf->getEditor(), nullptr);
}

} // namespace
