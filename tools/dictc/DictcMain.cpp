// dictc: compiles a UTF-8 word list into a ".wdi" dictionary the game and crossgen can load
// (dictc --help describes the list).

#include "DictcCommand.h"

#include <iostream>

int main(int argc, char** argv) {
    return RunDictc(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
