// Preloaded into a real vantix-calc by the tests (LD_PRELOAD): a file system
// without working locks, as NFS without a lock manager answers flock.
#include <cerrno>

extern "C" int flock(int, int) {
    errno = ENOLCK;
    return -1;
}
