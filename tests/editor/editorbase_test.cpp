// The editor base's host glue, without a window: idle pacing, the shared
// knob mode, resize requests and the answers of a closed editor.
#include "editor/aeffguieditor.h"
#include "gui/views/cframe.h"
#include "host/audioeffectx.h"
#include "tests/support/recordinghost.h"

#include <gtest/gtest.h>

#include <vector>

using corvane::test::RecordingHost;

namespace
{

std::uint32_t gNow = 0;
std::vector<std::uint32_t> gWaits;

std::uint32_t testTicks()
{
	return gNow;
}

void testWait(std::uint32_t ms)
{
	gWaits.push_back(ms);
}

class TestEffect : public AudioEffectX
{
public:
	explicit TestEffect(audioMasterCallback cb) : AudioEffectX(cb, 1, 1) {}
	void processReplacing(float**, float**, VstInt32) override {}
};

class TestEditor : public AEffGUIEditor
{
public:
	explicit TestEditor(void* effect) : AEffGUIEditor(effect) { rect = {0, 0, 120, 300}; }
	void idle() override
	{
		idles++;
		AEffGUIEditor::idle();
	}
	std::uint32_t dueAt() const { return lastTicks; }
	void attach(VSTGUI::CFrame* f) { frame = f; }
	int idles = 0;
};

class EditorBase : public ::testing::Test
{
protected:
	void SetUp() override
	{
		gNow = 10000;
		gWaits.clear();
		AEffGUIEditor::setTickSource(testTicks);
		AEffGUIEditor::setEventLoopRunner(testWait);
	}
	void TearDown() override
	{
		AEffGUIEditor::setTickSource(nullptr);
		AEffGUIEditor::setEventLoopRunner(nullptr);
	}
};

} // namespace

TEST_F(EditorBase, ConstructionAttachesTheEditor)
{
	TestEffect effect(nullptr);
	auto* editor = new TestEditor(&effect);
	EXPECT_EQ(effect.getEditor(), editor);
	EXPECT_EQ(effect.getAeffect()->flags & effFlagsHasEditor, effFlagsHasEditor);
	ERect* rect = nullptr;
	EXPECT_EQ(effect.dispatcher(effEditGetRect, 0, 0, &rect, 0.f), 1);
	ASSERT_NE(rect, nullptr);
	EXPECT_EQ(rect->bottom, 120);
	EXPECT_EQ(rect->right, 300);
	EXPECT_EQ(editor->dueAt(), 10000u);
}

TEST_F(EditorBase, ClosedEditorHandlesNoKeysNoWheelAndDrawsNothing)
{
	TestEffect effect(nullptr);
	auto* editor = new TestEditor(&effect);
	EXPECT_EQ(effect.dispatcher(effEditKeyDown, 'a', 0, nullptr, 0.f), 0);
	EXPECT_EQ(effect.dispatcher(effEditKeyUp, 'a', 0, nullptr, 0.f), 0);
	EXPECT_FALSE(editor->onWheel(1.f));
	ERect area{0, 0, 10, 10};
	editor->draw(&area);
	editor->draw(nullptr);
	EXPECT_EQ(effect.dispatcher(effEditIdle, 0, 0, nullptr, 0.f), 0);
	EXPECT_EQ(editor->idles, 1);
}

TEST_F(EditorBase, IdlePacingThirtyMillisecondsEarlyWaitsThenIdles)
{
	RecordingHost host;
	TestEffect effect(RecordingHost::callback);
	auto* editor = new TestEditor(&effect);
	editor->doIdleStuff(); // due now: idles, next pass due in 100 ms
	ASSERT_EQ(editor->idles, 1);
	EXPECT_EQ(editor->dueAt(), 10100u);
	EXPECT_TRUE(gWaits.empty());

	gNow = 10070; // 30 ms early
	editor->doIdleStuff();
	EXPECT_EQ(gWaits, std::vector<std::uint32_t>{4});
	EXPECT_EQ(editor->idles, 2);
	EXPECT_EQ(editor->dueAt(), 10074u + 100u);
	EXPECT_EQ(host.callsOf(audioMasterIdle).size(), 2u);
}

TEST_F(EditorBase, IdlePacingEightyMillisecondsEarlyGivesUpAfterFour)
{
	RecordingHost host;
	TestEffect effect(RecordingHost::callback);
	auto* editor = new TestEditor(&effect);
	editor->doIdleStuff();
	gNow = 10020; // 80 ms early
	editor->doIdleStuff();
	EXPECT_EQ(gWaits, std::vector<std::uint32_t>{4});
	EXPECT_EQ(editor->idles, 1);
	EXPECT_EQ(editor->dueAt(), 10100u);
	EXPECT_EQ(host.callsOf(audioMasterIdle).size(), 1u);
}

TEST_F(EditorBase, KnobModeIsSharedByEveryEditorOfTheModule)
{
	TestEffect a(nullptr), b(nullptr);
	auto* editorA = new TestEditor(&a);
	auto* editorB = new TestEditor(&b);
	EXPECT_EQ(a.dispatcher(effSetEditKnobMode, 0, 2, nullptr, 0.f), 1);
	EXPECT_EQ(editorA->getKnobMode(), 2);
	EXPECT_EQ(editorB->getKnobMode(), 2);
	b.dispatcher(effSetEditKnobMode, 0, 0, nullptr, 0.f);
	EXPECT_EQ(editorA->getKnobMode(), 0);
}

TEST_F(EditorBase, ResizeAsksTheHostOnlyWhenItCanResize)
{
	RecordingHost host;
	TestEffect effect(RecordingHost::callback);
	auto* editor = new TestEditor(&effect);
	VSTGUI::CRect newSize(10, 20, 310.7, 220.2), oldSize(0, 0, 300, 200);

	host.answers[audioMasterCanDo] = 0;
	EXPECT_TRUE(editor->beforeSizeChange(newSize, oldSize));
	EXPECT_TRUE(host.callsOf(audioMasterSizeWindow).empty());

	host.answers[audioMasterCanDo] = 1;
	host.answers[audioMasterSizeWindow] = 0;
	EXPECT_FALSE(editor->beforeSizeChange(newSize, oldSize));
	auto calls = host.callsOf(audioMasterSizeWindow);
	ASSERT_EQ(calls.size(), 1u);
	EXPECT_EQ(calls[0].index, 300);
	EXPECT_EQ(calls[0].value, 200);
	host.answers[audioMasterSizeWindow] = 1;
	EXPECT_TRUE(editor->beforeSizeChange(newSize, oldSize));
}

TEST_F(EditorBase, EditBracketsReachTheHost)
{
	RecordingHost host;
	TestEffect effect(RecordingHost::callback);
	auto* editor = new TestEditor(&effect);
	editor->beginEdit(0);
	editor->endEdit(0);
	ASSERT_EQ(host.callsOf(audioMasterBeginEdit).size(), 1u);
	ASSERT_EQ(host.callsOf(audioMasterEndEdit).size(), 1u);
	EXPECT_EQ(host.callsOf(audioMasterBeginEdit)[0].index, 0);
}

TEST_F(EditorBase, NestedEditsReachTheHostAsOneAndStrayEndsNotAtAll)
{
	RecordingHost host;
	TestEffect effect(RecordingHost::callback);
	auto* editor = new TestEditor(&effect);
	editor->endEdit(3);
	EXPECT_TRUE(host.callsOf(audioMasterEndEdit).empty());
	editor->beginEdit(0);
	editor->beginEdit(0);
	editor->beginEdit(1);
	editor->endEdit(0);
	EXPECT_TRUE(host.callsOf(audioMasterEndEdit).empty());
	editor->endEdit(1);
	editor->endEdit(0);
	auto begins = host.callsOf(audioMasterBeginEdit);
	auto ends = host.callsOf(audioMasterEndEdit);
	ASSERT_EQ(begins.size(), 2u);
	ASSERT_EQ(ends.size(), 2u);
	EXPECT_EQ(begins[0].index, 0);
	EXPECT_EQ(begins[1].index, 1);
	EXPECT_EQ(ends[0].index, 1);
	EXPECT_EQ(ends[1].index, 0);
}

namespace
{

// Records what is invalidated instead of asking a window to repaint it.
class RecordingFrame : public VSTGUI::CFrame
{
public:
	RecordingFrame() : CFrame(VSTGUI::CRect(0, 0, 300, 120), nullptr, nullptr) {}
	void invalidRect(const VSTGUI::CRect& rect) override { rects.push_back(rect); }
	std::vector<VSTGUI::CRect> rects;
};

} // namespace

TEST_F(EditorBase, DrawTakesAnInvertedRectangleTheRightWayRound)
{
	TestEffect effect(nullptr);
	auto* editor = new TestEditor(&effect);
	auto* frame = new RecordingFrame;
	editor->attach(frame);
	ERect area{10, 50, 0, 20}; // top, left, bottom, right
	editor->draw(&area);
	editor->draw(nullptr);
	editor->attach(nullptr);
	ASSERT_EQ(frame->rects.size(), 2u);
	EXPECT_EQ(frame->rects[0], VSTGUI::CRect(20, 0, 50, 10));
	EXPECT_EQ(frame->rects[1], VSTGUI::CRect(0, 0, 300, 120));
	frame->forget();
}
