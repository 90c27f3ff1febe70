#pragma once

// TEnglishShablon: the word field (kind 7), in which the crossword lays words straight in the
// eight directions.

#include "FieldShablon.h"

class TEnglishShablon : public TFieldShablon {
public:
    TEnglishShablon(int width, int height) : TFieldShablon(width, height, TShablonKind::English) {}
};
