// Order of the toolkit's load-time globals. The predefined colours are
// constant data and exist before any of these; then the predefined line
// styles, then the predefined fonts. Lower numbers are built first and
// destroyed last (GCC/Clang init_priority; 101..65535).
#pragma once

namespace VSTGUI
{

inline constexpr int kLoadOrderLineStyles = 60000;
inline constexpr int kLoadOrderFonts = 60001;

} // namespace VSTGUI
