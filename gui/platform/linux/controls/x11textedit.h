// The text edit's native field on X11: a child window of the frame's window
// over the control's visible part, drawn with cairo and the control's Pango
// font, that holds the keyboard focus while it exists. It uses the frame's
// display: the frame offers it every event first (IX11EventHandler), and
// the run loop paints it right after the frame (IX11EventSource), so that
// the field's background is what the frame has just drawn of the control.
//
// Behaviour: caret, selection with the mouse (press and drag, Shift-click)
// and with Shift plus the arrows, Home and End; a double click selects the
// word (run of non-blank characters) under the pointer; Control-A selects
// all; Control-C/X/V copy, cut and paste through CLIPBOARD; what is selected
// is offered as PRIMARY, which the middle button pastes; editing by whole
// UTF-8 characters; the text scrolls horizontally to keep the caret visible.
// Return and keypad Enter end the edit (platformLooseFocus(true)); Tab and
// Shift-Tab go to platformOnKeyDown as VKEY_TAB (with MODIFIER_SHIFT);
// Escape goes to platformOnKeyDown and, when nobody used it, ends the edit
// (platformLooseFocus(false)); every change of the text calls
// platformTextDidChange. Other keys (F-keys, Page Up, ...) take the frame's
// own key path, as keys of the frame's window do.
//
// Focus: the field takes the keyboard when it is made, reverting to the
// frame's window when it goes; those moves are inside the frame's window
// and do not deactivate the frame.
//
// Ownership: created with count 1 for the control. When that reference goes
// the window is destroyed at once and the callback is never called again,
// even while a call of the field's own further up the stack keeps the object
// alive. The field keeps the frame object (not its window) alive meanwhile.
// Threads: user-interface thread only.
#pragma once

#include "gui/controls/iplatformtextedit.h"
#include "gui/platform/linux/controls/x11textfieldbuffer.h"
#include "gui/platform/linux/controls/x11textfieldclipboard.h"
#include "gui/platform/linux/controls/x11textfieldlayout.h"
#include "gui/platform/linux/window/x11frame.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace VSTGUI
{

class CFontDesc;

class X11TextEdit : public IPlatformTextEdit, public IX11EventHandler, public IX11EventSource
{
public:
	// Null when the frame has no window or the field's window cannot be made.
	static X11TextEdit* create(X11Frame* frame, IPlatformTextEditCallback* callback);

	const char* getText() override;
	bool setText(const char* text) override;
	bool updateSize() override;
	bool handleX11Event(const xcb_generic_event_t& event) override;

	// IX11EventSource: the field has no connection of its own.
	int getFileDescriptor() const override { return -1; }
	void dispatchEvents() override {}
	void paint() override;

	void forget() override;

	xcb_window_t getWindow() const { return window; }
	// Where the field sits, in frame coordinates.
	const CRect& getWindowRect() const { return placement.window; }
	const X11TextFieldBuffer& getBuffer() const { return buffer; }
	// How far the text is scrolled to the left, in pixels.
	double getScroll() const { return scroll; }

protected:
	~X11TextEdit() override;

private:
	class CallGuard;

	X11TextEdit(X11Frame* frame, IPlatformTextEditCallback* callback);
	bool open();
	bool createWindow();
	void close();
	bool isLive() const;
	void measureFont();
	void invalidate();

	void onKeyPress(const xcb_key_press_event_t& event);
	bool editWithKey(uint32_t keysym, uint16_t state);
	bool editWithControlKey(uint32_t keysym);
	bool typeCharacter(uint32_t keysym, uint16_t state);
	void sendKeyToControl(const VstKeyCode& key, bool loseFocusWhenUnused);
	void endEdit(bool returnPressed);
	void onButtonPress(const xcb_button_press_event_t& event);
	void onMotion(const xcb_motion_notify_event_t& event);
	void textChanged();
	void copy(const std::string& text);
	void paste(const std::string& text);
	void offerSelection(xcb_timestamp_t time);

	size_t positionAt(double windowX);
	double widthOf(const std::string& text);
	// Distance of a character boundary from the text's start.
	double xOf(size_t position) const;
	void updateScroll();
	void draw(cairo_t* cr);
	void drawBackground(cairo_t* cr);
	void drawSelection(cairo_t* cr, double start);
	void drawText(cairo_t* cr, double start);
	void drawCaret(cairo_t* cr, double start);

	X11Frame* frame;
	X11Display& display;
	xcb_connection_t* connection;
	IPlatformTextEditCallback* callback;
	xcb_window_t window{XCB_WINDOW_NONE};
	xcb_visualtype_t* visual{nullptr};
	X11TextFieldBuffer buffer;
	X11TextFieldLayout::Placement placement;
	std::unique_ptr<X11TextFieldClipboard> clipboard;
	std::unique_ptr<X11TextFieldClipboard> primary;
	X11Events::DoubleClickDetector doubleClicks;
	std::set<xcb_keycode_t> usedKeys;
	// One reference, held while the field lives.
	CFontDesc* font{nullptr};
	cairo_device_t* device{nullptr};
	uint64_t framePaints{0};
	std::vector<X11TextFieldLayout::Boundary> boundaries;
	double ascent{0.};
	double descent{0.};
	double scroll{0.};
	int32 internalReferences{0};
	bool dirty{true};
	bool selecting{false};
};

} // namespace VSTGUI
