#pragma once

// TFillWordShablon: the fill-word field (kind 6), in which the crossword snakes words through the
// cells by orthogonal steps.

#include "FieldShablon.h"

class TFillWordShablon : public TFieldShablon {
public:
    TFillWordShablon(int width, int height) : TFieldShablon(width, height, TShablonKind::FillWord) {}
};
