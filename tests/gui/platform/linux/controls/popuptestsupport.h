// The pop-up tests' helpers: finding the pop-up's windows from the test's
// own X client, and a script of input steps that a timer plays from inside
// the pop-up's modal loop (the loop runs inside the click that opened it, so
// input after the click must come from there).
#pragma once

#include "tests/support/x11testsupport.h"

#include "gui/base/cvstguitimer.h"
#include "gui/controls/ccontrollistener.h"

#include <functional>
#include <vector>
#include <xcb/xcb.h>

namespace corvane::test
{

// Mapped override-redirect children of the root window, bottom to top.
std::vector<xcb_window_t> mappedPopups(TestClient& client);
// A window's rectangle relative to its parent (the root for a pop-up).
CRect geometryOf(TestClient& client, xcb_window_t window);

// Plays steps in order, one per timer tick once the step's condition holds.
// A script that stalls for too long gives up: it presses Escape and clicks
// far outside, so that a broken pop-up still ends and the test can fail.
class InputScript : public CBaseObject
{
public:
	using Condition = std::function<bool()>;
	using Action = std::function<void()>;

	InputScript();
	~InputScript() override;
	InputScript(const InputScript&) = delete;
	InputScript& operator=(const InputScript&) = delete;

	// Runs action at the first tick at which ready() holds.
	InputScript& then(const Condition& ready, const Action& action);
	InputScript& then(const Action& action)
	{
		return then([] { return true; }, action);
	}
	void start();

	MessageResult notify(CBaseObject* sender, const char* message) override;

	bool finished() const { return next == steps.size(); }
	bool gaveUp() const { return stalled; }
	TestClient* client{nullptr};

private:
	struct Step
	{
		Condition ready;
		Action action;
	};
	std::vector<Step> steps;
	size_t next{0};
	int ticksWaiting{0};
	bool stalled{false};
	CVSTGUITimer* timer{nullptr};
};

class CountingListener : public CControlListener
{
public:
	void valueChanged(CControl* control) override
	{
		++changes;
		last = control;
	}
	int changes{0};
	CControl* last{nullptr};
};

} // namespace corvane::test
