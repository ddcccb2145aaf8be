#include "menutestsupport.h"

#include "gui/base/messageids.h"

#include "tests/support/testplatform.h"

namespace
{

// The tests never open a native window: their frames get a fake platform
// frame directly.
[[maybe_unused]] const bool kPlatformInstalled =
    VSTGUI::test::installLinuxPlatformWith(nullptr, [] { return VSTGUI::uint32{0}; });

} // namespace

namespace VSTGUI::menutest
{

RecordingPlatformFrame* newPlatformFrame()
{
	auto* platform = new RecordingPlatformFrame(CRect(0, 0, 200, 200));
	platform->mousePosition = CPoint(-1, -1);
	platform->canMakeTextEdits = true;
	platform->canMakeMenus = true;
	return platform;
}

TestFrame::TestFrame(const CRect& size, RecordingPlatformFrame* platform, VSTGUIEditorInterface* editor)
: CFrame(size, nullptr, editor)
{
	platformFrame = platform;
}

MessageResult LoggingContainer::notify(CBaseObject* sender, const char* message)
{
	if (message != kMsgLooseFocus)
		return CViewContainer::notify(sender, message);
	eventLog().push_back(name + " heard LooseFocus");
	return handles ? kMessageHandled : kMessageIgnored;
}

} // namespace VSTGUI::menutest
