// The members a fill's JSON gives the words of the kinds with clues in the grid: the scanword's
// clue cell and clue number, the American's box in the strips.

#include "cli/KindNames.h"

#include "../crossword/CrosswordFixture.h"

#include "kinds/EstonishCrossword.h"
#include "kinds/Skanword.h"
#include "kinds/Walls.h"

#include <string>
#include <vector>

namespace {

class ClueJsonTest : public CrosswordTest {
protected:
    static int SlotAt(const TCrossword& crossword, int x, int y, char step) {
        for (int slot = 0; slot < crossword.Words.Count(); ++slot)
            if (crossword.Words.WordX(slot) == x && crossword.Words.WordY(slot) == y &&
                crossword.Words.WordPath(slot).front() == step)
                return slot;
        return -1;
    }

    static std::string WordJson(const char* kind, const TCrossword& crossword, int slot) {
        const TKindName* name = FindKindName(kind);
        EXPECT_TRUE(name && name->JsonWordValues);
        return name && name->JsonWordValues ? name->JsonWordValues(crossword, slot) : std::string();
    }
};

}  // namespace

TEST_F(ClueJsonTest, ScanwordWordsNameTheirClueCellAndNumber) {
    // Both words of (1, 1) take their clue from the corner, the down word of column 3 from above;
    // the across word of row 3 has no arrow.
    auto crossword = Make<TSkanword>({"#####", "#....", "#.#.#", "#....", "#####"}, {"кот"});
    crossword->Template->SetAttrB(1, 1, 2 | 2 << 3);
    crossword->Template->SetAttrB(3, 1, 1);
    crossword->Template->NumberCells();
    crossword->PrepareForFill();
    struct TCase {
        int X;
        int Y;
        char Step;
        std::string Json;
    };
    const TCase cases[] = {
        {1, 1, '2', ", \"clueCell\": [0, 0], \"clueNumber\": 1"},
        {1, 1, '6', ", \"clueCell\": [0, 0], \"clueNumber\": 2"},
        {3, 1, '2', ", \"clueCell\": [3, 0], \"clueNumber\": 3"},
        {1, 3, '6', ", \"clueCell\": null, \"clueNumber\": null"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Json);
        const int slot = SlotAt(*crossword, c.X, c.Y, c.Step);
        ASSERT_GE(slot, 0);
        EXPECT_EQ(WordJson("scanword", *crossword, slot), c.Json);
    }
}

TEST_F(ClueJsonTest, AmericanWordsNameTheirBoxInTheStrips) {
    // Row 0 holds two across words, row 1 one; walls below row 0 keep the columns apart.
    auto crossword = Make<TAmerican>({"......", "#....#"}, {"кот"});
    for (int x = 0; x < 6; ++x) crossword->Template->SetAttrA(x, 0, WallBit::Below | (x == 2 ? WallBit::Right : 0));
    crossword->Template->NumberCells();
    crossword->PrepareForFill();
    EXPECT_EQ(WordJson("american", *crossword, SlotAt(*crossword, 0, 0, '6')), ", \"clueBox\": [-2, 0]");
    EXPECT_EQ(WordJson("american", *crossword, SlotAt(*crossword, 3, 0, '6')), ", \"clueBox\": [-1, 0]");
    EXPECT_EQ(WordJson("american", *crossword, SlotAt(*crossword, 1, 1, '6')), ", \"clueBox\": [-1, 1]");
}
