#pragma once

// The two honeycomb kinds in crossgen: their templates come from files and pictures only. The
// picture form writes a centre as "o" and its start direction ("o" alone: none stored) and the
// header values " first-row=0 ring=R mode=M"; the JSON lists the centres and the ring mode.

#include <string>
#include <string_view>

class TCrossword;
class TShablon;

// The header values, and one set back (first-row is the picture reader's own).
std::string HoneyPictureValues(const TShablon& shablon);
bool SetHoneyPictureValue(TShablon& shablon, std::string_view key, std::string_view value);
// The JSON members ", \"ringMode\": M, \"centres\": [[x, y, number, direction], ...]": the
// numbered centres, rows outer, with the direction their ring starts at.
std::string HoneyJsonMembers(const TCrossword& crossword);
