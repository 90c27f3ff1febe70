#include "GraphCollection.h"

#include "FileText.h"
#include "RecordFile.h"
#include "Text.h"
#include "Ui.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>

namespace {

constexpr std::size_t HeaderNameStart = 5;  // kind byte, then the 4-byte tag
// The pixels the pictures of one file may decode to in all, five times what the game's artwork
// holds; a file that asks for more (a few bytes of SVG or JPEG can ask for a picture of the
// largest size) has its later pictures skipped as damage.
constexpr long long CollectionPixelBudget = 4LL * 1024 * 1024;

std::string PictureHeader(TPictureKind kind, int32_t tag, std::string_view name) {
    std::string header(1, static_cast<char>(kind));
    header += IntToBytes(tag);
    header += name;
    return header;
}

}  // namespace

bool TGraphCollection::LoadFromFile() {
    Clear();
    mDamaged = false;
    std::vector<std::string> blocks;
    if (!ReadFileBlocks(FileName, blocks)) return false;
    ParseText(JoinBlocks(blocks));
    return true;
}

void TGraphCollection::ParseText(std::string_view text) {
    const auto cut = CutTwoPartRecords(text);
    mDamaged = cut.Damaged;
    // Names found by hashing: a file of many small records must not take quadratic time.
    std::unordered_map<std::string, int> indexOfName;
    for (int i = 0; i < Count(); ++i) indexOfName.emplace(mItems[i].Name, i);
    long long pixelsLeft = CollectionPixelBudget;
    for (const auto& record : cut.Records) {
        const std::string_view header = record.Header;
        if (header.size() < HeaderNameStart || !IsPictureKind(static_cast<unsigned char>(header[0]))) {
            mDamaged = true;
        } else {
            const auto kind = static_cast<TPictureKind>(header[0]);
            const std::string_view name = header.substr(HeaderNameStart);
            auto found = indexOfName.find(std::string(name));
            if (found == indexOfName.end()) {
                auto picture = TPicture::FromData(kind, record.Body, pixelsLeft);
                if (picture) {
                    pixelsLeft -= static_cast<long long>(picture->Width()) * picture->Height();
                    Add(name, std::move(picture));
                    found = indexOfName.emplace(name, Count() - 1).first;
                } else {
                    mDamaged = true;
                }
            }
            if (found != indexOfName.end()) SetTag(found->second, BytesToInt(header.substr(1, 4)));
        }
        TheUi().ProcessMessages();
    }
}

std::string TGraphCollection::SaveToText() const {
    std::string text;
    for (const auto& item : mItems)
        AppendTwoPartRecord(text, PictureHeader(item.Picture->Kind(), item.Tag, item.Name), item.Picture->Data());
    return text;
}

bool TGraphCollection::SaveToFile() const {
    return WriteFileText(FileName, SaveToText());
}

bool TGraphCollection::Add(std::string_view name, std::unique_ptr<TPicture> picture) {
    if (!picture) return false;
    mItems.push_back({std::string(name), 0, std::move(picture)});
    return true;
}

bool TGraphCollection::AddFromStream(TPictureKind kind, std::string_view name, std::string_view data) {
    return IndexOfName(name) < 0 && Add(name, TPicture::FromData(kind, data));
}

bool TGraphCollection::AddFromFile(std::string_view name, const std::string& path) {
    const int kind = PictureKindOfFile(path);
    if (IndexOfName(name) >= 0 || kind < 0) return false;
    std::string data;
    if (!ReadFileText(path, data)) return false;
    return Add(name, TPicture::FromData(static_cast<TPictureKind>(kind), data));
}

bool TGraphCollection::AddGraphic(std::string_view name, const TPicture& picture) {
    return IndexOfName(name) < 0 && Add(name, TPicture::FromData(picture.Kind(), picture.Data()));
}

bool TGraphCollection::AddBlank(std::string_view name, TPictureKind kind, int width, int height) {
    return IndexOfName(name) < 0 && Add(name, TPicture::Blank(kind, width, height));
}

void TGraphCollection::ReplaceFromFile(std::string_view name, const std::string& path) {
    if (path == name) return;
    const int index = IndexOfName(name);
    if (index >= 0) Delete(index);
    if (!path.empty()) AddFromFile(name, path);
}

void TGraphCollection::AssignFrom(const TGraphCollection& other) {
    for (const auto& item : other.mItems) AddGraphic(item.Name, *item.Picture);
}

int TGraphCollection::IndexOfName(std::string_view name) const {
    for (std::size_t i = 0; i < mItems.size(); ++i)
        if (mItems[i].Name == name) return static_cast<int>(i);
    return -1;
}

bool TGraphCollection::SetName(int i, std::string_view name) {
    const int holder = IndexOfName(name);
    if (holder >= 0 && holder != i) return false;
    mItems[i].Name = name;
    return true;
}

std::string TGraphCollection::PictureFileName(int i) const {
    const std::string& name = mItems[i].Name;
    if (name.find('.') != std::string::npos) return name;
    switch (Kind(i)) {
        case TPictureKind::Metafile: return name + ".svg";
        case TPictureKind::Bitmap: return name + ".bmp";
        case TPictureKind::Jpeg: return name + ".jpg";
    }
    return name;
}

std::string TGraphCollection::UniqueName(std::string_view base) const {
    if (IndexOfName(base) < 0) return std::string(base);
    for (int n = 0;; ++n) {
        std::string name = Format("%s_%d", base, n);
        if (IndexOfName(name) < 0) return name;
    }
}

void TGraphCollection::Delete(int i) {
    mItems.erase(mItems.begin() + i);
}
