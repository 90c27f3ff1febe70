#pragma once

// The one writer of every file the programs make: saved games, tournament files, templates,
// crosswords, style files, scripts and pictures.
//
// A regular file (or a missing one) is replaced only once its new contents are complete on disk:
// the bytes go to a temporary file beside it, every write, the flush and the close are checked,
// and the temporary file is renamed over the target only then; on any failure the old file stays
// as it was. A symbolic link is followed and its target replaced the same way, so the link stays
// a link. A character or block device (/dev/null, /dev/full, a terminal) is written in place,
// never replaced by a regular file. A FIFO, a socket or a directory is refused: opening a FIFO
// would wait for a reader, and renaming over it would destroy it.

#include "FileOutcome.h"

#include <string>
#include <string_view>

// Writes bytes to the file at path by the rules above. A name of an open descriptor
// ("/dev/stdout", "/dev/fd/3") is written through that descriptor; callers that take "-" for the
// standard output hand the bytes to their own stream instead.
TFileOutcome WriteOutputFile(const std::string& path, std::string_view bytes);

// Why path cannot take an output (a FIFO, a socket, a directory, a link that loops), or a
// successful outcome when it can; lets a program refuse an output before doing the work.
TFileOutcome CheckOutputPath(const std::string& path);

// True when both paths name one existing file (the same device and inode, links followed).
bool IsSameFile(const std::string& first, const std::string& second);
