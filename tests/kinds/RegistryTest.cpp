#include "kinds/Kinds.h"

#include "crossword/CrosswordFactory.h"
#include "template/ShablonFactory.h"

#include <gtest/gtest.h>

// Every template the factory makes is of the code asked for, and the crossword made for that
// template code (when there is one) fills templates of that kind.
TEST(KindsRegistry, FactoriesAnswerTheKindAskedFor) {
    RegisterKinds();
    RegisterKinds();
    for (int code = 0; code < ShablonKindCount; ++code) {
        SCOPED_TRACE(code);
        const auto shablon = CreateTemplate(5, 5, code);
        if (!shablon) continue;
        EXPECT_EQ(static_cast<int>(shablon->Kind), code);
        const auto crossword = CreateCrossword(code, TKindCode::Template);
        if (crossword) {
            EXPECT_EQ(static_cast<int>(crossword->Template->Kind), code);
        }
    }
    EXPECT_EQ(CreateTemplate(5, 5, ShablonKindCount), nullptr);
    EXPECT_EQ(CreateCrossword(CrosswordKindCount), nullptr);
}
