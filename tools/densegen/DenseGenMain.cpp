// densegen: writes grids for measuring the fill as a template collection that crossgen reads
// with --templates (and picks from with --size).
//
//   densegen [--american | --lattice [--step 2|4] [--side N]] [--count N] [--seed S] OUTPUT
//
// By default COUNT dense blocked grids of every odd size from 5 x 5 to 15 x 15; --american
// COUNT open American-style 15 x 15 grids; --lattice COUNT open lattice grids of N x N (200
// unless told, 10 to 200) with down lines on every fourth column, or with --step 2 on every
// second, so that every second letter of every word is checked.

#include "GridMaker.h"

#include "platform/ConsoleUi.h"
#include "platform/IndexCollection.h"
#include "template/ClassicShablon.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr int DenseSides[] = {5, 7, 9, 11, 13, 15};
constexpr int AmericanSide = 15;
constexpr int LatticeSide = 200;
constexpr int MinLatticeSide = 10;

std::string TemplateText(const TGridRows& rows) {
    const int height = static_cast<int>(rows.size());
    const int width = static_cast<int>(rows[0].size());
    TClassicShablon shablon(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) shablon.SetLetterCellOnly(x, y, rows[y][x] != '#');
    return std::string(TShablon::Prefix) + shablon.SerializeTemplate(0, 0, width - 1, height - 1);
}

int Usage() {
    std::fprintf(stderr,
                 "usage: densegen [--american | --lattice [--step 2|4] [--side N]] [--count N] [--seed S] OUTPUT\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    InstallUi(std::make_unique<ConsoleUi>());
    enum class TKind { Dense, American, Lattice } kind = TKind::Dense;
    int count = 10;
    int step = 4;
    int side = LatticeSide;
    unsigned long seed = 1;
    std::string output;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--american") == 0)
            kind = TKind::American;
        else if (std::strcmp(argv[i], "--lattice") == 0)
            kind = TKind::Lattice;
        else if (std::strcmp(argv[i], "--step") == 0 && i + 1 < argc)
            step = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--side") == 0 && i + 1 < argc)
            side = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--count") == 0 && i + 1 < argc)
            count = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc)
            seed = std::strtoul(argv[++i], nullptr, 10);
        else if (argv[i][0] != '-' && output.empty())
            output = argv[i];
        else
            return Usage();
    }
    const bool knownStep = std::find(std::begin(LatticeSteps), std::end(LatticeSteps), step) != std::end(LatticeSteps);
    if (output.empty() || count < 1 || !knownStep || side < MinLatticeSide || side > LatticeSide) return Usage();

    TIndexCollection collection;
    collection.FileName = output;
    const auto add = [&](const TGridRows& rows, int n) {
        if (rows.empty()) return;
        const std::string name = std::to_string(rows[0].size()) + "x" + std::to_string(rows.size()) + "-" + std::to_string(n);
        collection.Add(name, TemplateText(rows));
    };
    for (int n = 0; n < count; ++n) {
        const uint32_t s = static_cast<uint32_t>(seed * 1000 + n);
        if (kind == TKind::Dense)
            for (const int side : DenseSides) add(MakeDenseGrid(side, side, TDenseStyle::Blocked, s), n);
        else if (kind == TKind::American)
            add(MakeDenseGrid(AmericanSide, AmericanSide, TDenseStyle::OpenAmerican, s), n);
        else
            add(MakeLatticeGrid(side, side, step, s), n);
    }
    if (!collection.SaveToFile()) return 1;
    std::printf("densegen: %d templates in %s\n", collection.Count(), output.c_str());
    return 0;
}
