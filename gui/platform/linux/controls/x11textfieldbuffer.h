// The editing state of the single-line text field: UTF-8 text, a caret and
// a selection, and the editing operations the keyboard and the mouse ask
// for. Pure: no server, no drawing, so every rule can be checked directly.
//
// Positions are byte offsets into the text and always lie on the boundary of
// a UTF-8 character: nothing here ever splits a multi-byte character. The
// selection runs between the anchor and the caret (empty when they are
// equal); an edit replaces it. Text that comes in (typed, pasted, set) is
// made fit for one line first: invalid UTF-8 becomes U+FFFD, line breaks and
// tabs become spaces and other control characters are dropped.
//
// Threads: any; one buffer belongs to one field.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace VSTGUI
{

class X11TextFieldBuffer
{
public:
	struct Range
	{
		size_t begin;
		size_t end;
		bool empty() const { return begin == end; }
		bool operator==(const Range&) const = default;
	};

	// The text that a single-line field can hold for utf8 (see above).
	static std::string sanitize(std::string_view utf8);
	// Boundary before / after the character at position (clamped to the text).
	static size_t previousBoundary(std::string_view utf8, size_t position);
	static size_t nextBoundary(std::string_view utf8, size_t position);

	const std::string& getText() const { return text; }
	size_t getCaret() const { return caret; }
	size_t getAnchor() const { return anchor; }
	// From the lower to the higher of anchor and caret.
	Range getSelection() const;
	bool hasSelection() const { return anchor != caret; }
	std::string getSelectedText() const;

	// Replaces the text; the caret goes to its end, nothing is selected.
	void setText(std::string_view utf8);
	// Replaces the selection (or inserts at the caret); false when nothing
	// changed. The caret ends after the inserted text.
	bool insert(std::string_view utf8);
	// BackSpace: the selection, or the character before the caret.
	bool deleteBackward();
	// Delete: the selection, or the character after the caret.
	bool deleteForward();
	bool deleteSelection();

	// Caret movements; extend keeps the anchor (Shift held). Without extend a
	// selection collapses: Left to its start, Right to its end.
	void moveLeft(bool extend);
	void moveRight(bool extend);
	void moveHome(bool extend);
	void moveEnd(bool extend);
	// Puts the caret at position (snapped back to a character boundary).
	void setCaret(size_t position, bool extend);
	void selectAll();
	// Selects the run of non-blank characters around position, or the run of
	// blanks when position sits between two blanks.
	void selectWordAt(size_t position);

private:
	size_t snap(size_t position) const;
	void place(size_t position, bool extend);

	std::string text;
	size_t caret{0};
	size_t anchor{0};
};

} // namespace VSTGUI
