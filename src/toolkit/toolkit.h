#pragma once

// The thin layer between the game's windows and Qt. It is the only code that
// knows about twips, stacking, auto-size, mouse button values and timer
// switching, so the windows can be written in the terms of their layout.
// This header is the whole layer, for the windows; a file that needs one
// part includes that part's header alone.

#include "element.h"
#include "label.h"
#include "line.h"
#include "number_caption.h"
#include "picture.h"
#include "timer.h"
#include "units.h"
#include "window.h"
