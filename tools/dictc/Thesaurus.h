#pragma once

// The Russian thesaurus of Debian's mythes-ru (a MyThes ".dat" file, UTF-8): each headword with
// its meanings, each meaning a kind ("(синоним)", "(антоним)" ...) and a list of words.

#include <string>
#include <string_view>
#include <vector>

struct ThesaurusEntry {
    std::string headword;  // cp1251 as written
    // The meanings whose words can stand for the headword (synonyms and similar terms; not
    // antonyms or merely related terms), cp1251 as written.
    std::vector<std::vector<std::string>> meanings;
};

// The entries of a ".dat" text in file order; a damaged entry ends the reading.
std::vector<ThesaurusEntry> ReadThesaurus(std::string_view utf8Text);
