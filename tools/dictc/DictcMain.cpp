// dictc: compiles a UTF-8 word list into a ".wdi" dictionary the game and crossgen can load.
//   dictc WORDS.txt OUT.wdi
// WORDS.txt: one word per line, optionally followed by a tab and a definition, and by a
// further tab and a category digit (0 ordinary, 1 reserve, 2 never offered).

#include "WordListCompiler.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: dictc WORDS.txt OUT.wdi\n");
        return 2;
    }
    return CompileWordList(argv[1], argv[2]) ? 0 : 1;
}
