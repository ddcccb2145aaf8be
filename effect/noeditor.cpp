// For builds without a window: the effect then offers no editor.
#include "effect/corvane.h"

AEffEditor* createEditor(AudioEffectX*)
{
	return nullptr;
}

void editorParameterChanged(AEffEditor*, VstInt32, float)
{
}
