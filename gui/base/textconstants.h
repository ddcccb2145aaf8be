// Text alignment and the predefined UTF-8 symbols for labels and units.
#pragma once

#include "gui/base/vstguitypes.h"

namespace VSTGUI
{

// Values other than kTextAlignLeft and kTextAlignRight centre.
enum CHoriTxtAlign : int32
{
	kTextAlignLeft = 0,
	kTextAlignCenter = 1,
	kTextAlignRight = 2
};

extern const char* const kDegreeSymbol;
extern const char* const kInfiniteSymbol;
extern const char* const kCopyrightSymbol;
extern const char* const kTrademarkSymbol;
extern const char* const kRegisteredSymbol;
extern const char* const kMicroSymbol;
extern const char* const kPerthousandSymbol;

} // namespace VSTGUI
