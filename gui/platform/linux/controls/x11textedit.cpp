#include "gui/platform/linux/controls/x11textedit.h"

#include "gui/base/cfontdesc.h"
#include "gui/base/cstring.h"
#include "gui/base/ifontpainter.h"
#include "gui/base/iplatformfont.h"
#include "gui/platform/linux/drawing/cairodrawcontext.h"

#include <algorithm>
#include <cairo-xcb.h>
#include <cmath>
#include <cstdlib>
#include <xkbcommon/xkbcommon-keysyms.h>

namespace VSTGUI
{

namespace
{

// Motion only while a button is held: plain hovering passes through to the
// frame's window, which keeps its own mouse tracking.
constexpr uint32_t kEventMask = XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE |
                                XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE |
                                XCB_EVENT_MASK_BUTTON_MOTION | XCB_EVENT_MASK_STRUCTURE_NOTIFY;

// The selection is the text colour over the background, faint enough to
// keep the text readable whatever the two colours are.
constexpr double kSelectionAlpha = 0.3;

xcb_window_t eventWindow(const xcb_generic_event_t& event)
{
	switch (event.response_type & 0x7F)
	{
		case XCB_KEY_PRESS:
		case XCB_KEY_RELEASE:
		case XCB_BUTTON_PRESS:
		case XCB_BUTTON_RELEASE:
		case XCB_MOTION_NOTIFY: return reinterpret_cast<const xcb_key_press_event_t&>(event).event;
		case XCB_EXPOSE: return reinterpret_cast<const xcb_expose_event_t&>(event).window;
		case XCB_DESTROY_NOTIFY: return reinterpret_cast<const xcb_destroy_notify_event_t&>(event).window;
		default: return XCB_WINDOW_NONE;
	}
}

xcb_visualtype_t* findVisual(xcb_screen_t* screen, xcb_visualid_t id)
{
	for (auto depths = xcb_screen_allowed_depths_iterator(screen); depths.rem; xcb_depth_next(&depths))
	{
		for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem; xcb_visualtype_next(&visuals))
		{
			if (visuals.data->visual_id == id)
				return visuals.data;
		}
	}
	return nullptr;
}

void setSource(cairo_t* cr, const CColor& color, double alpha = 1.)
{
	cairo_set_source_rgba(cr, color.red / 255., color.green / 255., color.blue / 255., alpha * color.alpha / 255.);
}

bool isEnterKey(uint32_t keysym)
{
	return keysym == XKB_KEY_Return || keysym == XKB_KEY_KP_Enter || keysym == XKB_KEY_ISO_Enter;
}

} // namespace

// Holds the field for the length of a callback, which may release it; such
// references never count as the control's.
class X11TextEdit::CallGuard
{
public:
	explicit CallGuard(X11TextEdit* field) : field(field)
	{
		field->remember();
		++field->internalReferences;
	}
	~CallGuard()
	{
		--field->internalReferences;
		field->CBaseObject::forget();
	}
	CallGuard(const CallGuard&) = delete;
	CallGuard& operator=(const CallGuard&) = delete;

private:
	X11TextEdit* field;
};

X11TextEdit* X11TextEdit::create(X11Frame* frame, IPlatformTextEditCallback* callback)
{
	if (frame == nullptr || callback == nullptr || !frame->isConnected())
		return nullptr;
	auto* field = new X11TextEdit(frame, callback);
	if (field->open())
		return field;
	field->forget();
	return nullptr;
}

X11TextEdit::X11TextEdit(X11Frame* frame, IPlatformTextEditCallback* callback)
: frame(frame), display(frame->getDisplay()), connection(display.getConnection()), callback(callback)
{
	// The frame object (not its window) stays until the field has cleaned
	// up on its connection.
	frame->rememberForModalLoop();
}

X11TextEdit::~X11TextEdit()
{
	close();
	if (font)
		font->forget();
	frame->forgetAfterModalLoop();
}

bool X11TextEdit::open()
{
	measureFont();
	const char* initial = callback->platformGetText();
	buffer.setText(initial ? initial : "");
	placement = X11TextFieldLayout::place(callback->platformGetSize(), callback->platformGetVisibleSize(),
	                                      callback->platformGetTextInset(), ascent, descent);
	if (!createWindow())
		return false;
	clipboard = std::make_unique<X11TextFieldClipboard>(display, window, X11Atom::clipboard, X11Atom::textPaste);
	primary = std::make_unique<X11TextFieldClipboard>(display, window, X11Atom::primary, X11Atom::primaryPaste);
	display.addEventHandler(this);
	X11RunLoop::addSource(this);
	updateScroll();
	xcb_map_window(connection, window);
	// Focus moves into the frame's window, so the frame stays active; when
	// the field goes, the focus returns to the frame's window.
	xcb_set_input_focus(connection, XCB_INPUT_FOCUS_PARENT, window, display.getLastEventTime());
	// The control now draws only its background: the field shows that.
	frame->invalidRect(placement.window);
	xcb_flush(connection);
	return true;
}

bool X11TextEdit::createWindow()
{
	auto attributesCookie = xcb_get_window_attributes(connection, frame->getWindow());
	xcb_get_window_attributes_reply_t* attributes =
	    xcb_get_window_attributes_reply(connection, attributesCookie, nullptr);
	visual = attributes ? findVisual(display.getScreen(), attributes->visual) : nullptr;
	std::free(attributes);
	if (visual == nullptr)
		return false;
	const uint32_t values[] = {XCB_BACK_PIXMAP_NONE, kEventMask, display.getCursors().getText()};
	window = display.createWindow({frame->getWindow(), frame->toDevice(placement.window),
	                               XCB_CW_BACK_PIXMAP | XCB_CW_EVENT_MASK | XCB_CW_CURSOR, values});
	return window != XCB_WINDOW_NONE;
}

void X11TextEdit::forget()
{
	// The control's reference: the window goes now, even while a call of our
	// own further up the stack still holds the object.
	if (getNbReference() - internalReferences == 1)
		close();
	CBaseObject::forget();
}

void X11TextEdit::close()
{
	callback = nullptr;
	display.removeEventHandler(this);
	X11RunLoop::removeSource(this);
	clipboard.reset();
	primary.reset();
	if (window != XCB_WINDOW_NONE && frame->isConnected())
	{
		xcb_destroy_window(connection, window);
		// The control draws its text again where the field was.
		frame->invalidRect(placement.window);
		xcb_flush(connection);
	}
	window = XCB_WINDOW_NONE;
	// cairo keeps a device per connection, keyed by its address: it must be
	// gone before the frame disconnects, or a later connection at the same
	// address would inherit it.
	if (device)
	{
		cairo_device_finish(device);
		cairo_device_destroy(device);
		device = nullptr;
	}
}

bool X11TextEdit::isLive() const
{
	return callback != nullptr && window != XCB_WINDOW_NONE && frame->isConnected();
}

void X11TextEdit::measureFont()
{
	font = callback->platformGetFont();
	if (font == nullptr)
		font = kSystemFont;
	font->remember();
	if (IPlatformFont* platformFont = font->getPlatformFont())
	{
		ascent = platformFont->getAscent();
		descent = platformFont->getDescent();
	}
	else
	{
		ascent = font->getSize() * 0.8;
		descent = font->getSize() * 0.2;
	}
}

void X11TextEdit::invalidate()
{
	dirty = true;
}

// ---------------------------------------------------------------------------
// IPlatformTextEdit

const char* X11TextEdit::getText()
{
	return buffer.getText().c_str();
}

bool X11TextEdit::setText(const char* text)
{
	buffer.setText(text ? text : "");
	boundaries.clear();
	updateScroll();
	invalidate();
	return true;
}

bool X11TextEdit::updateSize()
{
	if (!isLive())
		return false;
	CRect old = placement.window;
	placement = X11TextFieldLayout::place(callback->platformGetSize(), callback->platformGetVisibleSize(),
	                                      callback->platformGetTextInset(), ascent, descent);
	const CRect& r = placement.window;
	const CRect device = frame->toDevice(r);
	const uint32_t values[] = {static_cast<uint32_t>(X11Geometry::coordinate(device.left)),
	                           static_cast<uint32_t>(X11Geometry::coordinate(device.top)),
	                           X11Geometry::extent(device.getWidth()), X11Geometry::extent(device.getHeight())};
	xcb_configure_window(connection, window,
	                     XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
	                     values);
	frame->invalidRect(old);
	frame->invalidRect(r);
	updateScroll();
	invalidate();
	xcb_flush(connection);
	return true;
}

// ---------------------------------------------------------------------------
// Events

bool X11TextEdit::handleX11Event(const xcb_generic_event_t& event)
{
	if (window == XCB_WINDOW_NONE)
		return false;
	CallGuard guard(this);
	std::optional<std::string> pasted;
	for (X11TextFieldClipboard* selection : {clipboard.get(), primary.get()})
	{
		if (selection && selection->handleEvent(event, pasted))
		{
			if (pasted && isLive())
				paste(*pasted);
			return true;
		}
	}
	if (eventWindow(event) != window)
		return false;
	switch (event.response_type & 0x7F)
	{
		case XCB_KEY_PRESS:
		{
			const auto& key = reinterpret_cast<const xcb_key_press_event_t&>(event);
			onKeyPress(key);
			return usedKeys.count(key.detail) != 0;
		}
		// The release of a key that the field used is the field's too; the
		// others take the frame's path, like their presses.
		case XCB_KEY_RELEASE: return usedKeys.erase(reinterpret_cast<const xcb_key_press_event_t&>(event).detail) != 0;
		case XCB_BUTTON_PRESS: onButtonPress(reinterpret_cast<const xcb_button_press_event_t&>(event)); break;
		case XCB_BUTTON_RELEASE:
			if (selecting && isLive())
				offerSelection(reinterpret_cast<const xcb_button_release_event_t&>(event).time);
			selecting = false;
			break;
		case XCB_MOTION_NOTIFY: onMotion(reinterpret_cast<const xcb_motion_notify_event_t&>(event)); break;
		case XCB_EXPOSE: invalidate(); break;
		case XCB_DESTROY_NOTIFY:
			// The host destroyed its window and ours with it.
			window = XCB_WINDOW_NONE;
			break;
		default: break;
	}
	return true;
}

void X11TextEdit::onKeyPress(const xcb_key_press_event_t& event)
{
	if (!isLive())
		return;
	auto input = display.getKeymap().lookUp(event.detail, event.state);
	if (!input)
		return;
	const uint32_t keysym = input->keysym;
	usedKeys.insert(event.detail);
	VstKeyCode key{0, 0, X11Keyboard::keyModifiersFromState(event.state)};
	if (isEnterKey(keysym))
		endEdit(true);
	else if (keysym == XKB_KEY_Tab || keysym == XKB_KEY_ISO_Left_Tab)
	{
		key.virt = VKEY_TAB;
		if (keysym == XKB_KEY_ISO_Left_Tab)
			key.modifier |= MODIFIER_SHIFT;
		sendKeyToControl(key, false);
	}
	else if (keysym == XKB_KEY_Escape)
	{
		key.virt = VKEY_ESCAPE;
		sendKeyToControl(key, true);
	}
	else if (!editWithKey(keysym, event.state))
		usedKeys.erase(event.detail);
	else if (isLive())
		offerSelection(event.time);
}

void X11TextEdit::sendKeyToControl(const VstKeyCode& key, bool loseFocusWhenUnused)
{
	bool used = callback->platformOnKeyDown(key);
	if (!used && loseFocusWhenUnused && callback)
		endEdit(false);
}

void X11TextEdit::endEdit(bool returnPressed)
{
	if (callback)
		callback->platformLooseFocus(returnPressed);
}

bool X11TextEdit::editWithKey(uint32_t keysym, uint16_t state)
{
	const bool shift = (state & XCB_MOD_MASK_SHIFT) != 0;
	const bool control = (state & XCB_MOD_MASK_CONTROL) != 0;
	if (control && editWithControlKey(xkb_keysym_to_lower(keysym)))
		return true;
	switch (keysym)
	{
		case XKB_KEY_BackSpace:
			if (buffer.deleteBackward())
				textChanged();
			return true;
		case XKB_KEY_Delete:
		case XKB_KEY_KP_Delete:
			if (shift)
				return editWithControlKey(XKB_KEY_x);
			if (buffer.deleteForward())
				textChanged();
			return true;
		case XKB_KEY_Insert:
		case XKB_KEY_KP_Insert:
			if (shift || control)
				return editWithControlKey(shift ? XKB_KEY_v : XKB_KEY_c);
			return false;
		case XKB_KEY_Left:
		case XKB_KEY_KP_Left: buffer.moveLeft(shift); break;
		case XKB_KEY_Right:
		case XKB_KEY_KP_Right: buffer.moveRight(shift); break;
		case XKB_KEY_Home:
		case XKB_KEY_KP_Home:
		case XKB_KEY_Up:
		case XKB_KEY_KP_Up: buffer.moveHome(shift); break;
		case XKB_KEY_End:
		case XKB_KEY_KP_End:
		case XKB_KEY_Down:
		case XKB_KEY_KP_Down: buffer.moveEnd(shift); break;
		default: return typeCharacter(keysym, state);
	}
	updateScroll();
	invalidate();
	return true;
}

bool X11TextEdit::editWithControlKey(uint32_t keysym)
{
	switch (keysym)
	{
		case XKB_KEY_a:
			buffer.selectAll();
			updateScroll();
			invalidate();
			return true;
		case XKB_KEY_c:
			if (buffer.hasSelection())
				copy(buffer.getSelectedText());
			return true;
		case XKB_KEY_x:
			if (!buffer.hasSelection())
				return true;
			copy(buffer.getSelectedText());
			buffer.deleteSelection();
			textChanged();
			return true;
		case XKB_KEY_v: clipboard->requestPaste(display.getLastEventTime()); return true;
		default: return false;
	}
}

// Control and Alt chords are shortcuts, not text (Control-A gives "\x01").
bool X11TextEdit::typeCharacter(uint32_t keysym, uint16_t state)
{
	if (state & (XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4))
		return false;
	char text[8] = {};
	if (xkb_keysym_to_utf8(keysym, text, sizeof(text)) <= 0)
		return false;
	std::string clean = X11TextFieldBuffer::sanitize(text);
	if (clean.empty())
		return false;
	if (buffer.insert(clean))
		textChanged();
	return true;
}

// The frame's window holds what is copied, so that it can still be pasted
// once this field has closed, into another field or another program.
void X11TextEdit::copy(const std::string& text)
{
	if (X11TextFieldClipboard* owner = display.getClipboard())
		owner->copy(text, display.getLastEventTime());
}

void X11TextEdit::paste(const std::string& text)
{
	if (buffer.insert(text))
		textChanged();
	if (isLive())
		offerSelection(display.getLastEventTime());
}

// As in other X11 programs, whatever is selected in the field is PRIMARY,
// and a field with nothing selected gives PRIMARY up.
void X11TextEdit::offerSelection(xcb_timestamp_t time)
{
	if (!primary)
		return;
	if (buffer.hasSelection())
		primary->copy(buffer.getSelectedText(), time);
	else
		primary->release(time);
}

void X11TextEdit::textChanged()
{
	boundaries.clear();
	updateScroll();
	invalidate();
	if (callback)
		callback->platformTextDidChange();
}

void X11TextEdit::onButtonPress(const xcb_button_press_event_t& event)
{
	const bool middle = event.detail == XCB_BUTTON_INDEX_2;
	if ((event.detail != XCB_BUTTON_INDEX_1 && !middle) || !isLive())
		return;
	// A host may have taken the keyboard while the field stayed open.
	xcb_set_input_focus(connection, XCB_INPUT_FOCUS_PARENT, window, event.time);
	size_t position = positionAt(event.event_x / frame->getScaleFactor());
	if (middle)
	{
		// PRIMARY is pasted where the pointer is. What the field itself
		// offers stays offered until the paste has been answered, even
		// though moving the caret ends the selection on screen.
		buffer.setCaret(position, false);
		primary->requestPaste(event.time);
		updateScroll();
		invalidate();
		return;
	}
	if (doubleClicks.press(event.detail, event.time, event.event_x, event.event_y))
		buffer.selectWordAt(position);
	else
		buffer.setCaret(position, (event.state & XCB_MOD_MASK_SHIFT) != 0);
	selecting = true;
	updateScroll();
	invalidate();
}

void X11TextEdit::onMotion(const xcb_motion_notify_event_t& event)
{
	if (!selecting || !(event.state & XCB_BUTTON_MASK_1) || !isLive())
		return;
	buffer.setCaret(positionAt(event.event_x / frame->getScaleFactor()), true);
	updateScroll();
	invalidate();
}

// ---------------------------------------------------------------------------
// Layout

double X11TextEdit::widthOf(const std::string& text)
{
	IFontPainter* painter = font->getFontPainter();
	if (painter == nullptr || text.empty())
		return 0.;
	CString string(text.c_str());
	return painter->getStringWidth(nullptr, string, true);
}

// Widths of every prefix that ends on a character boundary, measured once
// per text: a field holds one short line.
size_t X11TextEdit::positionAt(double windowX)
{
	updateScroll();
	double start =
	    X11TextFieldLayout::textStart(placement, boundaries.back().x, callback->platformGetHoriTxtAlign(), scroll);
	return X11TextFieldLayout::hitTest(boundaries, windowX - start);
}

void X11TextEdit::updateScroll()
{
	const std::string& text = buffer.getText();
	if (boundaries.empty())
	{
		for (size_t p = 0;; p = X11TextFieldBuffer::nextBoundary(text, p))
		{
			boundaries.push_back({p, widthOf(text.substr(0, p))});
			if (p >= text.size())
				break;
		}
	}
	double caretX = xOf(buffer.getCaret());
	// One pixel stays free on the right for the caret.
	double area = std::max(0., placement.textRight - placement.textLeft - 1.);
	scroll = X11TextFieldLayout::scrollToShow(caretX, boundaries.back().x, area, scroll);
}

double X11TextEdit::xOf(size_t position) const
{
	auto it = std::find_if(boundaries.begin(), boundaries.end(),
	                       [&](const X11TextFieldLayout::Boundary& b) { return b.position == position; });
	return it != boundaries.end() ? it->x : 0.;
}

// ---------------------------------------------------------------------------
// Drawing

void X11TextEdit::paint()
{
	// The frame redrew: the control's background under the field may differ.
	uint64_t paints = frame->getPaintStatistics().paints;
	if (paints != framePaints)
	{
		framePaints = paints;
		dirty = true;
	}
	if (!dirty || !isLive())
		return;
	dirty = false;
	const CRect r = frame->toDevice(placement.window);
	cairo_surface_t* surface = cairo_xcb_surface_create(connection, window, visual, X11Geometry::extent(r.getWidth()),
	                                                    X11Geometry::extent(r.getHeight()));
	if (device == nullptr && cairo_surface_get_device(surface))
		device = cairo_device_reference(cairo_surface_get_device(surface));
	cairo_t* cr = cairo_create(surface);
	// Drawn off-screen first, so that the text never flickers.
	cairo_push_group(cr);
	// Laid out in the frame's units, like the control it edits.
	cairo_scale(cr, frame->getScaleFactor(), frame->getScaleFactor());
	draw(cr);
	cairo_pop_group_to_source(cr);
	cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
	cairo_paint(cr);
	cairo_destroy(cr);
	cairo_surface_flush(surface);
	cairo_surface_destroy(surface);
	xcb_flush(connection);
}

void X11TextEdit::draw(cairo_t* cr)
{
	updateScroll();
	double start =
	    X11TextFieldLayout::textStart(placement, boundaries.back().x, callback->platformGetHoriTxtAlign(), scroll);
	drawBackground(cr);
	cairo_save(cr);
	cairo_rectangle(cr, placement.textLeft, 0, placement.textRight - placement.textLeft, placement.window.getHeight());
	cairo_clip(cr);
	drawSelection(cr, start);
	drawText(cr, start);
	cairo_restore(cr);
	drawCaret(cr, start);
}

// What the frame drew of the control under the field (its background while
// it edits), so that the field looks like the control itself.
void X11TextEdit::drawBackground(cairo_t* cr)
{
	if (cairo_surface_t* back = frame->getBackBuffer())
	{
		// The back buffer holds device pixels.
		const double scale = frame->getScaleFactor();
		const CRect device = frame->toDevice(placement.window);
		cairo_save(cr);
		cairo_scale(cr, 1. / scale, 1. / scale);
		cairo_set_source_surface(cr, back, -device.left, -device.top);
		cairo_paint(cr);
		cairo_restore(cr);
		return;
	}
	setSource(cr, callback->platformGetBackColor());
	cairo_paint(cr);
}

void X11TextEdit::drawSelection(cairo_t* cr, double start)
{
	if (!buffer.hasSelection())
		return;
	X11TextFieldBuffer::Range range = buffer.getSelection();
	double from = xOf(range.begin);
	double to = xOf(range.end);
	setSource(cr, callback->platformGetFontColor(), kSelectionAlpha);
	cairo_rectangle(cr, start + from, placement.lineTop, to - from, placement.lineBottom - placement.lineTop);
	cairo_fill(cr);
}

void X11TextEdit::drawText(cairo_t* cr, double start)
{
	if (buffer.getText().empty())
		return;
	const CRect& r = placement.window;
	auto* context = new CairoDrawContext(cr, CRect(0, 0, r.getWidth(), r.getHeight()));
	context->setFont(font);
	context->setFontColor(callback->platformGetFontColor());
	context->drawString(buffer.getText().c_str(), CPoint(start, placement.baseline), true);
	context->endDraw();
	context->forget();
}

void X11TextEdit::drawCaret(cairo_t* cr, double start)
{
	if (buffer.hasSelection())
		return;
	double caretX = xOf(buffer.getCaret());
	// On a pixel's centre, so that the one-pixel line is sharp.
	double x = std::floor(std::clamp(start + caretX, 0., placement.window.getWidth() - 1.)) + 0.5;
	setSource(cr, callback->platformGetFontColor());
	cairo_set_line_width(cr, 1.);
	cairo_move_to(cr, x, placement.lineTop);
	cairo_line_to(cr, x, placement.lineBottom);
	cairo_stroke(cr);
}

} // namespace VSTGUI
