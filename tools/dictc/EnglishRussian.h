#pragma once

// The senses of Debian's English-Russian dictionaries in dictd form: an ".index" file of
// headwords with their places and the uncompressed ".dict" text (both UTF-8). Mueller's entries
// mark parts of speech ("_n.", "_v.") and subject labels ("_хим.", "_мор.") and number their
// senses ("1)", "2)"); FreeDict's entries give one sense a line.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct TranslationSense {
    std::string english;  // the headword as written
    bool noun = false;    // a noun sense (always true for dictionaries that do not mark the part of speech)
    bool technical = false;  // the sense, or the part of speech it belongs to, carries a technical label
    // The Russian translations before the first example, cp1251 as written: groups as the
    // dictionary separates them with ";", items within a group as it separates them with ",".
    std::vector<std::vector<std::string>> groups;
    std::string text;  // all the sense says in Russian and English, examples included, labels left out
};

using SenseVisitor = std::function<void(const TranslationSense&)>;

// The entries of a dictd dictionary in index order, UTF-8; the database's own entries ("00-database-...",
// Mueller's list of labels) left out, an entry that several headwords share given once.
std::vector<std::string_view> DictdEntries(std::string_view indexText, std::string_view dictText);

// Calls visit for every sense of every Mueller entry. technicalLabels: the subject labels (cp1251,
// without "_" and ".") that mark a sense as technical.
void ForEachMuellerSense(const std::vector<std::string_view>& entries,
                         const std::vector<std::string>& technicalLabels, const SenseVisitor& visit);

// Calls visit for every sense (line) of every FreeDict entry.
void ForEachFreeDictSense(const std::vector<std::string_view>& entries, const SenseVisitor& visit);
