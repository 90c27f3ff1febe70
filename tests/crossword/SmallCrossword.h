#pragma once

// A filled 5 x 5 classic crossword with definitions, shared by the clue and file tests, and a
// crossword kind that prints clues in the grid.
//
//   д о м # к      slots: 0 дом (across at 0,0)  1 дуб (down at 0,0)   2 март (down at 2,0)
//   у # а # о             3 конь (down at 4,0)   4 баран (across at 0,2) 5 ёж (across at 0,4)
//   б а р а н      numbers: (0,0) 1, (2,0) 2, (4,0) 3, (0,2) 4, (0,4) 5
//   # # т # ь
//   ё ж # # #

#include "CrosswordFixture.h"

#include "template/ShablonFactory.h"

#include <utility>

const GridPicture SmallGrid = {
    "...#.",
    ".#.#.",
    ".....",
    "##.#.",
    "..###",
};

// The words of the grid in slot order, then words the grid does not hold.
const std::vector<std::pair<std::string, std::string>> SmallWords = {
    {"дом", "Жилое здание; Строение для жизни"},
    {"дуб", "Дерево с желудями"},
    {"март", "&FB+Весенний месяц"},
    {"конь", "Шахматная фигура; Лошадь"},
    {"баран", "  Упрямое животное  "},
    {"ёж", "Колючий зверёк"},
    {"кот", "Мурлыка"},
    {"сон", "Отдых ночью"},
    {"лес", "Много деревьев"},
    {"мир", "Вселенная; Покой"},
    {"нос", "Орган обоняния"},
    {"рот", "Орган речи"},
};

// A crossword kind that prints clues in the grid, on a classic template.
class TClueGridCrossword : public TCrossword {
public:
    TClueGridCrossword()
        : TCrossword(TCrosswordKind::Skanword, CreateTemplate(1, 1, static_cast<int>(TShablonKind::Classic))) {
        CluesInGrid = 1;
    }
};

class SmallCrosswordTest : public CrosswordTest {
protected:
    // Writes SmallWords with their definitions.
    std::string WriteSmallDictionary(const std::string& name = "small.wdi") {
        std::vector<DictionaryWord> words;
        for (const auto& [word, definition] : SmallWords) words.push_back({Cp(word), WordCategory::Ordinary, Cp(definition)});
        SortInDictionaryOrder(words, CellFormatSingle);
        const std::string path = Path(name);
        EXPECT_TRUE(WriteDictionaryFile(path, DictionaryLayout{}, words));
        return path;
    }

    // The grid with its slots built and numbered, and its words placed when filled.
    std::unique_ptr<TClassicCrossword> MakeSmall(bool filled = true) {
        auto crossword = std::make_unique<TClassicCrossword>();
        crossword->Dictionary.ShowProgress = false;
        EXPECT_TRUE(crossword->LoadDictionary(WriteSmallDictionary()));
        crossword->SetWidth(5);
        crossword->SetHeight(5);
        DrawGrid(*crossword->Template, SmallGrid);
        crossword->Template->NumberCells();
        crossword->PrepareForFill();
        EXPECT_EQ(crossword->Words.Count(), 6);
        if (!filled) return crossword;
        for (int i = 0; i < 6; ++i) EXPECT_EQ(crossword->PlaceWord(i, Cp(SmallWords[i].first), false), PutCode::Placed);
        return crossword;
    }

    // Gives slot its definition text (UTF-8).
    static void SetDefinition(TCrossword& crossword, int slot, const std::string& utf8) {
        crossword.Words.SetSlotDefinition(slot, Cp(utf8));
        crossword.Words.SetSlotHasDefinition(slot, true);
    }
};
