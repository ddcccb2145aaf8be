#include "gui/platform/linux/controls/x11textfieldbuffer.h"

#include <algorithm>

namespace VSTGUI
{

namespace
{

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool isContinuation(unsigned char c)
{
	return (c & 0xC0) == 0x80;
}

// Length of the well-formed UTF-8 sequence at the start of s, 0 when it is
// not one (overlong forms, surrogates and values above U+10FFFF included).
size_t sequenceLength(std::string_view s)
{
	auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
	unsigned char lead = byte(0);
	size_t length = lead < 0x80                    ? 1
	                : lead >= 0xC2 && lead <= 0xDF ? 2
	                : lead >= 0xE0 && lead <= 0xEF ? 3
	                : lead >= 0xF0 && lead <= 0xF4 ? 4
	                                               : 0;
	if (length == 0 || s.size() < length)
		return 0;
	for (size_t i = 1; i < length; ++i)
	{
		if (!isContinuation(byte(i)))
			return 0;
	}
	if (length == 3)
	{
		bool overlong = lead == 0xE0 && byte(1) < 0xA0;
		bool surrogate = lead == 0xED && byte(1) >= 0xA0;
		return overlong || surrogate ? 0 : 3;
	}
	if (length == 4)
	{
		bool overlong = lead == 0xF0 && byte(1) < 0x90;
		bool tooLarge = lead == 0xF4 && byte(1) >= 0x90;
		return overlong || tooLarge ? 0 : 4;
	}
	return length;
}

bool isBlank(unsigned char c)
{
	return c == ' ';
}

} // namespace

std::string X11TextFieldBuffer::sanitize(std::string_view utf8)
{
	std::string result;
	result.reserve(utf8.size());
	while (!utf8.empty())
	{
		size_t length = sequenceLength(utf8);
		if (length == 0)
		{
			result += kReplacement;
			utf8.remove_prefix(1);
			continue;
		}
		auto c = static_cast<unsigned char>(utf8[0]);
		if (c == '\n' || c == '\r' || c == '\t')
			result += ' ';
		else if (length > 1 || (c >= 0x20 && c != 0x7F))
			result += utf8.substr(0, length);
		utf8.remove_prefix(length);
	}
	return result;
}

size_t X11TextFieldBuffer::previousBoundary(std::string_view utf8, size_t position)
{
	position = std::min(position, utf8.size());
	if (position == 0)
		return 0;
	--position;
	while (position > 0 && isContinuation(static_cast<unsigned char>(utf8[position])))
		--position;
	return position;
}

size_t X11TextFieldBuffer::nextBoundary(std::string_view utf8, size_t position)
{
	if (position >= utf8.size())
		return utf8.size();
	++position;
	while (position < utf8.size() && isContinuation(static_cast<unsigned char>(utf8[position])))
		++position;
	return position;
}

X11TextFieldBuffer::Range X11TextFieldBuffer::getSelection() const
{
	return {std::min(anchor, caret), std::max(anchor, caret)};
}

std::string X11TextFieldBuffer::getSelectedText() const
{
	Range r = getSelection();
	return text.substr(r.begin, r.end - r.begin);
}

void X11TextFieldBuffer::setText(std::string_view utf8)
{
	text = sanitize(utf8);
	caret = anchor = text.size();
}

bool X11TextFieldBuffer::insert(std::string_view utf8)
{
	std::string clean = sanitize(utf8);
	if (clean.empty())
		return deleteSelection();
	Range r = getSelection();
	text.replace(r.begin, r.end - r.begin, clean);
	caret = anchor = r.begin + clean.size();
	return true;
}

bool X11TextFieldBuffer::deleteSelection()
{
	if (!hasSelection())
		return false;
	Range r = getSelection();
	text.erase(r.begin, r.end - r.begin);
	caret = anchor = r.begin;
	return true;
}

bool X11TextFieldBuffer::deleteBackward()
{
	if (hasSelection())
		return deleteSelection();
	if (caret == 0)
		return false;
	anchor = previousBoundary(text, caret);
	return deleteSelection();
}

bool X11TextFieldBuffer::deleteForward()
{
	if (hasSelection())
		return deleteSelection();
	if (caret >= text.size())
		return false;
	anchor = nextBoundary(text, caret);
	return deleteSelection();
}

void X11TextFieldBuffer::place(size_t position, bool extend)
{
	caret = position;
	if (!extend)
		anchor = caret;
}

void X11TextFieldBuffer::moveLeft(bool extend)
{
	if (hasSelection() && !extend)
		place(getSelection().begin, false);
	else
		place(previousBoundary(text, caret), extend);
}

void X11TextFieldBuffer::moveRight(bool extend)
{
	if (hasSelection() && !extend)
		place(getSelection().end, false);
	else
		place(nextBoundary(text, caret), extend);
}

void X11TextFieldBuffer::moveHome(bool extend)
{
	place(0, extend);
}

void X11TextFieldBuffer::moveEnd(bool extend)
{
	place(text.size(), extend);
}

size_t X11TextFieldBuffer::snap(size_t position) const
{
	position = std::min(position, text.size());
	while (position > 0 && position < text.size() && isContinuation(static_cast<unsigned char>(text[position])))
		--position;
	return position;
}

void X11TextFieldBuffer::setCaret(size_t position, bool extend)
{
	place(snap(position), extend);
}

void X11TextFieldBuffer::selectAll()
{
	anchor = 0;
	caret = text.size();
}

void X11TextFieldBuffer::selectWordAt(size_t position)
{
	position = snap(position);
	// The character under the pointer decides: the one after the position,
	// or the last one at the end of the text.
	size_t probe = position < text.size() ? position : previousBoundary(text, position);
	if (text.empty())
		return;
	bool blank = isBlank(static_cast<unsigned char>(text[probe]));
	size_t begin = probe;
	while (begin > 0 && isBlank(static_cast<unsigned char>(text[previousBoundary(text, begin)])) == blank)
		begin = previousBoundary(text, begin);
	size_t end = probe;
	while (end < text.size() && isBlank(static_cast<unsigned char>(text[end])) == blank)
		end = nextBoundary(text, end);
	anchor = begin;
	caret = end;
}

} // namespace VSTGUI
