#include "lv2/lv2uicontroller.h"

#include "editor/aeffguieditor.h"
#include "effect/corvane.h"
#include "effect/distance.h"
#include "lv2/lv2ports.h"

#include <cmath>
#include <cstring>

namespace corvane::lv2
{

Lv2UiController::Lv2UiController(const UiHost& host) : AudioEffectX(nullptr, 0, Corvane::kNumParams), host(host) {}

void Lv2UiController::portEvent(std::uint32_t port, std::uint32_t size, std::uint32_t format, const void* buffer)
{
	if (port != kDistance || format != 0 || size != sizeof(float) || !buffer)
		return;
	float metres;
	std::memcpy(&metres, buffer, sizeof(metres));
	setParameter(Corvane::kDistance, valueOfMetres(metres));
}

void Lv2UiController::setParameter(VstInt32 index, float value)
{
	if (index != Corvane::kDistance || std::isnan(value))
		return;
	distance = value < 0.f ? 0.f : (value > 1.f ? 1.f : value);
	// Every editor attached here is the editor base's kind (the UI makes it).
	if (editor)
		static_cast<AEffGUIEditor*>(editor)->setParameter(index, distance);
}

float Lv2UiController::getParameter(VstInt32 index)
{
	return index == Corvane::kDistance ? distance : 0.f;
}

void Lv2UiController::setParameterAutomated(VstInt32 index, float value)
{
	setParameter(index, value);
	if (index != Corvane::kDistance || !host.write)
		return;
	float metres = metresOfValue(distance);
	host.write(host.controller, kDistance, sizeof(metres), 0, &metres);
}

bool Lv2UiController::beginEdit(VstInt32 index)
{
	if (index != Corvane::kDistance || !host.touch)
		return false;
	host.touch->touch(host.touch->handle, kDistance, true);
	return true;
}

bool Lv2UiController::endEdit(VstInt32 index)
{
	if (index != Corvane::kDistance || !host.touch)
		return false;
	host.touch->touch(host.touch->handle, kDistance, false);
	return true;
}

bool Lv2UiController::canHostDo(char* text)
{
	return host.resize && text && std::strcmp(text, HostCanDos::canDoSizeWindow) == 0;
}

bool Lv2UiController::sizeWindow(VstInt32 width, VstInt32 height)
{
	return host.resize && host.resize->ui_resize(host.resize->handle, width, height) == 0;
}

} // namespace corvane::lv2
