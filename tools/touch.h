// The web page's touch controls, in the game's own colours: the steering pad, fire, pause and full screen.
#pragma once

#include "pictures.h"

// "touch-pad.png", "touch-fire.png", "touch-pause.png" and "touch-fullscreen.png", drawn small:
// the page shows them three times as large, pixels unsmoothed, as the game's own.
Pictures paintTouchControls();
