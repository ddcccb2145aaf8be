// What Corvane's editor sees of the plug-in inside an LV2 UI. The editor
// talks to an effect (it reads and sets the parameter, brackets gestures,
// asks for a new window size); an LV2 UI has no effect, only the port
// events the host sends and the write function. This effect stands in for
// the plug-in on the UI side: it keeps the distance the host last reported
// and turns the editor's calls into LV2 UI calls, so that the one editor
// class serves both formats unchanged. It never processes audio.
//
// Ownership: owns its editor once one is attached (AudioEffect's rule).
// Threads: the UI thread only, as LV2 calls every UI function there.
#pragma once

#include "host/audioeffectx.h"

#include <lv2/ui/ui.h>

namespace corvane::lv2
{

struct UiHost
{
	LV2UI_Write_Function write = nullptr;
	LV2UI_Controller controller = nullptr;
	const LV2UI_Resize* resize = nullptr; // null: the host cannot be asked
	const LV2UI_Touch* touch = nullptr;   // null: gestures are not told
};

class Lv2UiController : public AudioEffectX
{
public:
	explicit Lv2UiController(const UiHost& host);

	// The host's port_event: only float values of the distance port count.
	void portEvent(std::uint32_t port, std::uint32_t size, std::uint32_t format, const void* buffer);

	void processReplacing(float**, float**, VstInt32) override {}
	// Normalised, as the editor works; NaN is ignored, the rest limited to
	// 0 to 1. Tells the editor.
	void setParameter(VstInt32 index, float value) override;
	float getParameter(VstInt32 index) override;
	// From the editor: also writes the distance in metres to the plug-in.
	void setParameterAutomated(VstInt32 index, float value) override;
	bool beginEdit(VstInt32 index) override;
	bool endEdit(VstInt32 index) override;
	// "sizeWindow" only, and only with the resize feature.
	bool canHostDo(char* text) override;
	bool sizeWindow(VstInt32 width, VstInt32 height) override;

private:
	UiHost host;
	float distance = 0.f;
};

} // namespace corvane::lv2
