// Drawing without a window, and writing pictures to PNG files: for tools
// that make images (the editor's pictures, snapshots, galleries).
// User-interface thread only, like every toolkit object.
#pragma once

#include <string>

namespace VSTGUI
{

class CBitmap;
class COffscreenContext;

// A new offscreen context (count 1, owned by the caller) over transparent
// pixels of the given size times scaleFactor (1 to 4), drawn in the given
// size's units; null when the size or the factor is not drawable.
COffscreenContext* createImageContext(double width, double height, double scaleFactor = 1.);

// Writes the bitmap's pixels as a PNG file; false (and no file left behind)
// when the bitmap has no pixels or the file cannot be written.
bool savePNG(CBitmap* bitmap, const std::string& path);

} // namespace VSTGUI
