// Stand-ins for the text edit and option menu tests: the recording platform
// frame with its fake text fields and pop-up menus, a frame on it, a
// container that logs the messages it hears, and a drawing context that
// draws nothing.
#pragma once

#include "gui/controls/coptionmenu.h"
#include "gui/controls/ctextedit.h"
#include "gui/drawing/cdrawcontext.h"
#include "gui/views/cframe.h"
#include "tests/support/eventlog.h"
#include "tests/support/nulldrawcontext.h"
#include "tests/support/recordingeditor.h"
#include "tests/support/recordinglistener.h"
#include "tests/support/recordingplatformframe.h"
#include "tests/support/vstkeys.h"

#include <functional>
#include <string>
#include <vector>

namespace VSTGUI::menutest
{

using test::clearLog;
using test::eventLog;
using test::FakeOptionMenu;
using test::FakeTextEdit;
using test::liveObjects;
using test::RecordingEditor;
using test::RecordingListener;
using test::RecordingPlatformFrame;
using test::virtualKey;

// A recording platform frame as the suite's tests want it: 200 by 200, the
// mouse outside, text fields and pop-up menus made on request.
RecordingPlatformFrame* newPlatformFrame();

// A frame on a recording platform frame (or on none), which it takes over;
// the test ends it with close().
class TestFrame : public CFrame
{
public:
	TestFrame(const CRect& size, RecordingPlatformFrame* platform, VSTGUIEditorInterface* editor = nullptr);
};

// Records the messages it receives and answers them as handled when asked
// to, so that the walk up the ancestors can be seen.
class LoggingContainer : public CViewContainer
{
public:
	LoggingContainer(const char* name, const CRect& size, bool handles)
	: CViewContainer(size), name(name), handles(handles)
	{
	}
	MessageResult notify(CBaseObject* sender, const char* message) override;

	std::string name;
	bool handles;
};

// Draws nothing; the controls' own drawing hooks are what the tests watch.
class NullContext : public test::NullDrawContext
{
public:
	NullContext() : NullDrawContext(CRect(0, 0, 200, 200)) {}
};

} // namespace VSTGUI::menutest
