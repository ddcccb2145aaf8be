#include "tests/support/eventlog.h"

namespace VSTGUI::test
{

std::vector<std::string>& eventLog()
{
	static std::vector<std::string> entries;
	return entries;
}

void clearLog()
{
	eventLog().clear();
}

int& liveObjects()
{
	static int count = 0;
	return count;
}

} // namespace VSTGUI::test
