#include "HoneyKind.h"

#include "Options.h"

#include "crossword/Crossword.h"
#include "kinds/HoneyShablon.h"

std::string HoneyPictureValues(const TShablon& shablon) {
    const auto& honey = static_cast<const TBaseHoneyShablon&>(shablon);
    return " first-row=0 ring=" + std::to_string(honey.RingDirection) + " mode=" + std::to_string(honey.RingMode);
}

bool SetHoneyPictureValue(TShablon& shablon, std::string_view key, std::string_view value) {
    auto& honey = static_cast<TBaseHoneyShablon&>(shablon);
    int number = 0;
    if (!ParseWholeNumber(value, number) || number < 0) return false;
    if (key == "ring" && number <= 1)
        honey.RingDirection = static_cast<uint8_t>(number);
    else if (key == "mode" && number <= 3)
        honey.RingMode = static_cast<uint8_t>(number);
    else
        return false;
    return true;
}

std::string HoneyJsonMembers(const TCrossword& crossword) {
    const auto& honey = static_cast<const TBaseHoneyShablon&>(*crossword.Template);
    std::string json = ", \"ringMode\": " + std::to_string(honey.RingMode) + ", \"centres\": [";
    bool first = true;
    for (int y = 0; y < honey.Height; ++y)
        for (int x = 0; x < honey.Width; ++x) {
            if (!honey.IsNumbered(x, y) || honey.IsLetterCell(x, y)) continue;
            // A centre without a stored start begins where its ring does.
            json += std::string(first ? "" : ", ") + "[" + std::to_string(x) + ", " + std::to_string(y) + ", " +
                    std::to_string(honey.GetNumber(x, y)) + ", " + std::to_string(honey.RingStart(x, y)) + "]";
            first = false;
        }
    return json + "]";
}
