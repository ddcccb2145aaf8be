// The plug-in's bundle folder and the resources in it.
//
// A plug-in is installed as a folder of this shape:
//     Corvane.vst/Contents/x86_64-linux/Corvane.so
//     Corvane.vst/Contents/Resources/<images>
// The bundle is found from the path of the loaded module, and every bitmap
// loaded by name or number looks for its file in <bundle>/Contents/Resources.
//
// Threads: user-interface thread only, like every toolkit object.
#pragma once

#include "gui/base/cbaseobject.h"

#include <cstddef>
#include <string>

namespace VSTGUI
{

class PluginBundle : public CBaseObject
{
public:
	// bundlePath: the bundle folder, without a trailing "/".
	explicit PluginBundle(const std::string& bundlePath);
	~PluginBundle() override;

	const std::string& getPath() const { return path; }
	const std::string& getResourcesPath() const { return resourcesPath; }

	// The path of the regular file <resources>/<name>, or <resources>/<name>.<type>
	// when type is not null, if that file exists; empty otherwise. Names are
	// flat file names: an empty name or one containing "/" finds nothing, so a
	// name can never reach outside the resources folder.
	std::string findResource(const char* name, const char* type) const;

private:
	std::string path;
	std::string resourcesPath;
};

// The bundle folder of a module: the module path with its last three
// components removed (file, architecture folder, "Contents"). When a "/" is
// missing at any of the three steps, prints "Could not determine bundle
// location.\n" to standard output and returns false.
bool bundlePathFromModulePath(const char* modulePath, std::string& bundlePath);

// One counted reference, owned by the caller, to the bundle that contains
// the module at modulePath; while that bundle object lives, further calls
// for the same folder return the same object. Null (after the message above)
// when the path has too few components. GetPluginBundle uses it with the
// module's own path; tests use it to point the resource lookup at a bundle
// folder of their own (assign the result to gBundleRef).
PluginBundle* getBundleForModulePath(const char* modulePath);

// One counted reference, owned by the caller, to the bundle that contains
// this module, found through the dynamic loader; null when the loader knows
// no file for the module or the path has too few components.
PluginBundle* GetPluginBundle();

// The module-wide bundle in which bitmaps look for their files; set by the
// editor base from GetPluginBundle (it holds that reference and releases it
// with forget). Without it only the built-in resources below are found.
extern PluginBundle* gBundleRef;

// Resource files built into the module, for a module that users copied out
// of its bundle (hosts scan for bare .so files). The table is not copied: it
// must live as long as the module; installed by the module at start.
struct BuiltInResource
{
	const char* name;
	const unsigned char* data;
	std::size_t size;
};
void setBuiltInResources(const BuiltInResource* resources, std::size_t count);

// The path of the resource file name: the bundle's own file when there is
// one, else a file holding the built-in resource of that name (created once
// per process, in memory), else empty. Names follow findResource's rules.
std::string findResourceFile(const char* name);

} // namespace VSTGUI
