// What the GUI tests' stand-ins record: one log of calls in the order they
// came, and a count of live stand-in objects for the reference audits. Used
// on the test's thread only.
#pragma once

#include <string>
#include <vector>

namespace VSTGUI::test
{

// Every recorded call, in order, in the words of the stand-in that recorded
// it (mostly "who:what").
std::vector<std::string>& eventLog();
void clearLog();

// Objects of the LiveCounted classes that are alive now.
int& liveObjects();

// A base that keeps liveObjects() up to date.
struct LiveCounted
{
	LiveCounted() { ++liveObjects(); }
	LiveCounted(const LiveCounted&) { ++liveObjects(); }
	~LiveCounted() { --liveObjects(); }
	LiveCounted& operator=(const LiveCounted&) = default;
};

} // namespace VSTGUI::test
