#include "ClassicCrossword.h"

#include "template/ShablonFactory.h"

TClassicCrossword::TClassicCrossword()
    : TCrossword(TCrosswordKind::Classic, CreateTemplate(1, 1, static_cast<int>(TShablonKind::Classic))) {}
