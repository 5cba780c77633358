// qira-kit's commands. Each takes the words after the command name and
// returns the exit status: 0 success, 1 failure, 2 bad usage.
#pragma once
#include <span>

int kit_convert(std::span<char *const> args);
int kit_info(std::span<char *const> args);
int kit_demo(std::span<char *const> args);
int kit_check(std::span<char *const> args);
int kit_icon(std::span<char *const> args);
int kit_preview(std::span<char *const> args);
int kit_animate(std::span<char *const> args);
int kit_sheet(std::span<char *const> args);
int kit_new(std::span<char *const> args);
