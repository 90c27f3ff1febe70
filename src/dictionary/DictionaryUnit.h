#pragma once

// The dictionary layer: the working dictionary and its file, the search for words that fit a
// mask, and the text utilities.

#include "CellFormat.h"
#include "DictionaryWriter.h"
#include "DynaUsedWord.h"
#include "FileHelpers.h"
#include "Find.h"
#include "FindSpecial.h"
#include "Fragments.h"
#include "LetterCase.h"
#include "Mask.h"
#include "Opredelenia.h"
#include "SpaceSortedList.h"
#include "Syllables.h"
#include "TextHelpers.h"
#include "WorkDictionary.h"
