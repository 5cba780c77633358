// The character-selection screen.
#pragma once

int charsel();
