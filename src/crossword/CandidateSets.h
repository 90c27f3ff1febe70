#pragma once

// TCandidateSets: the candidates of the slots a propagating fill works on, one bitset per slot
// over the dictionary's words of that slot's length, kept arc consistent: a word stays a
// candidate only while each of its letters is still possible in every crossing slot at the
// shared cell. The word index (TWordIndex: length, position, letter -> bitset), kept between
// fills, makes a crossing's effect one AND.
//
// Per slot and position the sets count the candidates holding each letter (the letter's
// support); when a count falls to zero, the crossing slots lose the words that need that letter
// there, and so on to a fixed point. A slot left without candidates is a failure; it raises the
// failure weight of the slots involved, which the slot choice reads.
//
// Changes are made at decision levels: every change after Decide is undone by Backtrack, while
// changes with no level open are kept for good. A level notes the first few words a slot loses
// one by one; when the slot loses more, the level saves its counts whole and then the first
// change of each 64-word block. Words are dictionary entry numbers; a slot is the number
// AddSlot gave it. The dictionary must not change while the sets live.

#include "WordIndex.h"

#include "dictionary/Mask.h"
#include "dictionary/WorkDictionary.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class TCandidateSets {
public:
    // The index must be made from the dictionary as it stands.
    TCandidateSets(const TWorkDictionary& dictionary, const TWordIndex& index);

    // --- set-up, before Start ---

    // A slot whose candidates are the words that match pattern (its cell count is the slot's
    // length); its number.
    int AddSlot(const TMask& pattern);
    // Cell i of slot a is cell j of slot b (a == b: the slot passes the cell twice).
    void Link(int a, int i, int b, int j);
    // The word is never a candidate (it stands in the grid or is excluded by a related word).
    void Exclude(int entry);
    // Builds the sets: words of category 0 or 1, matching, not excluded, then
    // made consistent. False when some slot is left without candidates.
    bool Start();

    // --- the search ---

    int SlotCount() const { return static_cast<int>(mSlots.size()); }
    int CandidateCount(int slot) const { return mSlots[slot].size; }
    bool IsDecided(int slot) const { return mSlots[slot].decided; }
    int Depth() const { return static_cast<int>(mLevels.size()); }

    // The undecided slot with the fewest candidates for its failure weight, ties at random;
    // -1 when every slot is decided.
    int ChooseSlot() const;
    // The candidate of slot whose letters leave the crossing slots the most candidates, among
    // ordinary words while the slot has one, else among reserve words; ties at random. Words
    // that an open level placed are passed over; -1 (a failure) when no other is left.
    int ChooseWord(int slot);
    // Opens a level and makes word the slot's only candidate, taking it from the other slots
    // of few candidates (a slot of many keeps it until ChooseWord passes it over). False on a
    // failure (the level stays open for Backtrack).
    bool Decide(int slot, int word);
    // Closes the deepest level, undoing its changes; gives its slot and word.
    void Backtrack(int& slot, int& word);
    // Takes word from the slot's candidates at the current level. False on a failure.
    bool Remove(int slot, int word);
    // Keeps only the slot's candidates that match pattern. False on a failure.
    bool Restrict(int slot, const TMask& pattern);

private:
    using TWords = TWordIndex::TLength;
    struct TLength {  // per cell count, for this fill
        const TWords* words = nullptr;    // the index's words of the cell count
        std::vector<uint64_t> reserve;    // the words of category 1
        std::vector<uint64_t> available;  // the words of category 0 or 1 not excluded
        std::vector<uint64_t> decided;    // the words the open levels placed
        int openSize = -1;                // a slot with no letter known: its size and supports,
        std::vector<int> openSupports;    // once one such slot was counted
    };
    struct TSlot {
        int length = 0;
        std::string pattern;  // the mask text given to AddSlot, read by Start
        int bits = 0;         // first block in mBits
        int supports = 0;     // first count in mSupports: [position * letterCount + letter]
        int links = 0;        // first position entry in mLinkStart
        int size = 0;         // candidates
        int weight = 1;       // 1 + the failures the slot took part in
        bool decided = false;
    };
    struct TLinkEnd {
        int slot;
        int position;
    };
    struct TEvent {  // letter is no longer possible at position of slot
        int slot;
        int position;
        int letter;
    };
    // A change the open level made, undone in the reverse order.
    struct TChange {
        enum class TKind : uint8_t {
            Word,    // slot lost word (local): put it back, counting it in again
            Counts,  // slot's size was value, its supports are saved at mSavedSupports[at]
            Block,   // mBits[at] was value
        };
        TKind kind;
        int slot;
        int at;
        uint64_t value;
    };
    struct TLevel {
        int slot;
        int word;
        std::size_t trail;     // mTrail's and mSavedSupports' sizes when the level opened
        std::size_t supports;
        uint32_t stamp;
    };

    // The length's words for this fill: reserve and available by category and exclusion.
    void BuildLength(int length);
    // Counts a slot's candidates and supports; open: no letter of the slot is known.
    void CountSupports(int slot, bool open);
    // The words of the length matching pattern, into match (blocks of the length).
    void PatternSet(int length, const TMask& pattern, std::vector<uint64_t>& match) const;
    const uint64_t* LetterSet(const TLength& length, int position, int letter) const {
        return mIndex.LetterSet(*length.words, position, letter);
    }
    const uint16_t* LettersOf(const TSlot& slot, int local) const {
        return mIndex.Letters(*mLengths[slot.length].words, slot.length, local);
    }

    uint64_t* Bits(const TSlot& slot) { return mBits.data() + slot.bits; }
    const uint64_t* Bits(const TSlot& slot) const { return mBits.data() + slot.bits; }
    int& Support(const TSlot& slot, int position, int letter) {
        return mSupports[slot.supports + position * mLetterCount + letter];
    }
    int Support(const TSlot& slot, int position, int letter) const {
        return mSupports[slot.supports + position * mLetterCount + letter];
    }
    bool HasLinks(const TSlot& slot, int position) const {
        return mLinkStart[slot.links + position] != mLinkStart[slot.links + position + 1];
    }

    // Takes from the slot's candidates the words of mask (blocks of the slot's length), or with
    // keep every word not in mask; queues the letters that lose their last candidate.
    void RemoveWords(int slot, const uint64_t* mask, bool keep);
    // Takes word (local to the slot's length) from the slot's candidates when it is one.
    void RemoveOne(int slot, int local);
    // Saves what the open level is about to change (nothing with no level open).
    void SaveCounts(int slot);
    void SaveBlock(int block);
    // Notes that the open level takes word (local) from the slot, before it goes; with enough
    // noted, saves the slot's counts and the word's block instead.
    void SaveWord(int slot, int local);
    // Takes words from a block, counting each out of the supports.
    void TakeBlock(int slot, int block, uint64_t gone);
    // Leaves word (local) the slot's only candidate, its supports set at once rather than
    // counting every other word out.
    void KeepOnly(int slot, int local);
    void QueueLost(int slot, int position, int letter) {
        if (HasLinks(mSlots[slot], position)) mQueue.push_back({slot, position, letter});
    }
    // Runs the queued events to a fixed point; false on a failure.
    bool Propagate();
    void Fail(int slot);

    const TWorkDictionary& mDictionary;
    const TWordIndex& mIndex;
    int mLetterCount;
    std::vector<TLength> mLengths;  // indexed by cell count
    std::vector<uint8_t> mExcluded;  // per dictionary entry

    std::vector<TSlot> mSlots;
    std::vector<std::pair<TLinkEnd, TLinkEnd>> mLinkPairs;  // as Link gave them, read by Start
    std::vector<std::vector<int>> mSlotsOfLength;
    std::vector<uint64_t> mBits;
    std::vector<uint32_t> mBlockStamp;  // per block of mBits: the level that saved it last
    std::vector<uint32_t> mSlotStamp;   // per slot: the level that last noted its changes
    std::vector<int> mSlotNoted;        // per slot: words noted by that level, -1 once it saved the counts
    std::vector<int> mSupports;
    std::vector<int> mLinkStart;  // per slot position: first link in mLinks, then the end
    std::vector<TLinkEnd> mLinks;

    std::vector<TEvent> mQueue;
    int mSource = -1;  // the slot whose event is being run
    bool mFailed = false;
    std::vector<TChange> mTrail;
    std::vector<int> mSavedSupports;
    std::vector<TLevel> mLevels;
    uint32_t mNextStamp = 1;
    std::vector<int> mScratch;
    std::vector<uint64_t> mScratchBits;
    std::vector<int> mScratchSupports;
};
