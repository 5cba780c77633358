#include "shell/qira.h"

int main() { return qira_main(); }
