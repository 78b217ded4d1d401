// trigonet-figures: builds, checks, solves and draws the figure collection.

#include "commands.h"

#include <iostream>

int main(int argc, char** argv) {
    return RunFiguresCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
