// A plug-in whose editor takes the host's scale factor, as HiDPI-aware
// plug-ins do: kWidth x kHeight at factor 1, that times the factor once
// asked, filled with one blue. It writes each request it receives as a
// line into the file that FAKE_SCALE_RECORD names ("scale 1.5"), marked
// "late" when the editor had already been sized or opened by then.
#include "host/aeffectx.h"

#include <xcb/xcb.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace
{

constexpr int kWidth = 160, kHeight = 100;
constexpr VstInt32 kScaleIndex = fourCharConstant('P', 'r', 'e', 'S');
constexpr VstIntPtr kScaleValue = fourCharConstant('A', 'e', 'C', 's');

struct Editor
{
	float scale = 1.f;
	bool sized = false; // the host has asked for the size
	ERect rect{};
	xcb_connection_t* connection = nullptr;
	xcb_window_t window = 0;
	xcb_gcontext_t blue = 0;
};

Editor gEditor;

void record(float factor)
{
	const char* path = std::getenv("FAKE_SCALE_RECORD");
	if (!path)
		return;
	if (std::FILE* file = std::fopen(path, "a"))
	{
		std::fprintf(file, "scale %g%s\n", static_cast<double>(factor), gEditor.sized ? " late" : "");
		std::fclose(file);
	}
}

ERect* size()
{
	gEditor.sized = true;
	gEditor.rect = {0, 0, static_cast<std::int16_t>(std::lround(kHeight * gEditor.scale)),
	                static_cast<std::int16_t>(std::lround(kWidth * gEditor.scale))};
	return &gEditor.rect;
}

void open(void* parent)
{
	Editor& e = gEditor;
	e.connection = xcb_connect(nullptr, nullptr);
	if (xcb_connection_has_error(e.connection))
		return;
	xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(e.connection)).data;
	ERect* rect = size();
	e.window = xcb_generate_id(e.connection);
	xcb_create_window(e.connection, XCB_COPY_FROM_PARENT, e.window,
	                  static_cast<xcb_window_t>(reinterpret_cast<std::uintptr_t>(parent)), 0, 0,
	                  static_cast<std::uint16_t>(rect->right), static_cast<std::uint16_t>(rect->bottom), 0,
	                  XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
	e.blue = xcb_generate_id(e.connection);
	std::uint32_t foreground = 0x3060c0;
	xcb_create_gc(e.connection, e.blue, e.window, XCB_GC_FOREGROUND, &foreground);
	xcb_map_window(e.connection, e.window);
	xcb_flush(e.connection);
}

void idle()
{
	Editor& e = gEditor;
	if (!e.window)
		return;
	xcb_rectangle_t all{0, 0, static_cast<std::uint16_t>(e.rect.right), static_cast<std::uint16_t>(e.rect.bottom)};
	xcb_poly_fill_rectangle(e.connection, e.window, e.blue, 1, &all);
	xcb_flush(e.connection);
}

void close()
{
	if (gEditor.connection)
		xcb_disconnect(gEditor.connection);
	gEditor.connection = nullptr;
	gEditor.window = 0;
}

VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
	switch (opcode)
	{
		case effVendorSpecific:
			if (index != kScaleIndex || value != kScaleValue)
				return 0;
			record(opt);
			gEditor.scale = opt;
			return 1;
		case effEditGetRect: *static_cast<ERect**>(ptr) = size(); return 1;
		case effEditOpen: open(ptr); return 1;
		case effEditIdle: idle(); return 0;
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

EXPORT AEffect* VSTPluginMain(audioMasterCallback)
{
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
