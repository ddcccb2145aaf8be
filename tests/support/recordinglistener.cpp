#include "tests/support/recordinglistener.h"

#include "gui/controls/ccontrol.h"
#include "tests/support/eventlog.h"

#include <cstdio>
#include <sstream>

namespace VSTGUI::test
{

namespace
{

std::function<std::string(CControl*)> named(const std::string& who)
{
	return [who](CControl*) { return who; };
}

std::string sixDecimals(float value)
{
	return std::to_string(value);
}

} // namespace

RecordingListener::Format RecordingListener::byTag()
{
	return {[](CControl* control) { return "control" + std::to_string(control->getTag()) + ":"; }, sixDecimals, true};
}

RecordingListener::Format RecordingListener::twoDecimals()
{
	return {named("listener:"),
	        [](float value)
	        {
		        char text[32];
		        std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
		        return std::string(text);
	        },
	        false};
}

RecordingListener::Format RecordingListener::shortest()
{
	return {named("listener:"),
	        [](float value)
	        {
		        std::ostringstream text;
		        text << value;
		        return text.str();
	        },
	        false};
}

RecordingListener::Format RecordingListener::bare()
{
	return {named(""), sixDecimals, false};
}

void RecordingListener::record(CControl* control, const std::string& what) const
{
	eventLog().push_back(format.who(control) + what);
}

std::string RecordingListener::valueEntry(CControl* control, float value) const
{
	return format.who(control) + "valueChanged " + format.value(value);
}

void RecordingListener::valueChanged(CControl* control)
{
	eventLog().push_back(valueEntry(control, control->getValue()));
}

int32 RecordingListener::controlModifierClicked(CControl* control, CButtonState buttons)
{
	if (format.everyCall)
		record(control, "modifierClicked " + std::to_string(buttons()));
	return modifierClickAnswer;
}

void RecordingListener::controlBeginEdit(CControl* control)
{
	record(control, "beginEdit");
}

void RecordingListener::controlEndEdit(CControl* control)
{
	record(control, "endEdit");
}

void RecordingListener::controlTagWillChange(CControl* control)
{
	if (format.everyCall)
		record(control, "tagWillChange");
}

void RecordingListener::controlTagDidChange(CControl* control)
{
	if (format.everyCall)
		record(control, "tagDidChange");
}

} // namespace VSTGUI::test
