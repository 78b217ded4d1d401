#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The commands of trigonet-figures. Each takes the words after the command name,
// writes its answer to `out` and one-line errors to `err`, and returns the exit
// status: 0 success, 1 a check found problems or the input is bad, 2 wrong usage.
int RunFiguresCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

std::string FiguresUsage();
