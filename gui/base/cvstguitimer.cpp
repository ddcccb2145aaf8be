#include "gui/base/cvstguitimer.h"

#include <cstring>

namespace VSTGUI
{

const char* const CVSTGUITimer::kMsgTimer = "timer fired";

CVSTGUITimer::CVSTGUITimer(CBaseObject* target, int32 fireTime) : fireTime(fireTime), target(target) {}

CVSTGUITimer::~CVSTGUITimer()
{
	stop();
}

bool CVSTGUITimer::start()
{
	if (runLoopTimer)
		return true;
	if (fireTime < 0)
		return false;
	runLoopTimer = RunLoop::get().addTimer(this, static_cast<uint32_t>(fireTime));
	return runLoopTimer != nullptr;
}

bool CVSTGUITimer::stop()
{
	if (runLoopTimer == nullptr)
		return false;
	RunLoop::get().removeTimer(runLoopTimer);
	runLoopTimer = nullptr;
	return true;
}

bool CVSTGUITimer::setFireTime(int32 ms)
{
	if (ms == fireTime)
		return false;
	bool wasRunning = stop();
	fireTime = ms;
	return wasRunning ? start() : true;
}

void CVSTGUITimer::onRunLoopTimer()
{
	if (target == nullptr)
		return;
	// The target may release this timer from inside the tick; our own
	// reference keeps it alive until the call has returned.
	CBaseObjectGuard self(this);
	target->notify(this, kMsgTimer);
}

bool CVSTGUITimer::isTypeOf(const char* className) const
{
	return std::strcmp(className, "CVSTGUITimer") == 0 || CBaseObject::isTypeOf(className);
}

} // namespace VSTGUI
