#include "Crossgen.h"

#include "platform/ConsoleUi.h"

#include <iostream>
#include <memory>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    // Unattended, the engine's questions take the answer that keeps what can be kept: a
    // crossword file with a word that finds no place goes on with the next word.
    InstallUi(std::make_unique<ConsoleUi>(TUnattendedAnswer::Yes));
    return RunCrossgen(args, std::cout, std::cerr, GameFileDefaults());
}
