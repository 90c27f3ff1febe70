// Cell-shape scripts: the lines of an outline script interpreted for a stretched and a plain
// cell; every point written must lie within the points array.

#include "FuzzSupport.h"
#include "cellshape/CellOutline.h"

#include <string>
#include <tuple>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view text = Bytes(data, size);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.emplace_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    TOutlinePoints points{};
    for (const auto& [unit, width, height] : {std::tuple{100, 100, 50}, std::tuple{7, 1, 3000}}) {
        int count = -1;
        std::string errors;
        BuildCellOutline(lines, unit, 10, 20, width, height, points, count, errors);
        if (count < 0 || count > static_cast<int>(points.size())) Broken("an outline wrote past its points");
    }
    return 0;
}
