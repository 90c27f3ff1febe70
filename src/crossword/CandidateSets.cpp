#include "CandidateSets.h"

#include "platform/Clock.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace {

// A level notes this many words a slot loses one by one before it saves the slot's counts
// whole: about where putting words back one by one costs as much as copying the counts.
constexpr int WordsNotedPerSlot = 32;
// Decide takes the placed word from the other slots of its length that have at most this many
// candidates: there it may decide what is left, while from a large set its going changes next
// to nothing and would cost a note per slot and level.
constexpr int TakeWordFromSetsOf = 64;
// ChooseWord weighs at most this many candidates, drawn at random from a larger set: enough to
// find a word with common letters at the crossings, few enough to keep a choice cheap.
constexpr int WordsWeighed = 64;

// The set bits of a word. std::popcount becomes a library call on baseline x86-64 (no POPCNT
// instruction is assumed), slower than these few operations.
int CountBits(uint64_t bits) {
    bits -= (bits >> 1) & 0x5555555555555555ULL;
    bits = (bits & 0x3333333333333333ULL) + ((bits >> 2) & 0x3333333333333333ULL);
    bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>((bits * 0x0101010101010101ULL) >> 56);
}

// Every word of a length: the first count bits set.
void FillAll(uint64_t* bits, int blocks, int count) {
    std::fill(bits, bits + blocks, ~uint64_t{0});
    if (count % 64 != 0) bits[blocks - 1] = (uint64_t{1} << (count % 64)) - 1;
}

bool TestBit(const uint64_t* bits, int i) {
    return (bits[i / 64] >> (i % 64)) & 1;
}

}  // namespace

TCandidateSets::TCandidateSets(const TWorkDictionary& dictionary, const TWordIndex& index)
    : mDictionary(dictionary), mIndex(index), mLetterCount(index.LetterCount()) {}

int TCandidateSets::AddSlot(const TMask& pattern) {
    TSlot slot;
    slot.length = pattern.CellCount();
    slot.pattern = pattern.Text();
    mSlots.push_back(std::move(slot));
    return SlotCount() - 1;
}

void TCandidateSets::Link(int a, int i, int b, int j) {
    mLinkPairs.push_back({{a, i}, {b, j}});
}

void TCandidateSets::Exclude(int entry) {
    if (entry < 0 || entry >= mDictionary.Count()) return;
    if (mExcluded.empty()) mExcluded.assign(mDictionary.Count(), 0);
    mExcluded[entry] = 1;
}

void TCandidateSets::BuildLength(int cells) {
    TLength& length = mLengths[cells];
    const TWords& words = mIndex.Length(cells);
    length.words = &words;
    length.reserve.assign(words.blocks, 0);
    length.available.assign(words.blocks, 0);
    length.decided.assign(words.blocks, 0);
    for (int w = 0; w < words.count; ++w) {
        const uint64_t bit = uint64_t{1} << (w % 64);
        const std::size_t block = w / 64;
        const int entry = words.first + w;
        const WordCategory category = mDictionary.EntryCategory(entry);
        if (category == WordCategory::Reserve) length.reserve[block] |= bit;
        if (category != WordCategory::Unavailable && (mExcluded.empty() || !mExcluded[entry]))
            length.available[block] |= bit;
    }
}

void TCandidateSets::CountSupports(int s, bool open) {
    TSlot& slot = mSlots[s];
    TLength& length = mLengths[slot.length];
    const auto supports = mSupports.begin() + slot.supports;
    const int counts = slot.length * mLetterCount;
    if (open && length.openSize >= 0) {
        slot.size = length.openSize;
        std::copy(length.openSupports.begin(), length.openSupports.end(), supports);
        return;
    }
    const uint64_t* own = Bits(slot);
    slot.size = 0;
    for (int b = 0; b < length.words->blocks; ++b) slot.size += CountBits(own[b]);
    for (int p = 0; p < slot.length; ++p)
        for (int letter = 0; letter < mLetterCount; ++letter) {
            const uint64_t* set = LetterSet(length, p, letter);
            int count = 0;
            for (int b = 0; b < length.words->blocks; ++b) count += CountBits(own[b] & set[b]);
            Support(slot, p, letter) = count;
        }
    if (open) {
        length.openSize = slot.size;
        length.openSupports.assign(supports, supports + counts);
    }
}

void TCandidateSets::PatternSet(int cells, const TMask& pattern, std::vector<uint64_t>& match) const {
    const TLength& length = mLengths[cells];
    match.resize(length.words->blocks);
    if (length.words->count == 0) return;
    FillAll(match.data(), length.words->blocks, length.words->count);
    for (int p = 0; p < cells; ++p) {
        if (pattern.IsUnknown(p)) continue;
        const int letter = mIndex.LetterOf(pattern.CellText(p));
        if (letter < 0) {
            std::fill(match.begin(), match.end(), 0);
            return;
        }
        const uint64_t* set = LetterSet(length, p, letter);
        for (int b = 0; b < length.words->blocks; ++b) match[b] &= set[b];
    }
}

bool TCandidateSets::Start() {
    mLengths.assign(MaxWordCells + 2, {});
    mSlotsOfLength.assign(MaxWordCells + 2, {});
    std::vector<uint8_t> used(MaxWordCells + 2, 0);
    for (TSlot& slot : mSlots) {
        slot.length = std::clamp(slot.length, 0, MaxWordCells + 1);
        used[slot.length] = 1;
    }
    for (int cells = 0; cells <= MaxWordCells + 1; ++cells)
        if (used[cells]) BuildLength(cells);

    // The candidate sets: available words that match the pattern (and, for a slot that passes
    // a cell twice, hold one letter there).
    int bits = 0, supports = 0, positions = 0;
    for (TSlot& slot : mSlots) {
        slot.bits = bits;
        slot.supports = supports;
        slot.links = positions;
        bits += mLengths[slot.length].words->blocks;
        supports += slot.length * mLetterCount;
        positions += slot.length;
    }
    mBits.assign(bits, 0);
    mBlockStamp.assign(bits, 0);
    mSlotStamp.assign(SlotCount(), 0);
    mSlotNoted.assign(SlotCount(), 0);
    mSupports.assign(supports, 0);
    std::vector<uint8_t> open(SlotCount(), 1);
    for (int s = 0; s < SlotCount(); ++s) {
        TSlot& slot = mSlots[s];
        const TLength& length = mLengths[slot.length];
        mSlotsOfLength[slot.length].push_back(s);
        const TMask pattern(mDictionary.CellFormat(), slot.pattern);
        for (int p = 0; p < slot.length; ++p)
            if (!pattern.IsUnknown(p)) open[s] = 0;
        PatternSet(slot.length, pattern, mScratchBits);
        uint64_t* own = Bits(slot);
        for (int b = 0; b < length.words->blocks; ++b) own[b] = mScratchBits[b] & length.available[b];
    }
    for (const auto& [a, b] : mLinkPairs) {
        if (a.slot != b.slot) continue;
        open[a.slot] = 0;
        TSlot& slot = mSlots[a.slot];
        const TLength& length = mLengths[slot.length];
        for (int w = 0; w < length.words->count; ++w) {
            const uint16_t* letters = LettersOf(slot, w);
            if (letters[a.position] != letters[b.position]) Bits(slot)[w / 64] &= ~(uint64_t{1} << (w % 64));
        }
    }
    for (int s = 0; s < SlotCount(); ++s) CountSupports(s, open[s] != 0);

    // The crossings, as lists per slot position.
    mLinkStart.assign(positions + 1, 0);
    for (const auto& [a, b] : mLinkPairs) {
        if (a.slot == b.slot) continue;
        ++mLinkStart[mSlots[a.slot].links + a.position + 1];
        ++mLinkStart[mSlots[b.slot].links + b.position + 1];
    }
    for (int i = 0; i < positions; ++i) mLinkStart[i + 1] += mLinkStart[i];
    mLinks.resize(mLinkStart[positions]);
    std::vector<int> next(mLinkStart.begin(), mLinkStart.end() - 1);
    for (const auto& [a, b] : mLinkPairs) {
        if (a.slot == b.slot) continue;
        mLinks[next[mSlots[a.slot].links + a.position]++] = b;
        mLinks[next[mSlots[b.slot].links + b.position]++] = a;
    }
    mLinkPairs.clear();

    for (int s = 0; s < SlotCount(); ++s) {
        const TSlot& slot = mSlots[s];
        if (slot.size == 0) return false;
        for (int p = 0; p < slot.length; ++p) {
            if (!HasLinks(slot, p)) continue;
            for (int letter = 0; letter < mLetterCount; ++letter)
                if (Support(slot, p, letter) == 0) mQueue.push_back({s, p, letter});
        }
    }
    return Propagate();
}

// --- changes and their undoing ---

void TCandidateSets::SaveCounts(int s) {
    if (mLevels.empty()) return;
    const uint32_t stamp = mLevels.back().stamp;
    if (mSlotStamp[s] == stamp && mSlotNoted[s] < 0) return;
    mSlotStamp[s] = stamp;
    mSlotNoted[s] = -1;
    const TSlot& slot = mSlots[s];
    mTrail.push_back({TChange::TKind::Counts, s, static_cast<int>(mSavedSupports.size()), static_cast<uint64_t>(slot.size)});
    const auto first = mSupports.begin() + slot.supports;
    mSavedSupports.insert(mSavedSupports.end(), first, first + slot.length * mLetterCount);
}

void TCandidateSets::SaveBlock(int block) {
    if (mLevels.empty() || mBlockStamp[block] == mLevels.back().stamp) return;
    mBlockStamp[block] = mLevels.back().stamp;
    mTrail.push_back({TChange::TKind::Block, -1, block, mBits[block]});
}

void TCandidateSets::SaveWord(int s, int local) {
    if (mLevels.empty()) return;
    const uint32_t stamp = mLevels.back().stamp;
    if (mSlotStamp[s] != stamp) {
        mSlotStamp[s] = stamp;
        mSlotNoted[s] = 0;
    }
    if (mSlotNoted[s] >= 0 && mSlotNoted[s] < WordsNotedPerSlot) {
        ++mSlotNoted[s];
        mTrail.push_back({TChange::TKind::Word, s, local, 0});
        return;
    }
    SaveCounts(s);
    SaveBlock(mSlots[s].bits + local / 64);
}

void TCandidateSets::TakeBlock(int s, int block, uint64_t gone) {
    TSlot& slot = mSlots[s];
    const TWords& words = *mLengths[slot.length].words;
    while (gone != 0) {
        const int w = block * 64 + std::countr_zero(gone);
        gone &= gone - 1;
        SaveWord(s, w);
        mBits[slot.bits + block] &= ~(uint64_t{1} << (w % 64));
        --slot.size;
        const uint16_t* letters = mIndex.Letters(words, slot.length, w);
        for (int p = 0; p < slot.length; ++p)
            if (--Support(slot, p, letters[p]) == 0) QueueLost(s, p, letters[p]);
    }
    if (slot.size == 0) Fail(s);
}

void TCandidateSets::RemoveWords(int s, const uint64_t* mask, bool keep) {
    const int blocks = mLengths[mSlots[s].length].words->blocks;
    const uint64_t* own = Bits(mSlots[s]);
    for (int b = 0; b < blocks && !mFailed; ++b)
        if (const uint64_t gone = keep ? own[b] & ~mask[b] : own[b] & mask[b]; gone != 0) TakeBlock(s, b, gone);
}

void TCandidateSets::KeepOnly(int s, int local) {
    SaveCounts(s);
    TSlot& slot = mSlots[s];
    uint64_t* own = Bits(slot);
    for (int b = 0; b < mLengths[slot.length].words->blocks; ++b) {
        const uint64_t kept = b == local / 64 ? own[b] & (uint64_t{1} << (local % 64)) : 0;
        if (own[b] == kept) continue;
        SaveBlock(slot.bits + b);
        own[b] = kept;
    }
    if (!TestBit(own, local)) {
        slot.size = 0;
        Fail(s);
        return;
    }
    // With one word left its letters are the only ones supported; the letters that lose their
    // support are queued.
    slot.size = 1;
    const auto supports = mSupports.begin() + slot.supports;
    mScratchSupports.assign(supports, supports + slot.length * mLetterCount);
    std::fill(supports, supports + slot.length * mLetterCount, 0);
    const uint16_t* letters = LettersOf(slot, local);
    for (int p = 0; p < slot.length; ++p) Support(slot, p, letters[p]) = 1;
    for (int p = 0; p < slot.length; ++p)
        for (int letter = 0; letter < mLetterCount; ++letter)
            if (mScratchSupports[p * mLetterCount + letter] != 0 && letter != letters[p]) QueueLost(s, p, letter);
}

void TCandidateSets::RemoveOne(int s, int local) {
    const TSlot& slot = mSlots[s];
    if (TestBit(Bits(slot), local)) TakeBlock(s, local / 64, uint64_t{1} << (local % 64));
}

void TCandidateSets::Fail(int s) {
    mFailed = true;
    ++mSlots[s].weight;
    if (mSource >= 0 && mSource != s) ++mSlots[mSource].weight;
}

bool TCandidateSets::Propagate() {
    while (!mQueue.empty() && !mFailed) {
        const TEvent event = mQueue.back();
        mQueue.pop_back();
        mSource = event.slot;
        const TSlot& from = mSlots[event.slot];
        const int first = mLinkStart[from.links + event.position];
        const int end = mLinkStart[from.links + event.position + 1];
        for (int k = first; k < end && !mFailed; ++k) {
            const TLinkEnd to = mLinks[k];
            const TSlot& slot = mSlots[to.slot];
            if (Support(slot, to.position, event.letter) == 0) continue;
            RemoveWords(to.slot, LetterSet(mLengths[slot.length], to.position, event.letter), false);
        }
    }
    mQueue.clear();
    return !mFailed;
}

bool TCandidateSets::Decide(int s, int word) {
    const TSlot& slot = mSlots[s];
    const TLength& length = mLengths[slot.length];
    const int local = word - length.words->first;
    mLevels.push_back({s, word, mTrail.size(), mSavedSupports.size(), mNextStamp++});
    mSlots[s].decided = true;
    mSource = s;
    // No word stands twice.
    mLengths[slot.length].decided[local / 64] |= uint64_t{1} << (local % 64);
    for (const int other : mSlotsOfLength[slot.length]) {
        if (other != s && mSlots[other].size <= TakeWordFromSetsOf) RemoveOne(other, local);
        if (mFailed) return false;
    }
    KeepOnly(s, local);
    return Propagate();
}

void TCandidateSets::Backtrack(int& s, int& word) {
    const TLevel level = mLevels.back();
    mLevels.pop_back();
    for (; mTrail.size() > level.trail; mTrail.pop_back()) {
        const TChange& change = mTrail.back();
        if (change.kind == TChange::TKind::Block) {
            mBits[change.at] = change.value;
            continue;
        }
        TSlot& slot = mSlots[change.slot];
        if (change.kind == TChange::TKind::Counts) {
            slot.size = static_cast<int>(change.value);
            const auto first = mSavedSupports.begin() + change.at;
            std::copy(first, first + slot.length * mLetterCount, mSupports.begin() + slot.supports);
            continue;
        }
        mBits[slot.bits + change.at / 64] |= uint64_t{1} << (change.at % 64);
        ++slot.size;
        const uint16_t* letters = LettersOf(slot, change.at);
        for (int p = 0; p < slot.length; ++p) ++Support(slot, p, letters[p]);
    }
    mSavedSupports.resize(level.supports);
    const TSlot& decided = mSlots[level.slot];
    const int local = level.word - mLengths[decided.length].words->first;
    mLengths[decided.length].decided[local / 64] &= ~(uint64_t{1} << (local % 64));
    mSlots[level.slot].decided = false;
    mFailed = false;
    mQueue.clear();
    s = level.slot;
    word = level.word;
}

bool TCandidateSets::Remove(int s, int word) {
    mSource = s;
    RemoveOne(s, word - mLengths[mSlots[s].length].words->first);
    return Propagate();
}

bool TCandidateSets::Restrict(int s, const TMask& pattern) {
    mSource = s;
    PatternSet(mSlots[s].length, pattern, mScratchBits);
    RemoveWords(s, mScratchBits.data(), true);
    return Propagate();
}

// --- choices ---

int TCandidateSets::ChooseSlot() const {
    int best = -1;
    int ties = 0;
    for (int s = 0; s < SlotCount(); ++s) {
        const TSlot& slot = mSlots[s];
        if (slot.decided) continue;
        if (best < 0) {
            best = s;
            ties = 1;
            continue;
        }
        // size / weight against the best's, without division.
        const int64_t mine = int64_t{slot.size} * mSlots[best].weight;
        const int64_t theirs = int64_t{mSlots[best].size} * slot.weight;
        if (mine < theirs) {
            best = s;
            ties = 1;
        } else if (mine == theirs && RandomInt(++ties) == 0) {
            best = s;
        }
    }
    return best;
}

int TCandidateSets::ChooseWord(int s) {
    const TSlot& slot = mSlots[s];
    const TLength& length = mLengths[slot.length];
    const uint64_t* own = Bits(slot);
    const auto gather = [&](bool ordinaryOnly) {
        mScratch.clear();
        for (int b = 0; b < length.words->blocks; ++b) {
            uint64_t bits = own[b] & ~length.decided[b];
            if (ordinaryOnly) bits &= ~length.reserve[b];
            while (bits != 0) {
                mScratch.push_back(b * 64 + std::countr_zero(bits));
                bits &= bits - 1;
            }
        }
    };
    gather(true);
    if (mScratch.empty()) gather(false);
    if (mScratch.empty()) {
        ++mSlots[s].weight;
        return -1;
    }
    const int weighed = std::min(static_cast<int>(mScratch.size()), WordsWeighed);
    for (int i = 0; i < weighed; ++i)
        std::swap(mScratch[i], mScratch[i + RandomInt(static_cast<int>(mScratch.size()) - i)]);

    int best = mScratch.front();
    double bestScore = -1;
    int ties = 0;
    for (int i = 0; i < weighed; ++i) {
        const int w = mScratch[i];
        const uint16_t* letters = LettersOf(slot, w);
        // The log of the product of the crossing slots' candidates once the word stands.
        double score = 0;
        for (int p = 0; p < slot.length; ++p)
            for (int k = mLinkStart[slot.links + p]; k < mLinkStart[slot.links + p + 1]; ++k) {
                const TSlot& other = mSlots[mLinks[k].slot];
                if (!other.decided) score += std::log(static_cast<double>(Support(other, mLinks[k].position, letters[p])));
            }
        if (score > bestScore) {
            best = w;
            bestScore = score;
            ties = 1;
        } else if (score == bestScore && RandomInt(++ties) == 0) {
            best = w;
        }
    }
    return length.words->first + best;
}
