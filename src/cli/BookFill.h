#pragma once

// The crosswords of a book: count fills of one fill job, no answer twice in the book, filled on
// several threads and the same for the same seed whatever their number.
//
// Puzzle k is filled avoiding the answers of the puzzles up to k - Window, so that Window
// puzzles fill at once. Once every puzzle before it is settled, the few answers it shares with
// the puzzles in between are replaced: the slots round them are filled again avoiding every
// earlier answer, and when that does not succeed the whole puzzle is filled again. Each step
// draws its random numbers from a stream of its own, seeded from the book's seed and the
// puzzle's number, and depends only on the settled puzzles before it, never on the threads'
// timing. Definitions are chosen last, again on every thread.

#include "FillJob.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <vector>

class TCrossword;

// How many puzzles fill at once, each blind to the answers of the others: more lets more threads
// work, and makes more answers collide.
constexpr int BookWindow = 4;

struct TBookPuzzle {
    std::unique_ptr<TCrossword> Crossword;
    TFillOutcome Outcome;
};

// What the book's fills came to.
enum class TBookResult : uint8_t {
    Filled,     // every puzzle is filled
    NotFilled,  // a puzzle could not be filled; its complaint is on err
    BadInput,   // the job cannot make its crossword (a file, a template); the complaint is on err
};

// What the caller is told as the book is made: progress(n) as the n-th puzzle is settled, one
// call at a time; made(k, crossword) once puzzle k has its definitions, on any of the threads
// (for the caller's own work on each puzzle, such as its pages), never twice at once for one
// puzzle.
struct TBookHooks {
    std::function<void(int)> Progress;
    std::function<void(int, TCrossword&)> Made;
};

// Fills count crosswords with the job on jobs threads from the book's seed; puzzles receives them
// in order. On failure the complaint of the first puzzle that failed goes to err.
TBookResult FillBook(const TFillJob& job, const TOptionParser& parser, int count, int jobs, uint32_t seed,
                     std::vector<TBookPuzzle>& puzzles, std::ostream& err, const TBookHooks& hooks = {});
