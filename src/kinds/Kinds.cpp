#include "Kinds.h"

#include "Chainword.h"
#include "Circle.h"
#include "CircleShablon.h"
#include "DiagonalCrossword.h"
#include "DiagonalShablon.h"
#include "EnglishCrossword.h"
#include "EnglishShablon.h"
#include "EstonishCrossword.h"
#include "EstonishShablon.h"
#include "FillWordCrossword.h"
#include "FillWordShablon.h"
#include "FootBallCrossword.h"
#include "FootBallShablon.h"
#include "Honey.h"
#include "HoneyShablon.h"
#include "JaponishShablon.h"
#include "Kinder.h"
#include "KnightCrossword.h"
#include "KnightShablon.h"
#include "LineShablon.h"
#include "LineSkanword.h"
#include "Skanword.h"
#include "SkanwordShablon.h"

#include "crossword/CrosswordFactory.h"
#include "template/ShablonFactory.h"

#include <memory>

namespace {

template <class TKindShablon>
void RegisterTemplate(TShablonKind kind) {
    RegisterTemplateKind(kind, [](int width, int height) -> std::unique_ptr<TShablon> {
        return std::make_unique<TKindShablon>(width, height);
    });
}

template <class TKindCrossword>
void RegisterCrossword(TCrosswordKind kind) {
    RegisterCrosswordKind(kind, []() -> std::unique_ptr<TCrossword> { return std::make_unique<TKindCrossword>(); });
}

void RegisterAll() {
    RegisterTemplate<TEstonishShablon>(TShablonKind::Estonish);
    RegisterTemplate<TAmericanShablon>(TShablonKind::American);
    RegisterCrossword<TEstonishCrossword>(TCrosswordKind::Estonish);
    RegisterCrossword<TAmerican>(TCrosswordKind::American);
    RegisterTemplate<TSkanwordShablon>(TShablonKind::Skanword);
    RegisterTemplate<TSkanwordShablon2>(TShablonKind::Skanword2);
    RegisterTemplate<TSkanwordShablon3>(TShablonKind::Skanword3);
    RegisterCrossword<TSkanword>(TCrosswordKind::Skanword);
    RegisterCrossword<TSkanword2>(TCrosswordKind::Skanword2);
    RegisterCrossword<TSkanword3>(TCrosswordKind::Skanword3);
    RegisterTemplate<TCircleShablon>(TShablonKind::Circle);
    RegisterCrossword<TCircle>(TCrosswordKind::Circle);
    RegisterTemplate<TFillWordShablon>(TShablonKind::FillWord);
    RegisterCrossword<TFillWordCrossword>(TCrosswordKind::FillWord);
    RegisterTemplate<TEnglishShablon>(TShablonKind::English);
    RegisterCrossword<TEnglishCrossword>(TCrosswordKind::English);
    RegisterTemplate<TFootBallShablon>(TShablonKind::FootBall);
    RegisterCrossword<TFootBallCrossword>(TCrosswordKind::FootBall);
    RegisterTemplate<TKnightShablon>(TShablonKind::Knight);
    RegisterTemplate<TJaponishShablon>(TShablonKind::Japonish);
    RegisterCrossword<TKnightCrossword>(TCrosswordKind::Knight);
    RegisterTemplate<TDiagonalShablon>(TShablonKind::Diagonal);
    RegisterCrossword<TDiagonalCrossword>(TCrosswordKind::Diagonal);
    RegisterTemplate<TChainwordShablon>(TShablonKind::Chainword);
    RegisterCrossword<TChainword>(TCrosswordKind::Chainword);
    RegisterTemplate<TKinderShablon>(TShablonKind::Kinder);
    RegisterCrossword<TKinder>(TCrosswordKind::Kinder);
    RegisterTemplate<TCrossChainwordShablon>(TShablonKind::CrossChainword);
    RegisterCrossword<TCrossChainword>(TCrosswordKind::CrossChainword);
    RegisterTemplate<THoneyShablon>(TShablonKind::Honey);
    RegisterTemplate<THoneyShablon_8>(TShablonKind::Honey8);
    RegisterCrossword<THoney>(TCrosswordKind::Honey);
    RegisterCrossword<THoney_8>(TCrosswordKind::Honey8);
    RegisterTemplate<TLineShablon>(TShablonKind::Line);
    RegisterCrossword<TLineSkanword>(TCrosswordKind::LineSkanword);
}

}  // namespace

void RegisterKinds() {
    static const bool registered = (RegisterAll(), true);
    (void)registered;
}
