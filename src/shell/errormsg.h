// The boxed message screen.
#pragma once

int errormsg(const char *line1, const char *line2);
int errormsg_failload(const char *name, const char *message);
