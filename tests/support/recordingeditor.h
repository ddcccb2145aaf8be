// An editor that writes the edit bracket (and, where the suite asks for it,
// idle calls and size changes) into the event log.
#pragma once

#include "gui/views/vstguieditorinterface.h"

#include <string>

namespace VSTGUI::test
{

class RecordingEditor : public VSTGUIEditorInterface
{
public:
	struct Options
	{
		// What getKnobMode answers.
		int32 knobMode{0};
		// Entries of the edit bracket, each followed by the parameter index.
		std::string beginEntry{"editor:beginEdit "};
		std::string endEntry{"editor:endEdit "};
		// Also "editor:idle" and "editor:beforeSizeChange".
		bool recordsIdleAndSize{false};
	};

	RecordingEditor() = default;
	explicit RecordingEditor(Options options) : knobMode(options.knobMode), options(std::move(options)) {}

	void doIdleStuff() override;
	int32 getKnobMode() const override { return knobMode; }
	void beginEdit(int32 index) override;
	void endEdit(int32 index) override;
	bool beforeSizeChange(const CRect& newSize, const CRect& oldSize) override;

	int32 knobMode{0};
	// What beforeSizeChange answers.
	bool allowResize{true};

private:
	Options options;
};

} // namespace VSTGUI::test
