#include "tools/corvane-host/infoprinter.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <iomanip>
#include <vector>

namespace corvane::cli
{

namespace
{

constexpr int kLabelWidth = 16;
// effGetProgramNameIndexed takes a category in value; -1 asks for any.
constexpr VstIntPtr kAnyCategory = -1;

// Flushed field by field: when the plug-in crashes on a later question,
// what was learnt before it has been printed.
void field(std::ostream& out, const char* label, const std::string& value)
{
	out << std::left << std::setw(kLabelWidth) << label << value << '\n' << std::flush;
}

std::string hex(VstInt32 value)
{
	char text[16];
	std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
	return text;
}

std::string joined(const std::vector<std::string>& words)
{
	std::string text;
	for (const std::string& word : words)
		text += (text.empty() ? "" : " ") + word;
	return text.empty() ? "(none)" : text;
}

void printIdentity(std::ostream& out, HostedPlugin& plugin, const std::string& path)
{
	const AEffect& effect = *plugin.effect();
	field(out, "Plug-in", path);
	field(out, "Effect name", plugin.getString(effGetEffectName));
	field(out, "Product", plugin.getString(effGetProductString));
	field(out, "Vendor", plugin.getString(effGetVendorString));
	field(out, "Vendor version", std::to_string(plugin.dispatch(effGetVendorVersion)));
	field(out, "Unique id", "'" + fourCharString(effect.uniqueID) + "' (" + hex(effect.uniqueID) + ")");
	VstIntPtr category = plugin.dispatch(effGetPlugCategory);
	field(out, "Category", categoryName(category) + " (" + std::to_string(category) + ")");
	field(out, "VST version", std::to_string(plugin.dispatch(effGetVstVersion)));
	field(out, "Effect version", std::to_string(effect.version));
}

void printShape(std::ostream& out, HostedPlugin& plugin)
{
	const AEffect& effect = *plugin.effect();
	field(out, "Inputs", std::to_string(effect.numInputs));
	field(out, "Outputs", std::to_string(effect.numOutputs));
	field(out, "Flags", joined(effectFlagNames(effect.flags)) + " (" + hex(effect.flags) + ")");
}

// One block of silence, as a host's first call after switching on.
void processSilence(HostedPlugin& plugin)
{
	const AEffect& effect = *plugin.effect();
	if (!effect.processReplacing)
		return;
	constexpr VstInt32 kFrames = 512;
	std::vector<std::vector<float>> inputs(static_cast<std::size_t>(std::max(effect.numInputs, 0)),
	                                       std::vector<float>(kFrames));
	std::vector<std::vector<float>> outputs(static_cast<std::size_t>(std::max(effect.numOutputs, 0)),
	                                        std::vector<float>(kFrames));
	std::vector<float*> in, out;
	for (auto& channel : inputs)
		in.push_back(channel.data());
	for (auto& channel : outputs)
		out.push_back(channel.data());
	plugin.dispatch(effStartProcess);
	plugin.processReplacing(in.data(), out.data(), kFrames);
	plugin.dispatch(effStopProcess);
}

// Many plug-ins know their delay only once switched on (a look-ahead sized
// for the sample rate), some only after their first block, so it is read
// before and after both.
void printTiming(std::ostream& out, HostedPlugin& plugin)
{
	VstInt32 before = plugin.effect()->initialDelay;
	plugin.dispatch(effSetSampleRate, 0, 0, nullptr, 44100.f);
	plugin.dispatch(effSetBlockSize, 0, 512);
	plugin.dispatch(effMainsChanged, 0, 1);
	processSilence(plugin);
	VstInt32 on = plugin.effect()->initialDelay;
	VstIntPtr tail = plugin.dispatch(effGetTailSize);
	plugin.dispatch(effMainsChanged, 0, 0);
	std::string delay = std::to_string(on) + " samples at 44100 Hz";
	if (before != on)
		delay += " (" + std::to_string(before) + " before it is switched on)";
	field(out, "Initial delay", delay);
	// 0 means "not said", 1 "no tail".
	field(out, "Tail", tail > 1 ? std::to_string(tail) + " samples" : tail == 1 ? "none" : "not reported");
}

// Some plug-ins know their editor's size only once it is open; that is not
// an error, so it is said as such.
void printEditor(std::ostream& out, HostedPlugin& plugin, bool askEditor)
{
	if (!plugin.hasFlag(effFlagsHasEditor))
	{
		field(out, "Editor", "none");
		return;
	}
	// Toolkits that connect to the display when asked for their size crash
	// without one; the question is not worth it.
	if (!askEditor)
	{
		field(out, "Editor", "yes (size not asked: no X display)");
		return;
	}
	ERect* rect = nullptr;
	plugin.dispatch(effEditGetRect, 0, 0, &rect);
	if (!rect)
		field(out, "Editor", "yes (size not reported before it opens)");
	else
	{
		int width = rect->right - rect->left, height = rect->bottom - rect->top;
		field(out, "Editor",
		      std::to_string(width) + " x " + std::to_string(height) + " (top " + std::to_string(rect->top) +
		          ", left " + std::to_string(rect->left) + ")");
	}
	// Asked after the size, so that the size shown is the plug-in's own
	// choice. This instance ends with info: the factor only draws the answer.
	field(out, "Editor scaling",
	      plugin.setEditorScale(1.f) ? "yes (confirms a scale factor from the host)"
	                                 : "not confirmed (some plug-ins take a scale factor all the same)");
}

struct ParameterRow
{
	std::string index, name, label, display, value;
};

ParameterRow parameterRow(HostedPlugin& plugin, VstInt32 index)
{
	char value[32];
	std::snprintf(value, sizeof value, "%.6f", static_cast<double>(plugin.getParameter(index)));
	return {std::to_string(index), plugin.getString(effGetParamName, index), plugin.getString(effGetParamLabel, index),
	        plugin.getString(effGetParamDisplay, index), value};
}

void printTable(std::ostream& out, const std::vector<ParameterRow>& rows)
{
	std::array<std::size_t, 5> width{};
	auto columns = [](const ParameterRow& r) {
		return std::array<const std::string*, 5>{&r.index, &r.name, &r.label, &r.display, &r.value};
	};
	for (const ParameterRow& row : rows)
		for (std::size_t c = 0; c < width.size(); c++)
			width[c] = std::max(width[c], columns(row)[c]->size());
	for (const ParameterRow& row : rows)
	{
		out << "  " << std::right << std::setw(static_cast<int>(width[0])) << row.index;
		for (std::size_t c = 1; c + 1 < width.size(); c++)
			out << "  " << std::left << std::setw(static_cast<int>(width[c])) << *columns(row)[c];
		out << "  " << row.value << '\n'; // unpadded: no trailing blanks
	}
}

void printParameters(std::ostream& out, HostedPlugin& plugin)
{
	VstInt32 count = plugin.effect()->numParams;
	out << "\nParameters (" << count << ")\n";
	std::vector<ParameterRow> rows{{"#", "Name", "Label", "Display", "Value"}};
	for (VstInt32 i = 0; i < count; i++)
		rows.push_back(parameterRow(plugin, i));
	if (count > 0)
		printTable(out, rows);
}

// Answers false when the plug-in does not know the request.
bool indexedProgramName(HostedPlugin& plugin, VstInt32 index, std::string& name)
{
	std::array<char, 512> text{};
	VstIntPtr answer = plugin.dispatch(effGetProgramNameIndexed, index, kAnyCategory, text.data());
	text.back() = 0;
	name = text.data();
	return answer != 0;
}

std::vector<std::string> programNamesBySwitching(HostedPlugin& plugin, VstInt32 count)
{
	VstIntPtr current = plugin.dispatch(effGetProgram);
	std::vector<std::string> names;
	for (VstInt32 i = 0; i < count; i++)
	{
		plugin.dispatch(effSetProgram, 0, i);
		names.push_back(plugin.getString(effGetProgramName));
	}
	plugin.dispatch(effSetProgram, 0, current);
	return names;
}

std::vector<std::string> programNames(HostedPlugin& plugin, VstInt32 count)
{
	std::vector<std::string> names(static_cast<std::size_t>(count));
	for (VstInt32 i = 0; i < count; i++)
		if (!indexedProgramName(plugin, i, names[static_cast<std::size_t>(i)]))
			return programNamesBySwitching(plugin, count);
	return names;
}

// The current program is asked for after the names: a plug-in whose names
// came by switching programs shows here whether it was switched back.
void printPrograms(std::ostream& out, HostedPlugin& plugin)
{
	VstInt32 count = plugin.effect()->numPrograms;
	out << "\nPrograms (" << count << ")\n";
	auto width = static_cast<int>(std::to_string(std::max(count - 1, 0)).size());
	std::vector<std::string> names = programNames(plugin, count);
	VstIntPtr current = plugin.dispatch(effGetProgram);
	for (std::size_t i = 0; i < names.size(); i++)
	{
		out << "  " << std::right << std::setw(width) << i << "  " << names[i];
		out << (static_cast<VstIntPtr>(i) == current ? "  (current)\n" : "\n");
	}
}

} // namespace

void printInfo(std::ostream& out, HostedPlugin& plugin, const std::string& path, bool askEditor)
{
	printIdentity(out, plugin, path);
	printShape(out, plugin);
	printTiming(out, plugin);
	printEditor(out, plugin, askEditor);
	printParameters(out, plugin);
	printPrograms(out, plugin);
}

} // namespace corvane::cli
