#pragma once
// The input method's composition drawn over the edit box that has the focus.

// The composition at the focused edit box's caret and the candidates under
// it; nothing while no edit box has the focus.
void ime_draw();
