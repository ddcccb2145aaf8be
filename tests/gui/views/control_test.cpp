#include "viewtestsupport.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace VSTGUI;
using namespace VSTGUI::test;

namespace
{

// Records the messages a control sends to its dependents.
class MessageRecorder : public CBaseObject
{
public:
	MessageResult notify(CBaseObject*, const char* message) override
	{
		messages.push_back(message);
		return kMessageHandled;
	}
	std::vector<const char*> messages;
};

class ControlTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		clearLog();
		frame = makeFrame(CRect(0, 0, 100, 100), &editor);
		control = new TestControl(CRect(10, 10, 50, 30), &listener, 7);
		frame->addView(control);
		control->addDependency(&recorder);
	}
	void TearDown() override
	{
		control->removeDependency(&recorder);
		frame->close();
		EXPECT_EQ(liveObjects(), 0);
	}

	RecordingEditor editor{{.knobMode = 2, .recordsIdleAndSize = true}};
	RecordingListener listener{RecordingListener::byTag()};
	MessageRecorder recorder;
	CFrame* frame{nullptr};
	TestControl* control{nullptr};
};

TEST_F(ControlTest, NewControlHasItsDefaultsAndIsDirty)
{
	auto* fresh = new TestControl(CRect(0, 0, 10, 10));
	EXPECT_EQ(fresh->getValue(), 0.f);
	EXPECT_EQ(fresh->getMin(), 0.f);
	EXPECT_EQ(fresh->getMax(), 1.f);
	EXPECT_EQ(fresh->getDefaultValue(), 0.5f);
	EXPECT_FLOAT_EQ(fresh->getWheelInc(), 0.1f);
	EXPECT_TRUE(fresh->isDirty());
	EXPECT_TRUE(fresh->getMouseEnabled());
	EXPECT_TRUE(fresh->isTypeOf("CControl"));
	EXPECT_TRUE(fresh->isTypeOf("CView"));
	EXPECT_FALSE(fresh->isTypeOf("CViewContainer"));
	fresh->forget();
}

TEST_F(ControlTest, SetValueIsLimitedToTheRangeAndNotifiesOnlyChanges)
{
	control->setValue(1.5f);
	EXPECT_EQ(control->getValue(), 1.f);
	control->setValue(1.5f);
	control->setValue(-3.f);
	EXPECT_EQ(control->getValue(), 0.f);
	EXPECT_EQ(recorder.messages,
	          std::vector<const char*>({CControl::kMessageValueChanged, CControl::kMessageValueChanged}));
	EXPECT_TRUE(eventLog().empty());
}

TEST_F(ControlTest, NormalisedValuesMapOntoTheRangeAndAreLimited)
{
	control->setMin(10.f);
	control->setMax(20.f);
	EXPECT_EQ(control->getValue(), 0.f); // the range alone does not move it
	control->setValueNormalized(-0.2f);
	EXPECT_EQ(control->getValue(), 10.f);
	control->setValueNormalized(0.5f);
	EXPECT_EQ(control->getValue(), 15.f);
	EXPECT_FLOAT_EQ(control->getValueNormalized(), 0.5f);
	control->setValueNormalized(7.f);
	EXPECT_EQ(control->getValue(), 20.f);
	control->setMax(15.f);
	control->bounceValue();
	EXPECT_EQ(control->getValue(), 15.f);
}

TEST_F(ControlTest, DefaultValueGestureIsOneCompleteEditInOrder)
{
	control->setValue(0.3f);
	recorder.messages.clear();
	EXPECT_TRUE(control->checkDefaultValue(kButtonLeft | kModifierControl));
	EXPECT_EQ(control->getValue(), 0.5f);
	EXPECT_EQ(eventLog(),
	          std::vector<std::string>({"control7:beginEdit", "editor:beginEdit 7", "control7:valueChanged 0.500000",
	                                    "editor:endEdit 7", "control7:endEdit"}));
	EXPECT_EQ(recorder.messages, std::vector<const char*>({CControl::kMessageBeginEdit, CControl::kMessageValueChanged,
	                                                       CControl::kMessageValueChanged, CControl::kMessageEndEdit}));
	clearLog();
	EXPECT_TRUE(control->checkDefaultValue(kButtonLeft | kModifierControl));
	EXPECT_TRUE(eventLog().empty());
}

TEST_F(ControlTest, DefaultValueGestureNeedsExactlyTheLeftButtonAndTheModifier)
{
	control->setValue(0.3f);
	EXPECT_FALSE(control->checkDefaultValue(kButtonLeft | kButtonRight | kModifierControl));
	EXPECT_FALSE(control->checkDefaultValue(kButtonLeft));
	EXPECT_FALSE(control->checkDefaultValue(kButtonLeft | kModifierShift));
	EXPECT_FALSE(control->checkDefaultValue(kModifierControl));
	EXPECT_TRUE(control->checkDefaultValue(kButtonLeft | kModifierControl | kModifierShift | kButtonDoubleClick));
	EXPECT_EQ(control->getValue(), 0.5f);
}

TEST_F(ControlTest, DirtyTrackingFollowsTheDrawnValue)
{
	RecordingContext context(CRect(0, 0, 100, 100));
	control->draw(&context);
	EXPECT_FALSE(control->isDirty());
	control->setValue(0.8f);
	EXPECT_TRUE(control->isDirty());
	control->setDirty(false);
	EXPECT_FALSE(control->isDirty());
	control->setValue(-1.f);
	control->setMin(-1.f);
	control->setValue(-1.f);
	control->setDirty(true);
	EXPECT_EQ(control->getOldValue(), 0.f);
	EXPECT_TRUE(control->isDirty());
	control->setDirty(false);
	EXPECT_EQ(control->getOldValue(), -1.f);
	EXPECT_FALSE(control->isDirty());
	control->setOldValue(std::nanf(""));
	EXPECT_TRUE(control->isDirty());
}

TEST_F(ControlTest, DirtyControlIsInvalidatedByTheFramesIdleStep)
{
	RecordingContext context(CRect(0, 0, 100, 100));
	frame->draw(&context);
	platformOf(frame)->invalidRects.clear();
	frame->idle();
	EXPECT_TRUE(platformOf(frame)->invalidRects.empty());
	control->setValue(0.9f);
	frame->idle();
	EXPECT_EQ(platformOf(frame)->invalidRects, std::vector<CRect>({CRect(10, 10, 50, 30)}));
}

TEST_F(ControlTest, TagChangeIsAnnouncedBeforeAndConfirmedAfter)
{
	struct TagListener : RecordingListener
	{
		TagListener() : RecordingListener(byTag()) {}
		void controlTagWillChange(CControl* c) override { tags.push_back(c->getTag()); }
		void controlTagDidChange(CControl* c) override { tags.push_back(c->getTag()); }
		std::vector<int32> tags;
	} tagListener;
	control->setListener(&tagListener);
	control->setTag(5);
	EXPECT_EQ(tagListener.tags, std::vector<int32>({7, 5}));
	EXPECT_EQ(recorder.messages,
	          std::vector<const char*>({CControl::kMessageTagWillChange, CControl::kMessageTagDidChange}));
	control->setListener(nullptr);
	control->setTag(6);
	EXPECT_EQ(control->getTag(), 6);
}

TEST_F(ControlTest, VstKeyModifiersMapToButtonStateModifiers)
{
	EXPECT_EQ(TestControl::mapVstKeyModifier(MODIFIER_SHIFT | MODIFIER_CONTROL), 0x30);
	EXPECT_EQ(TestControl::mapVstKeyModifier(MODIFIER_ALTERNATE), kModifierAlt);
	EXPECT_EQ(TestControl::mapVstKeyModifier(MODIFIER_COMMAND), kModifierCommand);
	EXPECT_EQ(TestControl::mapVstKeyModifier(0xF0), 0);
}

TEST_F(ControlTest, ModifierClickIsOfferedToTheListenerBeforeTheControl)
{
	listener.modifierClickAnswer = 1;
	CPoint where(20, 20);
	EXPECT_EQ(frame->onMouseDown(where, kButtonLeft | kModifierAlt), kMouseHandled);
	EXPECT_EQ(eventLog(), std::vector<std::string>({"control7:modifierClicked 66"}));
	EXPECT_EQ(frame->getCaptureView(), nullptr);
	clearLog();
	EXPECT_EQ(frame->onMouseDown(where, kButtonLeft), kMouseNotImplemented);
	EXPECT_TRUE(eventLog().empty());
}

TEST_F(ControlTest, FocusPathIsARingOfTheFocusWidthAroundTheVisiblePart)
{
	RecordingPath path;
	EXPECT_TRUE(control->getFocusPath(path));
	EXPECT_TRUE(path.getElements().empty());
	control->setWantsFocus(true);
	frame->setFocusWidth(4);
	EXPECT_TRUE(control->getFocusPath(path));
	ASSERT_EQ(path.getElements().size(), 2u);
	EXPECT_EQ(path.getElements()[0].rect, CRect(10, 10, 50, 30));
	EXPECT_EQ(path.getElements()[1].rect, CRect(6, 6, 54, 34));
	EXPECT_FALSE(control->drawFocusOnTop());
}

TEST_F(ControlTest, BackOffsetCopiesTheTopLeftCornerAndACopyStartsAtZero)
{
	control->copyBackOffset();
	EXPECT_EQ(control->getBackOffset(), CPoint(10, 10));
	control->setValue(0.25f);
	auto* copy = static_cast<TestControl*>(control->newCopy());
	EXPECT_EQ(copy->getValue(), 0.25f);
	EXPECT_EQ(copy->getTag(), 7);
	EXPECT_EQ(copy->getListener(), &listener);
	EXPECT_EQ(copy->getBackOffset(), CPoint(0, 0));
	EXPECT_FALSE(copy->isAttached());
	copy->forget();
}

TEST_F(ControlTest, DoIdleStuffReachesTheEditorOnlyWhenAttached)
{
	control->doIdleStuff();
	auto* loose = new TestControl(CRect());
	loose->doIdleStuff();
	loose->forget();
	EXPECT_EQ(eventLog(), std::vector<std::string>({"editor:idle"}));
}

} // namespace
