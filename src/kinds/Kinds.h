#pragma once

// The template and crossword kinds beyond the classic one. They register their constructors with
// the two factories here, by one explicit call: a static library's self-registering objects
// would be dropped by the linker.

// Registers every kind of this folder with CreateTemplate and CreateCrossword. Calling it again
// does nothing.
void RegisterKinds();
