// Editing a text edit through the fake field: starting, committing,
// restoring, moving the focus, and the value and text procedures.
#include "menutestsupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

using namespace VSTGUI;
using namespace VSTGUI::menutest;

namespace
{

using Log = std::vector<std::string>;

// Records what the edit hands to the display's drawing hooks.
class RecordingTextEdit : public CTextEdit
{
public:
	using CTextEdit::CTextEdit;
	void drawBack(CDrawContext*, CBitmap*) override { drawn.push_back("back"); }
	void drawText(CDrawContext*, const char* string) override { drawn.push_back(string); }

	std::vector<std::string> drawn;
};

class TextEditTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		eventLog().clear();
		platform = newPlatformFrame();
		frame = new TestFrame(CRect(0, 0, 200, 200), platform, &editor);
		edit = new RecordingTextEdit(CRect(10, 10, 90, 30), &listener, 4, "old");
		next = new CTextEdit(CRect(10, 40, 90, 60), &listener, 5, "next");
		frame->addView(edit);
		frame->addView(next);
	}
	void TearDown() override
	{
		frame->close();
		EXPECT_EQ(liveObjects(), 0);
	}
	void startEditing()
	{
		frame->setFocusView(edit);
		ASSERT_NE(platform->textEdit, nullptr);
		eventLog().clear();
	}
	MouseEventResult click(CTextEdit* target, int32 buttons)
	{
		CPoint where(20, 20);
		return target->onMouseDown(where, CButtonState(buttons));
	}
	int32 keyDown(CView* target, unsigned char virt)
	{
		VstKeyCode key = virtualKey(virt);
		return target->onKeyDown(key);
	}

	RecordingEditor editor{{.beginEntry = "host begin ", .endEntry = "host end "}};
	RecordingListener listener{RecordingListener::bare()};
	RecordingPlatformFrame* platform{nullptr};
	TestFrame* frame{nullptr};
	RecordingTextEdit* edit{nullptr};
	CTextEdit* next{nullptr};
};

TEST_F(TextEditTest, NewEditShowsItsTextAndWantsTheFocus)
{
	EXPECT_STREQ(edit->getText(), "old");
	EXPECT_TRUE(edit->wantsFocus());
	EXPECT_EQ(edit->getTag(), 4);
	EXPECT_EQ(edit->getListener(), &listener);
	EXPECT_FALSE(edit->isEditing());
	EXPECT_TRUE(edit->isTypeOf("CTextEdit"));
	EXPECT_TRUE(edit->isTypeOf("CParamDisplay"));
	EXPECT_TRUE(edit->isTypeOf("CControl"));
	EXPECT_FALSE(edit->isTypeOf("CTextLabel"));
}

TEST_F(TextEditTest, TakingTheFocusOpensTheFieldWithTheLabelText)
{
	frame->setFocusView(edit);
	ASSERT_TRUE(edit->isEditing());
	EXPECT_EQ(platform->textEdit->text, "old");
	EXPECT_EQ(platform->textEdit->callback, static_cast<IPlatformTextEditCallback*>(edit));
	edit->takeFocus();
	EXPECT_EQ(platform->textEditsCreated, 1);
}

TEST_F(TextEditTest, ClickInTheFrameStartsEditing)
{
	CPoint where(20, 20);
	frame->platformOnMouseDown(where, CButtonState(kButtonLeft));
	EXPECT_TRUE(edit->isEditing());
	EXPECT_EQ(frame->getFocusView(), edit);
}

TEST_F(TextEditTest, OnlyALeftClickOnAnUnfocusedEditStartsEditing)
{
	EXPECT_EQ(click(edit, kButtonRight), kMouseNotHandled);
	EXPECT_FALSE(edit->isEditing());
	EXPECT_EQ(click(edit, kButtonLeft), kMouseHandledNoFollowUp);
	EXPECT_TRUE(edit->isEditing());
	frame->setFocusView(next);
	EXPECT_EQ(click(next, kButtonLeft), kMouseNotHandled); // already the focus view
}

TEST_F(TextEditTest, DoubleClickStyleIgnoresASingleClick)
{
	edit->setStyle(kEditOnDoubleClick);
	EXPECT_EQ(click(edit, kButtonLeft), kMouseNotHandled);
	EXPECT_FALSE(edit->isEditing());
	EXPECT_EQ(click(edit, kButtonLeft | kButtonDoubleClick), kMouseHandledNoFollowUp);
	EXPECT_TRUE(edit->isEditing());
}

// Through the frame the container focuses the clicked control before its
// mouse-down; the first press of a double click must not open the field.
TEST_F(TextEditTest, DoubleClickStyleThroughTheFrameOpensOnlyOnTheSecondPress)
{
	edit->setStyle(kEditOnDoubleClick);
	CPoint where(20, 20);
	platform->mouseButtons = CButtonState(kButtonLeft);
	frame->onMouseDown(where, CButtonState(kButtonLeft));
	EXPECT_EQ(frame->getFocusView(), edit);
	EXPECT_FALSE(edit->isEditing());
	frame->onMouseUp(where, CButtonState(kButtonLeft));
	EXPECT_EQ(frame->onMouseDown(where, CButtonState(kButtonLeft | kButtonDoubleClick)), kMouseHandledNoFollowUp);
	EXPECT_TRUE(edit->isEditing());

	// A plain edit still opens on the first press.
	where = CPoint(20, 50);
	frame->onMouseDown(where, CButtonState(kButtonLeft));
	EXPECT_EQ(frame->getFocusView(), next);
	EXPECT_FALSE(edit->isEditing());
	EXPECT_TRUE(next->isEditing());
}

TEST_F(TextEditTest, DoubleClickStyleOpensWhenTheFocusArrivesByKeyboard)
{
	edit->setStyle(kEditOnDoubleClick);
	frame->setFocusView(next);
	ASSERT_TRUE(next->isEditing());
	VstKeyCode backTab{0, VKEY_TAB, MODIFIER_SHIFT};
	EXPECT_EQ(frame->onKeyDown(backTab), 1);
	EXPECT_EQ(frame->getFocusView(), edit);
	EXPECT_TRUE(edit->isEditing());
}

TEST_F(TextEditTest, ReturnCommitsTheTypedTextAsOneEdit)
{
	startEditing();
	platform->textEdit->type("new");
	EXPECT_TRUE(eventLog().empty()); // no commit while typing
	EXPECT_EQ(keyDown(edit, VKEY_RETURN), 1);
	EXPECT_STREQ(edit->getText(), "new");
	EXPECT_EQ(eventLog(),
	          Log({"beginEdit", "host begin 4", "valueChanged 0.000000", "host end 4", "endEdit", "field closed"}));
	EXPECT_FALSE(edit->isEditing());
	EXPECT_TRUE(edit->wasReturnPressed());
	EXPECT_EQ(frame->getFocusView(), nullptr);
	EXPECT_EQ(keyDown(edit, VKEY_RETURN), -1);
}

TEST_F(TextEditTest, ReturnInTheFieldCommitsThroughTheFrame)
{
	startEditing();
	platform->textEdit->type("new");
	edit->platformLooseFocus(true);
	EXPECT_STREQ(edit->getText(), "new");
	EXPECT_EQ(eventLog(),
	          Log({"beginEdit", "host begin 4", "valueChanged 0.000000", "host end 4", "endEdit", "field closed"}));
	EXPECT_EQ(frame->getFocusView(), nullptr);
	EXPECT_TRUE(edit->wasReturnPressed());
}

TEST_F(TextEditTest, FieldLeavingEndsAnEditTheFrameDoesNotFocus)
{
	EXPECT_EQ(click(edit, kButtonLeft), kMouseHandledNoFollowUp);
	ASSERT_EQ(frame->getFocusView(), nullptr);
	platform->textEdit->type("direct");
	edit->platformLooseFocus(true);
	EXPECT_FALSE(edit->isEditing());
	EXPECT_STREQ(edit->getText(), "direct");
	edit->platformLooseFocus(false); // a late call from a closed field
	EXPECT_EQ(std::count(eventLog().begin(), eventLog().end(), "beginEdit"), 1);
}

TEST_F(TextEditTest, EscapeRestoresTheTextAndFiresNothing)
{
	startEditing();
	platform->textEdit->type("typed");
	EXPECT_EQ(keyDown(edit, VKEY_ESCAPE), 1);
	EXPECT_STREQ(edit->getText(), "old");
	EXPECT_EQ(eventLog(), Log({"field closed"}));
	EXPECT_FALSE(edit->wasReturnPressed());
	EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(TextEditTest, EscapeFromTheFieldReachesTheEditThroughTheFrame)
{
	startEditing();
	platform->textEdit->type("typed");
	EXPECT_TRUE(edit->platformOnKeyDown(virtualKey(VKEY_ESCAPE)));
	EXPECT_STREQ(edit->getText(), "old");
	EXPECT_FALSE(edit->isEditing());
	EXPECT_EQ(eventLog(), Log({"field closed"}));
}

TEST_F(TextEditTest, CommittingTheUnchangedTextFiresNothing)
{
	startEditing();
	platform->textEdit->type("ol");
	platform->textEdit->type("old");
	edit->platformLooseFocus(true);
	EXPECT_EQ(eventLog(), Log({"field closed"}));
}

TEST_F(TextEditTest, EditCanStartAgainAfterReturn)
{
	startEditing();
	keyDown(edit, VKEY_RETURN);
	EXPECT_EQ(click(edit, kButtonLeft), kMouseHandledNoFollowUp);
	EXPECT_TRUE(edit->isEditing());
}

TEST_F(TextEditTest, TabMovesTheFocusAndCommitsOnTheWay)
{
	startEditing();
	platform->textEdit->type("tabbed");
	EXPECT_TRUE(edit->platformOnKeyDown(virtualKey(VKEY_TAB)));
	EXPECT_STREQ(edit->getText(), "tabbed");
	EXPECT_FALSE(edit->isEditing());
	EXPECT_EQ(frame->getFocusView(), next);
	ASSERT_TRUE(next->isEditing());
	EXPECT_EQ(platform->textEdit->text, "next");
	EXPECT_TRUE(next->platformOnKeyDown(virtualKey(VKEY_TAB, MODIFIER_SHIFT)));
	EXPECT_EQ(frame->getFocusView(), edit);
	EXPECT_TRUE(edit->isEditing());
}

TEST_F(TextEditTest, OtherKeysFromTheFieldAreLeftToIt)
{
	startEditing();
	VstKeyCode letter = virtualKey(0);
	letter.character = 'x';
	EXPECT_FALSE(edit->platformOnKeyDown(letter));
	EXPECT_TRUE(edit->isEditing());
}

TEST_F(TextEditTest, LosingTheFrameFocusCommits)
{
	startEditing();
	platform->textEdit->type("left");
	frame->setFocusView(next);
	EXPECT_STREQ(edit->getText(), "left");
	EXPECT_FALSE(edit->isEditing());
	EXPECT_EQ(eventLog().front(), "beginEdit");
}

TEST_F(TextEditTest, ImmediateChangeCommitsEveryKeystroke)
{
	edit->setImmediateTextChange(true);
	startEditing();
	platform->textEdit->type("o");
	EXPECT_STREQ(edit->getText(), "o");
	platform->textEdit->type("ok");
	EXPECT_STREQ(edit->getText(), "ok");
	EXPECT_EQ(platform->textEdit->setTextCalls, 0); // the field is not written back while typing
	EXPECT_EQ(std::count(eventLog().begin(), eventLog().end(), "valueChanged 0.000000"), 2);
	eventLog().clear();
	edit->platformLooseFocus(true);
	EXPECT_EQ(eventLog(), Log({"field closed"}));
}

TEST_F(TextEditTest, WithoutAPlatformFrameTheEditStaysIdle)
{
	auto* bare = new TestFrame(CRect(0, 0, 100, 100), nullptr);
	auto* lonely = new CTextEdit(CRect(0, 0, 50, 20), &listener, 1, "x");
	bare->addView(lonely);
	bare->setFocusView(lonely);
	EXPECT_FALSE(lonely->isEditing());
	EXPECT_EQ(click(lonely, kButtonLeft), kMouseNotHandled);
	EXPECT_FALSE(lonely->isEditing());
	bare->close();
}

TEST_F(TextEditTest, SetTextWhileEditingUpdatesTheField)
{
	startEditing();
	edit->setText("from outside");
	EXPECT_EQ(platform->textEdit->text, "from outside");
	EXPECT_TRUE(eventLog().empty());
}

float parseNumber(const char* text, float& value, void*)
{
	char* end = nullptr;
	float parsed = std::strtof(text, &end);
	if (end == text)
		return false;
	value = parsed;
	return true;
}

bool parseNumberProc(const char* text, float& value, void* userData)
{
	return parseNumber(text, value, userData);
}

TEST_F(TextEditTest, TextToValueProcedureSetsTheValueFromTheText)
{
	edit->setStringToValueProc(parseNumberProc);
	edit->setText("0.25");
	EXPECT_EQ(edit->getValue(), 0.25f);
	edit->setText("abc");
	EXPECT_EQ(edit->getValue(), 0.25f);
	EXPECT_STREQ(edit->getText(), "abc");
	edit->setText("7");
	EXPECT_EQ(edit->getValue(), 1.f); // limited to the range
	EXPECT_STREQ(edit->getText(), "7");
}

TEST_F(TextEditTest, SetValueShowsTwoDecimalsWithoutAProcedure)
{
	edit->setValue(0.5f);
	EXPECT_STREQ(edit->getText(), "0.50");
	EXPECT_EQ(edit->getValue(), 0.5f);
}

bool percent(float value, char* text, void* userData)
{
	if (userData == nullptr)
		return false;
	std::snprintf(text, 256, "%d %%", static_cast<int>(value * 100.f + 0.5f));
	return true;
}

TEST_F(TextEditTest, SetValueFormatsThroughTheValueToStringProcedure)
{
	int enabled = 1;
	edit->setValueToStringProc(percent, &enabled);
	edit->setValue(0.75f);
	EXPECT_STREQ(edit->getText(), "75 %");
	edit->setValueToStringProc(percent, nullptr); // answers false
	edit->setValue(0.25f);
	EXPECT_STREQ(edit->getText(), "0.25");
}

TEST_F(TextEditTest, DrawShowsOnlyTheBackgroundWhileEditing)
{
	NullContext context;
	edit->draw(&context);
	EXPECT_EQ(edit->drawn, Log({"back", "old"}));
	startEditing();
	edit->drawn.clear();
	edit->draw(&context);
	EXPECT_EQ(edit->drawn, Log({"back"}));
	EXPECT_FALSE(edit->isDirty());
}

TEST_F(TextEditTest, FieldGeometryIsInFrameCoordinatesAndFollowsResizes)
{
	auto* box = new CViewContainer(CRect(100, 50, 200, 150));
	auto* inner = new CTextEdit(CRect(10, 20, 150, 40), &listener, 6, "in");
	frame->addView(box);
	box->addView(inner);
	EXPECT_EQ(inner->platformGetSize(), CRect(110, 70, 250, 90));
	EXPECT_EQ(inner->platformGetVisibleSize(), CRect(110, 70, 200, 90));
	frame->setFocusView(inner);
	ASSERT_NE(platform->textEdit, nullptr);
	inner->setViewSize(CRect(10, 20, 60, 40));
	inner->parentSizeChanged();
	EXPECT_EQ(platform->textEdit->updateSizeCalls, 2);
}

TEST_F(TextEditTest, FieldReportsTheDisplaySettings)
{
	edit->setFontColor(kRedCColor);
	edit->setBackColor(kBlueCColor);
	edit->setHoriAlign(kTextAlignRight);
	edit->setTextInset(CPoint(4, 2));
	EXPECT_EQ(edit->platformGetFontColor(), kRedCColor);
	EXPECT_EQ(edit->platformGetBackColor(), kBlueCColor);
	EXPECT_EQ(edit->platformGetHoriTxtAlign(), kTextAlignRight);
	EXPECT_EQ(edit->platformGetTextInset(), CPoint(4, 2));
	EXPECT_EQ(edit->platformGetFont(), edit->getFont());
	EXPECT_STREQ(edit->platformGetText(), "old");
}

TEST_F(TextEditTest, EndingTheEditIsToldUpTheAncestorsUntilHandled)
{
	auto* outer = new LoggingContainer("outer", CRect(0, 100, 200, 200), true);
	auto* inner = new LoggingContainer("inner", CRect(0, 0, 200, 100), false);
	auto* nested = new CTextEdit(CRect(0, 0, 50, 20), &listener, 7, "n");
	frame->addView(outer);
	outer->addView(inner);
	inner->addView(nested);
	frame->setFocusView(nested);
	eventLog().clear();
	frame->setFocusView(nullptr);
	EXPECT_EQ(eventLog(), Log({"field closed", "inner heard LooseFocus", "outer heard LooseFocus"}));
}

TEST_F(TextEditTest, CopyKeepsTheProceduresButDoesNotEdit)
{
	edit->setStringToValueProc(parseNumberProc);
	edit->setImmediateTextChange(true);
	startEditing();
	auto* copy = static_cast<CTextEdit*>(edit->newCopy());
	EXPECT_FALSE(copy->isEditing());
	EXPECT_TRUE(copy->getImmediateTextChange());
	EXPECT_TRUE(copy->wantsFocus());
	copy->setText("0.5");
	EXPECT_EQ(copy->getValue(), 0.5f);
	copy->forget();
}

TEST_F(TextEditTest, DestroyingAnEditingEditClosesTheFieldWithoutTheListener)
{
	auto* doomed = new CTextEdit(CRect(10, 70, 90, 90), &listener, 8, "d");
	frame->addView(doomed);
	doomed->remember();
	doomed->takeFocus(); // editing without being the frame's focus view
	ASSERT_TRUE(doomed->isEditing());
	platform->textEdit->type("changed");
	frame->removeView(doomed);
	ASSERT_TRUE(doomed->isEditing());
	eventLog().clear();
	doomed->forget();
	EXPECT_EQ(eventLog(), Log({"field closed"}));
	EXPECT_EQ(liveObjects(), 1); // only the platform frame is left
}

} // namespace
