#pragma once

// The two chain kinds in crossgen: "--chain X,Y:MOVES" lays a chain of one's own (R, L, U, D from
// the start), "--size WxH" a serpentine chainword, "--overlap K" the letters consecutive chainword
// words share, "--formatted" keeps a chainword's slots as its template marks them.

#include "Options.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

class TCrossword;
class TShablon;

struct TChainOptions {
    std::string Chain;  // "X,Y:MOVES"; empty: none
    int Overlap = 0;    // 0: not given
    bool Formatted = false;

    // Declares --chain, --overlap and --formatted.
    void AddOptions(TOptionParser& parser);
    // Lays the chain (or the serpentine, for a chainword without one) and Overlap on a new chain
    // template; false, with why, for a malformed or refused chain or another kind with chain options.
    bool Apply(TShablon& shablon, std::string& error) const;
    // The grid size the chain's cells need; false for a malformed chain.
    bool ChainSize(int& width, int& height) const;
};

// A chainword works unformatted unless --formatted (the load would have asked); a crossing
// chainword without a chain cannot be filled: false after a complaint on err.
bool PrepareChainFill(TCrossword& crossword, bool formatted, std::ostream& err);

// The picture form's values (" start=X,Y overlap=K", the crossing chainword without overlap) and
// one set back.
std::string ChainPictureValues(const TShablon& shablon);
bool SetChainPictureValue(TShablon& shablon, std::string_view key, std::string_view value);
// The JSON member ", \"chain\": [[x, y], ...]": the chain cells in order, a crossing cell once per
// passage.
std::string ChainJsonMembers(const TCrossword& crossword);

extern const char* const ChainOptionsHelp;
