#pragma once

// Crosswords for the publishing tests, drawn as text: the classic crossword, an Estonian one with
// a wall, a diagonal one and the scanword lattice, each with every slot holding the letters of
// its picture.

#include "../crossword/CrosswordFixture.h"
#include "../kinds/ScanwordArrows.h"

#include "kinds/DiagonalCrossword.h"
#include "kinds/EstonishCrossword.h"
#include "kinds/Kinds.h"
#include "kinds/Skanword.h"
#include "kinds/Walls.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

class PublishTest : public CrosswordTest {
protected:
    void SetUp() override {
        CrosswordTest::SetUp();
        RegisterKinds();
    }

    // Every slot takes the letters its cells have in the picture ("#" a cell without a letter);
    // a word of definitions gets its definition.
    static void PlaceLetters(TCrossword& crossword, const GridPicture& letters,
                             const std::map<std::string, std::string>& definitions) {
        std::vector<std::string> cells(crossword.Width * crossword.Height);
        for (int y = 0; y < crossword.Height; ++y) {
            const std::string row = Cp(letters[y]);
            for (int x = 0; x < crossword.Width; ++x) cells[y * crossword.Width + x] = row.substr(x, 1);
        }
        for (int slot = 0; slot < crossword.Words.Count(); ++slot) {
            std::string word;
            const TCoord slotCells = crossword.SlotCells(slot);
            for (const TCell& cell : slotCells.Cells()) word += cells[cell.y * crossword.Width + cell.x];
            ASSERT_EQ(crossword.TryPutWord(slot, word, {}), PutCode::Placed) << ToUtf8(word);
            if (const auto found = definitions.find(ToUtf8(word)); found != definitions.end()) {
                crossword.Words.SetSlotDefinition(slot, Cp(found->second));
                crossword.Words.SetSlotHasDefinition(slot, true);
            }
        }
    }

    // A crossword of the kind on the grid, numbered as a filled one is.
    template <typename TKind>
    std::unique_ptr<TKind> Numbered(const GridPicture& grid) {
        auto crossword = Make<TKind>(grid, {"кот"});
        crossword->Template->NumberCells();
        crossword->PrepareForFill();
        return crossword;
    }

    // A 3 x 3 classic crossword with one block: two across and two down words.
    std::unique_ptr<TCrossword> Classic() {
        auto crossword = Numbered<TClassicCrossword>({"...", ".#.", "..."});
        PlaceLetters(*crossword, {"кот", "о#а", "мак"}, {{"кот", "Домашний зверь"}, {"ком", "Снежный шар"}, {"так", "Именно"}, {"мак", "Цветок"}});
        return crossword;
    }

    // A 3 x 3 Estonian crossword whose top-left cell has a wall on its right.
    std::unique_ptr<TCrossword> Estonian() {
        auto crossword = Make<TEstonishCrossword>({"...", "...", "..."}, {"кот"});
        crossword->Template->SetAttrA(0, 0, WallBit::Right);
        crossword->Template->NumberCells();
        crossword->PrepareForFill();
        PlaceLetters(*crossword, {"абв", "где", "жзи"}, {{"бв", "Две буквы"}, {"жзи", "Три буквы"}});
        return crossword;
    }

    // A diagonal crossword of two words crossing in the middle of a 3 x 3 lattice.
    std::unique_ptr<TCrossword> Diagonal() {
        auto crossword = Numbered<TDiagonalCrossword>({".#.", "#.#", ".#."});
        PlaceLetters(*crossword, {"к#р", "#о#", "т#т"}, {{"кот", "Мурлыка"}, {"рот", "Уста"}});
        return crossword;
    }

    // The scanword lattice with its four clue cells.
    std::unique_ptr<TCrossword> Scanword() {
        auto crossword = Make<TSkanword>(Lattice, {"кот"});
        for (const TArrow& arrow : LatticeArrows) crossword->Template->SetAttrB(arrow.X, arrow.Y, arrow.Bits);
        crossword->Template->NumberCells();
        crossword->PrepareForFill();
        PlaceLetters(*crossword, {"#####", "#скан", "#о#о#", "#мост", "#####"}, {{"скан", "Просмотр"}, {"сом", "Рыба"}, {"мост", "Путепровод"}});
        return crossword;
    }

    // Each slot as "x,y path WORD | definition".
    static std::vector<std::string> SlotsOf(const TCrossword& crossword) {
        std::vector<std::string> slots;
        const TCrosswordWords& words = crossword.Words;
        for (int i = 0; i < words.Count(); ++i) {
            std::string slot = std::to_string(words.WordX(i)) + "," + std::to_string(words.WordY(i)) + " " +
                               std::string(words.WordPath(i)) + " " + ToUtf8(words.SlotWord(i));
            if (words.SlotHasDefinition(i)) slot += " | " + ToUtf8(words.SlotDefinition(i));
            slots.push_back(slot);
        }
        std::sort(slots.begin(), slots.end());
        return slots;
    }
};
