#pragma once
// A plain text label.
#include "ui/wnd.h"

class lbl_t : public wnd_t {};
