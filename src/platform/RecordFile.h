#pragma once

// The two record layouts of the collection files ("graph.col", "font.col", "rekl.col" hold
// two-part records, "templates.col" one-part records). A file is a plain sequence of records
// without header, count or padding; every length is a 4-byte number (IntToBytes).
//
//   one-part record: [length L][L bytes]
//   two-part record: [length L1][L1 bytes: header][length L2][L2 bytes: body]

#include <string>
#include <string_view>
#include <vector>

struct TTwoPartRecord {
    std::string Header;
    std::string Body;
};

// What a cut found. Damaged is set when the text ends inside a record (a length field cut short,
// a length running past the end) or holds a negative length; cutting stops there and the
// records before it are kept. One stray byte after the last record is not damage.
template <typename Record>
struct TRecordCut {
    std::vector<Record> Records;
    bool Damaged = false;
};

TRecordCut<std::string> CutOnePartRecords(std::string_view text);
TRecordCut<TTwoPartRecord> CutTwoPartRecords(std::string_view text);

// Appends one record to a file text.
void AppendOnePartRecord(std::string& text, std::string_view body);
void AppendTwoPartRecord(std::string& text, std::string_view header, std::string_view body);

// The blocks of ReadFileBlocks joined into one text.
std::string JoinBlocks(const std::vector<std::string>& blocks);
