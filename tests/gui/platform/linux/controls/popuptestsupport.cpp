#include "popuptestsupport.h"

#include <cstdlib>
#include <xkbcommon/xkbcommon-keysyms.h>

namespace corvane::test
{

namespace
{

constexpr int32 kTickMs = 10;
// 4 s of ticks without progress.
constexpr int kStallTicks = 400;

} // namespace

std::vector<xcb_window_t> mappedPopups(TestClient& client)
{
	return client.overrideRedirectWindows();
}

CRect geometryOf(TestClient& client, xcb_window_t window)
{
	auto* reply = xcb_get_geometry_reply(client.get(), xcb_get_geometry(client.get(), window), nullptr);
	if (reply == nullptr)
		return {};
	CRect r(reply->x, reply->y, reply->x + reply->width, reply->y + reply->height);
	std::free(reply);
	return r;
}

InputScript::InputScript()
{
	timer = new CVSTGUITimer(this, kTickMs);
}

InputScript::~InputScript()
{
	timer->stop();
	timer->forget();
}

InputScript& InputScript::then(const Condition& ready, const Action& action)
{
	steps.push_back({ready, action});
	return *this;
}

void InputScript::start()
{
	timer->start();
}

MessageResult InputScript::notify(CBaseObject*, const char* message)
{
	if (message != CVSTGUITimer::kMsgTimer)
		return kMessageIgnored;
	if (finished())
	{
		timer->stop();
		return kMessageHandled;
	}
	if (steps[next].ready())
	{
		ticksWaiting = 0;
		// The action may pump the loop; the step counts as done first.
		Action action = steps[next++].action;
		action();
	}
	else if (++ticksWaiting > kStallTicks)
	{
		stalled = true;
		next = steps.size();
		if (client)
		{
			client->tapKey(client->keycodeOf(XKB_KEY_Escape));
			client->movePointer(1000, 760);
			client->click(1);
		}
	}
	return kMessageHandled;
}

} // namespace corvane::test
