#include "RecordFile.h"

#include "FileText.h"

#include <cstdint>

namespace {

// Reads from a text one length-prefixed part at a time, never past its end.
class TRecordReader {
public:
    explicit TRecordReader(std::string_view text) : mText(text) {}

    // Fewer than two bytes left: the end of the records (a single stray byte is ignored).
    bool AtEnd() const { return mText.size() - mPos < 2; }
    bool Damaged() const { return mDamaged; }

    // The next [length][bytes] part; false (and damaged) when it is not all there.
    bool ReadPart(std::string& part) {
        if (mDamaged || mText.size() - mPos < 4) return Fail();
        const int32_t length = BytesToInt(mText.substr(mPos, 4));
        mPos += 4;
        if (length < 0 || static_cast<std::size_t>(length) > mText.size() - mPos) return Fail();
        part.assign(mText.substr(mPos, static_cast<std::size_t>(length)));
        mPos += static_cast<std::size_t>(length);
        return true;
    }

private:
    bool Fail() {
        mDamaged = true;
        return false;
    }

    std::string_view mText;
    std::size_t mPos = 0;
    bool mDamaged = false;
};

}  // namespace

TRecordCut<std::string> CutOnePartRecords(std::string_view text) {
    TRecordCut<std::string> cut;
    TRecordReader reader(text);
    std::string body;
    while (!reader.AtEnd() && reader.ReadPart(body)) cut.Records.push_back(std::move(body));
    cut.Damaged = reader.Damaged();
    return cut;
}

TRecordCut<TTwoPartRecord> CutTwoPartRecords(std::string_view text) {
    TRecordCut<TTwoPartRecord> cut;
    TRecordReader reader(text);
    TTwoPartRecord record;
    while (!reader.AtEnd() && reader.ReadPart(record.Header) && reader.ReadPart(record.Body))
        cut.Records.push_back(std::move(record));
    cut.Damaged = reader.Damaged();
    return cut;
}

void AppendOnePartRecord(std::string& text, std::string_view body) {
    text += IntToBytes(static_cast<int32_t>(body.size()));
    text += body;
}

void AppendTwoPartRecord(std::string& text, std::string_view header, std::string_view body) {
    AppendOnePartRecord(text, header);
    AppendOnePartRecord(text, body);
}

std::string JoinBlocks(const std::vector<std::string>& blocks) {
    std::string text;
    std::size_t size = 0;
    for (const auto& block : blocks) size += block.size();
    text.reserve(size);
    for (const auto& block : blocks) text += block;
    return text;
}
