#include "tests/support/recordingeditor.h"

#include "tests/support/eventlog.h"

namespace VSTGUI::test
{

void RecordingEditor::doIdleStuff()
{
	if (options.recordsIdleAndSize)
		eventLog().push_back("editor:idle");
}

void RecordingEditor::beginEdit(int32 index)
{
	eventLog().push_back(options.beginEntry + std::to_string(index));
}

void RecordingEditor::endEdit(int32 index)
{
	eventLog().push_back(options.endEntry + std::to_string(index));
}

bool RecordingEditor::beforeSizeChange(const CRect&, const CRect&)
{
	if (options.recordsIdleAndSize)
		eventLog().push_back("editor:beforeSizeChange");
	return allowResize;
}

} // namespace VSTGUI::test
