// A plug-in whose editor reports no size until it is open, then asks the
// host for a larger one, wider than the test's 1024-pixel screen, and draws
// itself in steps: one more of kBands green bands at every idle, on a dark
// background. A picture taken too early shows dark bands.
#include "host/aeffectx.h"

#include <xcb/xcb.h>

#include <cstdint>

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace
{

constexpr int kOpenWidth = 1000, kOpenHeight = 200;
constexpr int kWidth = 1200, kHeight = 300;
constexpr int kBands = 12;

struct Editor
{
	xcb_connection_t* connection = nullptr;
	xcb_window_t window = 0;
	xcb_gcontext_t green = 0;
	int drawn = 0;
	bool resized = false;
	ERect rect{};
	audioMasterCallback host = nullptr;
};

Editor gEditor;

void open(AEffect* effect, void* parent)
{
	Editor& e = gEditor;
	e.connection = xcb_connect(nullptr, nullptr);
	if (xcb_connection_has_error(e.connection))
		return;
	xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(e.connection)).data;
	e.window = xcb_generate_id(e.connection);
	std::uint32_t background = 0x202020;
	xcb_create_window(e.connection, XCB_COPY_FROM_PARENT, e.window,
	                  static_cast<xcb_window_t>(reinterpret_cast<std::uintptr_t>(parent)), 0, 0, kOpenWidth,
	                  kOpenHeight, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL,
	                  &background);
	e.green = xcb_generate_id(e.connection);
	std::uint32_t foreground = 0x00c000;
	xcb_create_gc(e.connection, e.green, e.window, XCB_GC_FOREGROUND, &foreground);
	xcb_map_window(e.connection, e.window);
	xcb_flush(e.connection);
	e.rect = {0, 0, kOpenHeight, kOpenWidth};
	(void)effect;
}

void idle(AEffect* effect)
{
	Editor& e = gEditor;
	if (!e.window)
		return;
	if (!e.resized)
	{
		e.resized = true;
		std::uint32_t size[] = {kWidth, kHeight};
		xcb_configure_window(e.connection, e.window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
		e.rect = {0, 0, kHeight, kWidth};
		e.host(effect, audioMasterSizeWindow, kWidth, kHeight, nullptr, 0.f);
	}
	else if (e.drawn < kBands)
		e.drawn++;
	xcb_rectangle_t bands[kBands];
	for (int i = 0; i < e.drawn; i++)
		bands[i] = {static_cast<std::int16_t>(i * kWidth / kBands), 0, kWidth / kBands, kHeight};
	xcb_poly_fill_rectangle(e.connection, e.window, e.green, static_cast<std::uint32_t>(e.drawn), bands);
	xcb_flush(e.connection);
}

void close()
{
	Editor& e = gEditor;
	if (e.connection)
		xcb_disconnect(e.connection);
	audioMasterCallback host = e.host;
	e = Editor{};
	e.host = host;
}

VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float)
{
	switch (opcode)
	{
		case effEditGetRect:
			if (!gEditor.window)
				return 0;
			*static_cast<ERect**>(ptr) = &gEditor.rect;
			return 1;
		case effEditOpen: open(effect, ptr); return 1;
		case effEditIdle: idle(effect); return 0;
		case effEditClose: close(); return 0;
		case effClose: delete effect; return 1;
	}
	return 0;
}

void setParameter(AEffect*, VstInt32, float) {}

float getParameter(AEffect*, VstInt32)
{
	return 0.f;
}

void processReplacing(AEffect*, float**, float**, VstInt32) {}

} // namespace

EXPORT AEffect* VSTPluginMain(audioMasterCallback host)
{
	gEditor.host = host;
	auto* e = new AEffect{};
	e->magic = kEffectMagic;
	e->dispatcher = dispatch;
	e->setParameter = setParameter;
	e->getParameter = getParameter;
	e->processReplacing = processReplacing;
	e->numInputs = 2;
	e->numOutputs = 2;
	e->flags = effFlagsCanReplacing | effFlagsHasEditor;
	return e;
}
