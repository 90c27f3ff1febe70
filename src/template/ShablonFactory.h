#pragma once

// The template class factory: a kind code in, a new template of that kind out. The classic kind
// is built in; the other kinds live in a higher layer and register their constructors here.

#include "Shablon.h"

#include <functional>
#include <memory>

using TShablonMaker = std::function<std::unique_ptr<TShablon>(int width, int height)>;

// A new template of the kind, or nullptr for a code that names no registered kind.
std::unique_ptr<TShablon> CreateTemplate(int width, int height, int kind);

// Makes CreateTemplate build kind with maker (replacing any earlier maker of that kind).
void RegisterTemplateKind(TShablonKind kind, TShablonMaker maker);
