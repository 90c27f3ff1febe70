// Saved games ("*.sav") and tournament files ("*.tur").

#include "Game.h"

#include "Sizes.h"
#include "platform/Clock.h"
#include "platform/FileText.h"
#include "platform/Text.h"
#include "platform/Ui.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

constexpr std::size_t SavedHeaderSize = 9;
constexpr std::size_t LetterBytes = MaxShards * MaxShardSide * MaxShardSide;  // 400
constexpr uint8_t EmptySlotByte = 255;

constexpr std::size_t TournamentFileSize = 512;
constexpr std::size_t RecordSize = 17;
constexpr std::size_t TableBytes = TournamentSize * RecordSize;  // 357
constexpr int ChecksumPosition = 509;                            // positions count from 1

// The positions of the table bytes in a tournament file: running sums of these steps from 1.
constexpr std::array<int16_t, 19> ScatterSteps = {3, -1, 3, -1, 4, -1, -1, 4, -1, 3, -1, 4, -1, -1, 4, -1, 3, -1, 3};

void PutInt(std::string& out, int32_t value) {
    out += IntToBytes(value);
}

int32_t GetInt(std::string_view text, std::size_t at) {
    return BytesToInt(text.substr(at, 4));
}

int32_t Checksum(const std::array<TTournamentEntry, TournamentSize>& table) {
    // The sum wraps in 32 bits as the stored files expect; each record's term is added up wide so
    // that no value of a damaged file overflows. % and / truncate toward zero.
    uint32_t sum = 0;
    for (const TTournamentEntry& e : table) {
        const int64_t term = int64_t{e.H % 5} + e.W + e.w % 7 + e.h % 11 + e.Seconds % 135 + e.Points / 3 + int64_t{e.Order};
        sum += static_cast<uint32_t>(term);
    }
    return static_cast<int32_t>(sum);
}

void ReportFormatError() {
    TheUi().Message("Ошибка формата файла!"_cp);
}

}  // namespace

std::string TGame::SaveGameText() const {
    std::string out;
    out += static_cast<char>(CrossWidth);
    out += static_cast<char>(CrossHeight);
    out += static_cast<char>(ShardWidth);
    out += static_cast<char>(ShardHeight);
    PutInt(out, static_cast<int32_t>(TickCount() - StartTick));
    out += HintUsed ? '1' : '0';
    for (const TShardCells& shard : ShardLetters)
        for (const auto& column : shard)
            for (const char letter : column) out += letter;
    for (int c = 0; c < ShardCols; ++c)
        for (int r = 0; r < ShardRows; ++r) {
            out += static_cast<char>(static_cast<uint8_t>(Board[c][r].Shard));
            out += static_cast<char>(static_cast<uint8_t>(Tray[c][r].Shard));
        }
    return out;
}

bool TGame::LoadSaved(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<uint8_t>(text[i]); };
    if (text.size() < SavedHeaderSize + LetterBytes) return ReportFormatError(), false;
    const int W = byte(0), H = byte(1), w = byte(2), h = byte(3);
    if (!IsTemplateSize(W, H) || !IsShardSizeFor(W, H, w, h)) return ReportFormatError(), false;
    const int cols = W / w, rows = H / h, shards = cols * rows;
    const std::size_t slotsAt = SavedHeaderSize + LetterBytes;
    if (text.size() < slotsAt + 2 * static_cast<std::size_t>(shards)) return ReportFormatError(), false;
    // A game cannot have been played for less than no time; the clock would wrap to ages.
    const int32_t elapsed = GetInt(text, 4);
    if (elapsed < 0) return ReportFormatError(), false;

    // Every shard must lie in exactly one slot: anything else cannot be played (or drawn) safely.
    std::array<int, MaxShards> seen{};
    for (int i = 0; i < 2 * shards; ++i) {
        const uint8_t id = byte(slotsAt + i);
        if (id == EmptySlotByte) continue;
        if (id >= shards || seen[id]++) return ReportFormatError(), false;
    }
    for (int id = 0; id < shards; ++id)
        if (!seen[id]) return ReportFormatError(), false;

    SetupGeometry(W, H, w, h);
    LayoutTray();
    ResetBoard();
    StartTick = TickCount() - static_cast<uint32_t>(elapsed);
    HintUsed = text[8] == '1';
    std::size_t at = SavedHeaderSize;
    for (TShardCells& shard : ShardLetters)
        for (auto& column : shard)
            for (char& letter : column) letter = text[at++];
    const auto slot = [&](uint8_t id) { return static_cast<int16_t>(id == EmptySlotByte ? -1 : id); };
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r) {
            Board[c][r].Shard = slot(byte(at++));
            Tray[c][r].Shard = slot(byte(at++));
        }
    return true;
}

bool TGame::WriteTournament() {
    std::string data;
    for (const TTournamentEntry& e : Tournament) {
        data += static_cast<char>(e.W);
        data += static_cast<char>(e.H);
        data += static_cast<char>(e.w);
        data += static_cast<char>(e.h);
        PutInt(data, e.Seconds);
        PutInt(data, e.Points);
        PutInt(data, e.Order);
        data += e.Hard ? '1' : '0';
    }
    std::string out(ChecksumPosition - 1, '\0');
    for (char& filler : out) filler = static_cast<char>(32 + RandomInt(128));
    out += IntToBytes(Checksum(Tournament));
    int p = 1;
    for (std::size_t j = 0; j < TableBytes; ++j) {
        p += ScatterSteps[j % ScatterSteps.size()];
        out[p - 1] = static_cast<char>((static_cast<uint8_t>(data[j]) + p % 128) % 256);
    }
    return WriteFileText(TournamentFile, out);
}

bool TGame::ReadTournament() {
    std::string text;
    if (!ReadFileText(TournamentFile, text, TournamentFileSize)) return false;
    const auto broken = [&] {
        TheUi().Message(Format("Ошибка формата файла %s"_cp, FromUtf8(TournamentFile)));
        return false;
    };

    std::string data;
    for (int p = 1, k = 0;;) {
        p += ScatterSteps[k];
        if (p >= static_cast<int>(text.size())) break;
        k = (k + 1) % static_cast<int>(ScatterSteps.size());
        data += static_cast<char>((static_cast<uint8_t>(text[p - 1]) - p % 128 + 256) % 256);
    }
    if (data.size() < TableBytes || text.size() < TournamentFileSize) return broken();

    std::array<TTournamentEntry, TournamentSize> table{};
    for (int i = 0; i < TournamentSize; ++i) {
        const std::size_t at = i * RecordSize;
        TTournamentEntry& e = table[i];
        e.W = static_cast<uint8_t>(data[at]);
        e.H = static_cast<uint8_t>(data[at + 1]);
        e.w = static_cast<uint8_t>(data[at + 2]);
        e.h = static_cast<uint8_t>(data[at + 3]);
        e.Seconds = GetInt(data, at + 4);
        e.Points = GetInt(data, at + 8);
        e.Order = GetInt(data, at + 12);
        e.Hard = data[at + 16] == '1';
        if (!IsTournamentSize(e.W, e.H, e.w, e.h)) return broken();
    }
    if (Checksum(table) != GetInt(text, ChecksumPosition - 1)) return broken();

    // Every won entry must score what its time earns at the rating it was played at. Sums are
    // wide: a damaged file may hold any values.
    int64_t rating = 0;
    for (const TTournamentEntry& e : table) {
        if (e.Order < 0 || e.Points < 0) continue;
        if (rating > std::numeric_limits<int32_t>::max()) return broken();
        const int64_t earned = PointsFor(static_cast<int>(rating), (e.W / e.w) * (e.H / e.h), e.Hard);
        if (std::max<int64_t>(0, earned - e.Seconds) != e.Points) return broken();
        rating += e.Points;
    }
    if (rating > std::numeric_limits<int32_t>::max()) return broken();
    Tournament = table;
    Rating = static_cast<int32_t>(rating);
    return true;
}
