// The whole life of the program.
#pragma once

// The one line printed at exit.
extern const char qira_credit[];

int qira_main();
