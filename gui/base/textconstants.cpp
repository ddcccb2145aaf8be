#include "gui/base/textconstants.h"

namespace VSTGUI
{

const char* const kDegreeSymbol = "\xC2\xB0";
const char* const kInfiniteSymbol = "\xE2\x88\x9E";
const char* const kCopyrightSymbol = "\xC2\xA9";
const char* const kTrademarkSymbol = "\xE2\x84\xA2";
const char* const kRegisteredSymbol = "\xC2\xAE";
const char* const kMicroSymbol = "\xC2\xB5";
const char* const kPerthousandSymbol = "\xE2\x80\xB0";

} // namespace VSTGUI
