// A control listener that writes what it is told into the event log. How an
// entry reads is chosen by the suite (one of the formats below), so that
// each suite's expected logs read the way its tests are written.
#pragma once

#include "gui/controls/ccontrollistener.h"

#include <functional>
#include <string>

namespace VSTGUI::test
{

class RecordingListener : public CControlListener
{
public:
	struct Format
	{
		// Who an entry names, including its separator ("listener:", or ""
		// for none).
		std::function<std::string(CControl*)> who;
		// How valueChanged writes the control's value.
		std::function<std::string(float)> value;
		// Modifier clicks and tag changes are recorded too; otherwise only
		// value changes and the edit bracket are.
		bool everyCall{false};
	};

	// "control<tag>:valueChanged 0.500000", every call.
	static Format byTag();
	// "listener:valueChanged 0.50".
	static Format twoDecimals();
	// "listener:valueChanged 0.5" (the shortest form that reads the value).
	static Format shortest();
	// "valueChanged 0.500000".
	static Format bare();

	explicit RecordingListener(Format format) : format(std::move(format)) {}

	void valueChanged(CControl* control) override;
	int32 controlModifierClicked(CControl* control, CButtonState buttons) override;
	void controlBeginEdit(CControl* control) override;
	void controlEndEdit(CControl* control) override;
	void controlTagWillChange(CControl* control) override;
	void controlTagDidChange(CControl* control) override;

	// The entry valueChanged writes for that control and value.
	std::string valueEntry(CControl* control, float value) const;

	// What controlModifierClicked answers.
	int32 modifierClickAnswer{0};

private:
	void record(CControl* control, const std::string& what) const;

	Format format;
};

} // namespace VSTGUI::test
