// Writes the LV2 bundle's description (manifest.ttl, corvane.ttl and
// presets.ttl) into the folder given, at build time. The names, the range,
// the default and the presets are read from the effect itself, so that the
// LV2 plug-in can never describe itself differently from the VST2 one.
//
// Usage: corvane-lv2-ttl BUNDLE_FOLDER VERSION (VERSION as "1.0.0")
#include "effect/corvane.h"
#include "effect/distance.h"
#include "lv2/lv2ports.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace
{

using namespace corvane::lv2;

constexpr const char* kProjectUri = "https://halvenor.example/lv2/corvane#project";

constexpr const char* kPrefixes = "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
                                  "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
                                  "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
                                  "@prefix opts: <http://lv2plug.in/ns/ext/options#> .\n"
                                  "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
                                  "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
                                  "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n"
                                  "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
                                  "@prefix urid: <http://lv2plug.in/ns/ext/urid#> .\n\n";

struct Preset
{
	std::string name;
	float metres;
};

struct Description
{
	std::string name;
	std::string vendor;
	std::string parameterName;
	float defaultMetres;
	std::vector<Preset> presets;
};

// The shortest text that reads back as the same float.
std::string number(float value)
{
	char text[32];
	auto [end, error] = std::to_chars(text, text + sizeof(text), value);
	std::string result(text, error == std::errc() ? end : text);
	if (result.find_first_of(".e") == std::string::npos)
		result += ".0";
	return result;
}

std::string uri(const char* text)
{
	return std::string("<") + text + ">";
}

std::string presetUri(std::size_t number)
{
	return uri((kPresetUriPrefix + std::to_string(number)).c_str());
}

Description describe()
{
	Corvane effect(nullptr);
	char text[256] = {};
	Description d;
	effect.getEffectName(text);
	d.name = text;
	effect.getVendorString(text);
	d.vendor = text;
	effect.getParameterName(Corvane::kDistance, text);
	d.parameterName = text;
	d.defaultMetres = metresOfValue(effect.getParameter(Corvane::kDistance));
	// The programs with names of their own are the presets; the rest are
	// the "Init" slots of VST2's bank.
	for (VstInt32 i = 0; i < Corvane::kNumPrograms; i++)
	{
		std::memset(text, 0, sizeof(text));
		if (!effect.getProgramNameIndexed(0, i, text) || std::strcmp(text, "Init") == 0)
			continue;
		effect.setProgram(i);
		d.presets.push_back({text, metresOfValue(effect.getParameter(Corvane::kDistance))});
	}
	return d;
}

std::string audioPort(Port index, const char* kind, const char* symbol, const char* name)
{
	std::ostringstream s;
	s << "[\n\t\ta lv2:AudioPort, lv2:" << kind << " ;\n\t\tlv2:index " << index << " ;\n\t\tlv2:symbol \"" << symbol
	  << "\" ;\n\t\tlv2:name \"" << name << "\"\n\t]";
	return s.str();
}

std::string manifest(const Description& d)
{
	std::ostringstream s;
	s << kPrefixes;
	s << uri(kPluginUri) << "\n\ta lv2:Plugin ;\n\tlv2:binary <" << kPluginBinary
	  << "> ;\n\trdfs:seeAlso <corvane.ttl> .\n\n";
	s << uri(kUiUri) << "\n\ta ui:X11UI ;\n\tui:binary <" << kUiBinary << "> ;\n\trdfs:seeAlso <corvane.ttl> .\n";
	for (std::size_t i = 0; i < d.presets.size(); i++)
		s << "\n"
		  << presetUri(i + 1) << "\n\ta pset:Preset ;\n\tlv2:appliesTo " << uri(kPluginUri)
		  << " ;\n\trdfs:seeAlso <presets.ttl> .\n";
	return s.str();
}

std::string plugin(const Description& d, int minor, int micro)
{
	std::ostringstream s;
	s << kPrefixes;
	// The vendor is the maintainer of the project, where hosts look for a
	// plug-in's author.
	s << uri(kProjectUri) << "\n\ta doap:Project ;\n\tdoap:name \"" << d.name
	  << "\" ;\n\tdoap:maintainer [\n\t\tfoaf:name \"" << d.vendor << "\"\n\t] .\n\n";
	s << uri(kPluginUri) << "\n\ta lv2:Plugin, lv2:FilterPlugin ;\n";
	s << "\tdoap:name \"" << d.name << "\" ;\n";
	s << "\tdoap:license <https://spdx.org/licenses/MIT> ;\n";
	s << "\tlv2:project " << uri(kProjectUri) << " ;\n";
	s << "\trdfs:comment \"Near-field compensation: the side signal through a first-order high-pass whose corner "
	     "follows the loudspeaker distance.\" ;\n";
	s << "\tlv2:minorVersion " << minor << " ;\n\tlv2:microVersion " << micro << " ;\n";
	s << "\tlv2:optionalFeature lv2:hardRTCapable ;\n";
	s << "\tui:ui " << uri(kUiUri) << " ;\n";
	s << "\tlv2:port " << audioPort(kInLeft, "InputPort", "in_l", "Left In") << " , "
	  << audioPort(kInRight, "InputPort", "in_r", "Right In") << " , "
	  << audioPort(kOutLeft, "OutputPort", "out_l", "Left Out") << " , "
	  << audioPort(kOutRight, "OutputPort", "out_r", "Right Out") << " , [\n";
	s << "\t\ta lv2:InputPort, lv2:ControlPort ;\n\t\tlv2:index " << kDistance
	  << " ;\n\t\tlv2:symbol \"distance\" ;\n\t\tlv2:name \"" << d.parameterName << "\" ;\n";
	s << "\t\tlv2:default " << number(d.defaultMetres) << " ;\n\t\tlv2:minimum " << number(metresOfValue(0.f))
	  << " ;\n\t\tlv2:maximum " << number(metresOfValue(1.f)) << " ;\n\t\tunits:unit units:m\n\t] , [\n";
	s << "\t\ta lv2:InputPort, lv2:ControlPort ;\n\t\tlv2:index " << kEnabled
	  << " ;\n\t\tlv2:symbol \"enabled\" ;\n\t\tlv2:name \"Enabled\" ;\n\t\tlv2:designation lv2:enabled ;\n"
	     "\t\tlv2:portProperty lv2:toggled, lv2:integer ;\n"
	     "\t\tlv2:default 1 ;\n\t\tlv2:minimum 0 ;\n\t\tlv2:maximum 1\n\t] .\n\n";
	// The editor has one size, set by its picture and the host's scale
	// factor; it says it through the resize feature and is idled by the host.
	s << uri(kUiUri) << "\n\ta ui:X11UI ;\n";
	s << "\tlv2:requiredFeature ui:parent ;\n";
	s << "\tlv2:optionalFeature ui:resize, ui:noUserResize, ui:touch, ui:idleInterface, opts:options, urid:map ;\n";
	s << "\topts:supportedOption ui:scaleFactor ;\n";
	s << "\tlv2:extensionData ui:idleInterface ;\n";
	s << "\tui:portNotification [\n\t\tui:plugin " << uri(kPluginUri)
	  << " ;\n\t\tlv2:symbol \"distance\" ;\n\t\tui:protocol ui:floatProtocol\n\t] .\n";
	return s.str();
}

std::string presets(const Description& d)
{
	std::ostringstream s;
	s << kPrefixes;
	for (std::size_t i = 0; i < d.presets.size(); i++)
		s << presetUri(i + 1) << "\n\ta pset:Preset ;\n\tlv2:appliesTo " << uri(kPluginUri) << " ;\n\trdfs:label \""
		  << d.presets[i].name << "\" ;\n\tlv2:port [\n\t\tlv2:symbol \"distance\" ;\n\t\tpset:value "
		  << number(d.presets[i].metres) << "\n\t] .\n"
		  << (i + 1 < d.presets.size() ? "\n" : "");
	return s.str();
}

bool write(const std::string& path, const std::string& text)
{
	std::ofstream file(path, std::ios::binary | std::ios::trunc);
	file << text;
	file.close();
	if (!file)
		std::fprintf(stderr, "corvane-lv2-ttl: cannot write %s\n", path.c_str());
	return static_cast<bool>(file);
}

} // namespace

int main(int argc, char** argv)
{
	int major = 0, minor = 0, micro = 0;
	if (argc != 3 || std::sscanf(argv[2], "%d.%d.%d", &major, &minor, &micro) != 3)
	{
		std::fprintf(stderr, "usage: corvane-lv2-ttl BUNDLE_FOLDER VERSION\n");
		return 2;
	}
	Description d = describe();
	std::string folder = argv[1];
	bool ok = write(folder + "/manifest.ttl", manifest(d));
	ok = write(folder + "/corvane.ttl", plugin(d, minor, micro)) && ok;
	ok = write(folder + "/presets.ttl", presets(d)) && ok;
	return ok ? 0 : 1;
}
