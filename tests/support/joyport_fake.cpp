// Stand-in joystick back end for tests (replaced by the input work).
#include "input/joyport.h"
