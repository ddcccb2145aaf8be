// The editor base that joins the host's editor requests to a toolkit frame:
// it owns the frame while the window is open, forwards keys and the wheel,
// paces the host's idle calls, and turns the toolkit's edit bracketing and
// resize requests into host calls.
//
// Threads: everything here runs on the host's user-interface thread, except
// setParameter, which the effect calls from whichever thread changed the
// parameter; derived editors hand such changes over to the idle pass.
#pragma once

#include "gui/views/vstguieditorinterface.h"
#include "host/aeffeditor.h"

#include <cstdint>
#include <map>

class AEffGUIEditor : public AEffEditor, public VSTGUI::VSTGUIEditorInterface
{
public:
	// Attaches itself to the effect (which then owns it) and takes one
	// reference to the plug-in's bundle for the module's image lookups.
	explicit AEffGUIEditor(void* effect);
	~AEffGUIEditor() override;

	AudioEffect* getEffect() override { return effect; }
	// The rectangle the derived editor set, in device pixels (its size
	// times the scale factor); valid before the first open.
	bool getRect(ERect** rect) override;
	// Takes factors from 1 to 4; an open window is redrawn at the new
	// factor and the host is asked to resize it.
	bool setContentScaleFactor(float factor) override;
	double getRequestedScaleFactor() const override { return requestedScale; }
	// The open window's factor, else the host's request, else the desktop's.
	double getScaleFactor() const;
	bool open(void* ptr) override;
	void idle() override;
	bool onKeyDown(VstKeyCode& keyCode) override;
	bool onKeyUp(VstKeyCode& keyCode) override;
	bool onWheel(float distance) override;
	// The knob mode is shared by every editor of the module.
	bool setKnobMode(VstInt32 val) override;

	// A parameter of the effect changed; derived editors redisplay here.
	virtual void setParameter(VstInt32, float) {}
	// Draws the given area (or the whole frame for null) into a new context.
	virtual void draw(ERect* rect);

	void doIdleStuff() override;
	VSTGUI::int32 getKnobMode() const override;
	bool beforeSizeChange(const VSTGUI::CRect& newSize, const VSTGUI::CRect& oldSize) override;
	void beginEdit(VSTGUI::int32 index) override;
	void endEdit(VSTGUI::int32 index) override;

	// Milliseconds of a monotonic clock, wrapping as unsigned 32-bit.
	static std::uint32_t getTicks();
	// Services the platform's pending events for ms milliseconds.
	static void wait(std::uint32_t ms);

	// Tests replace the clock and the event loop to drive the idle pacing.
	using TickSource = std::uint32_t (*)();
	using EventLoopRunner = void (*)(std::uint32_t ms);
	static void setTickSource(TickSource source);
	static void setEventLoopRunner(EventLoopRunner runner);

protected:
	// Derived editors call this at the end of a successful open: the host
	// hears of a size that the window's factor changed, and the window is
	// drawn before the host's first idle.
	void finishOpen();
	// The factor the next open will draw at is known (the host asked for
	// it, or asked for the size): pictures for it are best decoded now, while
	// no window waits for them.
	virtual void prepareForScaleFactor(double) {}

	// In the editor's own units; getRect scales it.
	ERect rect{0, 0, 0, 0};
	std::uint32_t lastTicks = 0;
	bool inIdle = false;
	// Open edits by parameter index; user-interface thread only.
	std::map<VSTGUI::int32, int> editDepth;
	static VstInt32 knobMode;

private:
	ERect scaledRect(double factor) const;
	bool requestHostSize(double width, double height);

	double requestedScale = 0.;
	double preparedScale = 1.;
	// What getRect last answered: the host sized its window by it.
	ERect reportedRect{0, 0, 0, 0};
	bool sizeReported = false;
};
