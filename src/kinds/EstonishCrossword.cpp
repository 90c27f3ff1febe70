#include "EstonishCrossword.h"

#include "EstonishShablon.h"

TEstonishCrossword::TEstonishCrossword()
    : TCrossword(TCrosswordKind::Estonish, std::make_unique<TEstonishShablon>(1, 1)) {}

TAmerican::TAmerican() : TCrossword(TCrosswordKind::American, std::make_unique<TAmericanShablon>(1, 1)) {
    CluesInGrid = 1;
}
