// The fighter-set table, filled once at start-up.
#include "shell/glob.h"

fightset_entry fightset[FIGHTSET_MAX];
int32_t fightset_count;
fightset_entry *current_fightset;
