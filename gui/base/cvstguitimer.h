// A repeating timer on the module's run loop (gui/base/runloop.h): every
// tick sends kMsgTimer to the target.
//
// Ownership: the target is held without a reference; its owner must stop or
// release the timer before the target goes away. The timer may be stopped or
// released from inside its own tick. User-interface thread only.
#pragma once

#include "gui/base/cbaseobject.h"
#include "gui/base/runloop.h"

namespace VSTGUI
{

class CVSTGUITimer : public CBaseObject, private IRunLoopTimerCallback
{
public:
	// Text "timer fired"; compared by pointer identity.
	static const char* const kMsgTimer;

	// fireTime in milliseconds. The timer starts stopped.
	CVSTGUITimer(CBaseObject* target, int32 fireTime);
	~CVSTGUITimer() override;

	// true when running afterwards; false when the interval is negative.
	virtual bool start();
	// false when it was not running.
	virtual bool stop();
	// false when ms equals the current interval (nothing changes); otherwise
	// a running timer restarts with the new interval and answers start().
	virtual bool setFireTime(int32 ms);

	int32 getFireTime() const { return fireTime; }
	bool isRunning() const { return runLoopTimer != nullptr; }

	bool isTypeOf(const char* className) const override;
	CBaseObject* newCopy() const override { return nullptr; }

private:
	void onRunLoopTimer() override;

	int32 fireTime;
	CBaseObject* target;
	RunLoop::Timer* runLoopTimer{nullptr};
};

} // namespace VSTGUI
