#pragma once
// A plain container: tab pages and many screen panels are splitters.
#include "ui/wnd.h"

class splitter_t : public wnd_t {};
