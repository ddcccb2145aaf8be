// The field's editing state on its own: whole UTF-8 characters, caret and
// selection rules, and what incoming text becomes on one line.
#include "gui/platform/linux/controls/x11textfieldbuffer.h"

#include <gtest/gtest.h>

using VSTGUI::X11TextFieldBuffer;

namespace
{

// "1é€𝄞": 1, 2, 3 and 4 bytes.
const std::string kMixed = "1\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E";

X11TextFieldBuffer bufferWith(const std::string& text)
{
	X11TextFieldBuffer buffer;
	buffer.setText(text);
	return buffer;
}

} // namespace

TEST(TextFieldBuffer, SetTextPutsTheCaretAtTheEndWithNothingSelected)
{
	X11TextFieldBuffer buffer = bufferWith(kMixed);
	EXPECT_EQ(buffer.getText(), kMixed);
	EXPECT_EQ(buffer.getCaret(), kMixed.size());
	EXPECT_FALSE(buffer.hasSelection());
}

TEST(TextFieldBuffer, BackspaceRemovesWholeCharactersOfEveryLength)
{
	X11TextFieldBuffer buffer = bufferWith(kMixed);
	ASSERT_TRUE(buffer.deleteBackward());
	EXPECT_EQ(buffer.getText(), "1\xC3\xA9\xE2\x82\xAC");
	ASSERT_TRUE(buffer.deleteBackward());
	EXPECT_EQ(buffer.getText(), "1\xC3\xA9");
	ASSERT_TRUE(buffer.deleteBackward());
	EXPECT_EQ(buffer.getText(), "1");
	ASSERT_TRUE(buffer.deleteBackward());
	EXPECT_EQ(buffer.getText(), "");
	EXPECT_FALSE(buffer.deleteBackward());
}

TEST(TextFieldBuffer, DeleteRemovesTheCharacterAfterTheCaret)
{
	X11TextFieldBuffer buffer = bufferWith(kMixed);
	buffer.moveHome(false);
	buffer.moveRight(false);
	ASSERT_TRUE(buffer.deleteForward());
	EXPECT_EQ(buffer.getText(), "1\xE2\x82\xAC\xF0\x9D\x84\x9E");
	EXPECT_EQ(buffer.getCaret(), 1u);
	buffer.moveEnd(false);
	EXPECT_FALSE(buffer.deleteForward());
}

TEST(TextFieldBuffer, ArrowsStepOverMultiByteCharacters)
{
	X11TextFieldBuffer buffer = bufferWith(kMixed);
	buffer.moveHome(false);
	std::vector<size_t> stops;
	for (int i = 0; i < 5; ++i)
	{
		buffer.moveRight(false);
		stops.push_back(buffer.getCaret());
	}
	EXPECT_EQ(stops, (std::vector<size_t>{1, 3, 6, 10, 10}));
	buffer.moveLeft(false);
	EXPECT_EQ(buffer.getCaret(), 6u);
}

TEST(TextFieldBuffer, ShiftMovesExtendAndPlainMovesCollapseTheSelection)
{
	X11TextFieldBuffer buffer = bufferWith("abcdef");
	buffer.moveHome(false);
	buffer.moveRight(false);
	buffer.moveRight(true);
	buffer.moveRight(true);
	EXPECT_EQ(buffer.getSelectedText(), "bc");
	buffer.moveHome(true);
	EXPECT_EQ(buffer.getSelectedText(), "a");
	EXPECT_EQ(buffer.getAnchor(), 1u);
	buffer.moveEnd(true);
	EXPECT_EQ(buffer.getSelectedText(), "bcdef");
	buffer.moveLeft(false);
	EXPECT_FALSE(buffer.hasSelection());
	EXPECT_EQ(buffer.getCaret(), 1u);
	buffer.selectAll();
	buffer.moveRight(false);
	EXPECT_EQ(buffer.getCaret(), 6u);
}

TEST(TextFieldBuffer, TypingReplacesTheSelection)
{
	X11TextFieldBuffer buffer = bufferWith("1.50 dB");
	buffer.setCaret(2, false);
	buffer.setCaret(4, true);
	ASSERT_TRUE(buffer.insert("75"));
	EXPECT_EQ(buffer.getText(), "1.75 dB");
	EXPECT_EQ(buffer.getCaret(), 4u);
	EXPECT_FALSE(buffer.hasSelection());
	buffer.selectAll();
	ASSERT_TRUE(buffer.deleteBackward());
	EXPECT_EQ(buffer.getText(), "");
}

TEST(TextFieldBuffer, CaretPositionsInsideACharacterSnapToItsStart)
{
	X11TextFieldBuffer buffer = bufferWith(kMixed);
	buffer.setCaret(4, false); // inside the euro sign
	EXPECT_EQ(buffer.getCaret(), 3u);
	buffer.setCaret(100, false);
	EXPECT_EQ(buffer.getCaret(), kMixed.size());
	buffer.insert("x");
	EXPECT_EQ(buffer.getText(), kMixed + "x");
}

TEST(TextFieldBuffer, DoubleClickWordIsTheRunOfNonBlanksOrBlanks)
{
	X11TextFieldBuffer buffer = bufferWith("-3.5 dB  gain");
	buffer.selectWordAt(2);
	EXPECT_EQ(buffer.getSelectedText(), "-3.5");
	buffer.selectWordAt(4);
	EXPECT_EQ(buffer.getSelectedText(), " ");
	buffer.selectWordAt(8);
	EXPECT_EQ(buffer.getSelectedText(), "  ");
	buffer.selectWordAt(13);
	EXPECT_EQ(buffer.getSelectedText(), "gain");
	X11TextFieldBuffer empty;
	empty.selectWordAt(0);
	EXPECT_FALSE(empty.hasSelection());
}

TEST(TextFieldBuffer, IncomingTextIsMadeFitForOneLine)
{
	EXPECT_EQ(X11TextFieldBuffer::sanitize("a\nb\tc\r"), "a b c ");
	EXPECT_EQ(X11TextFieldBuffer::sanitize(std::string("a\x01\x7F"
	                                                   "b",
	                                                   4)),
	          "ab");
	EXPECT_EQ(X11TextFieldBuffer::sanitize(kMixed), kMixed);
	// A lone continuation byte, a cut sequence, an overlong slash, a
	// surrogate and a value past U+10FFFF.
	const std::string replacement = "\xEF\xBF\xBD";
	EXPECT_EQ(X11TextFieldBuffer::sanitize("\x80"), replacement);
	EXPECT_EQ(X11TextFieldBuffer::sanitize("a\xE2\x82"), "a" + replacement + replacement);
	EXPECT_EQ(X11TextFieldBuffer::sanitize("\xC0\xAF"), replacement + replacement);
	EXPECT_EQ(X11TextFieldBuffer::sanitize("\xED\xA0\x80"), replacement + replacement + replacement);
	EXPECT_EQ(X11TextFieldBuffer::sanitize("\xF4\x90\x80\x80").substr(0, 3), replacement);
}

TEST(TextFieldBuffer, InsertingNothingUsableOnlyDeletesTheSelection)
{
	X11TextFieldBuffer buffer = bufferWith("abc");
	EXPECT_FALSE(buffer.insert("\x01"));
	EXPECT_EQ(buffer.getText(), "abc");
	buffer.selectAll();
	EXPECT_TRUE(buffer.insert("\x01"));
	EXPECT_EQ(buffer.getText(), "");
}
