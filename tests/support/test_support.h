// Shared test helpers (display under SDL's dummy driver, temporary folders).
#pragma once
