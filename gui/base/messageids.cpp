#include "gui/base/messageids.h"

namespace VSTGUI
{

const char* const kMsgNewFocusView = "kMsgNewFocusView";
const char* const kMsgOldFocusView = "kMsgOldFocusView";
const char* const kMsgViewSizeChanged = "kMsgViewSizeChanged";
const char* const kMsgCheckIfViewContainer = "kMsgCheckIfViewContainer";
const char* const kMsgLooseFocus = "LooseFocus";

} // namespace VSTGUI
