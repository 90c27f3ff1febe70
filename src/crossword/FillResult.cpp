#include "FillResult.h"

#include "dictionary/TextHelpers.h"
#include "template/ShablonWords.h"

namespace {

constexpr std::size_t WordLengthAt = 3;
constexpr std::size_t DefinitionLengthAt = 7;
constexpr std::size_t WordAt = 11;

}  // namespace

std::string TFillResult::MakeRecord(bool locked, bool hasDefinition, int category, std::string_view word,
                                    std::string_view definition, int x, int y, std::string_view path) {
    std::string record;
    record.reserve(WordAt + word.size() + definition.size() + 2 + path.size());
    record += locked ? '1' : '0';
    record += hasDefinition ? '1' : '0';
    record += static_cast<char>(category);
    record += IntToBytes(static_cast<uint32_t>(word.size()));
    record += IntToBytes(static_cast<uint32_t>(definition.size()));
    record += word;
    record += definition;
    record += SmallNumberChar(x);
    record += SmallNumberChar(y);
    record += path;
    return record;
}

bool TFillResult::Locked(int i) const {
    return Field(i, 0, 1) == "1";
}

bool TFillResult::HasDefinition(int i) const {
    return Field(i, 1, 1) == "1";
}

int TFillResult::Category(int i) const {
    const std::string_view c = Field(i, 2, 1);
    return c.empty() ? 0 : static_cast<unsigned char>(c[0]);
}

std::string_view TFillResult::Word(int i) const {
    return Field(i, WordAt, BytesToInt(Field(i, WordLengthAt, 4)));
}

std::string_view TFillResult::Definition(int i) const {
    return Field(i, WordAt + Word(i).size(), BytesToInt(Field(i, DefinitionLengthAt, 4)));
}

int TFillResult::X(int i) const {
    const std::string_view c = Field(i, PositionOffset(i), 1);
    return c.empty() ? 0 : SmallNumberOf(c[0]);
}

int TFillResult::Y(int i) const {
    const std::string_view c = Field(i, PositionOffset(i) + 1, 1);
    return c.empty() ? 0 : SmallNumberOf(c[0]);
}

std::string_view TFillResult::Path(int i) const {
    const std::size_t at = PositionOffset(i) + 2;
    const std::string& record = mRecords[i];
    return at < record.size() ? std::string_view(record).substr(at) : std::string_view{};
}

std::string_view TFillResult::Field(int i, std::size_t at, std::size_t length) const {
    const std::string& record = mRecords[i];
    if (at >= record.size()) return {};
    return std::string_view(record).substr(at, length);
}

std::size_t TFillResult::PositionOffset(int i) const {
    return WordAt + Word(i).size() + Definition(i).size();
}
