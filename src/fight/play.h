// The fight screen.
#pragma once

int play();
