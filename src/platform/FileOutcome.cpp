#include "FileOutcome.h"

#include <sys/stat.h>

std::string NotRegularReason(unsigned mode) {
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return "is a directory";
    if (S_ISFIFO(mode)) return "is a FIFO";
    if (S_ISSOCK(mode)) return "is a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "is a device";
    return "is not a regular file";
}
