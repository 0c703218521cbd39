#pragma once
// Makes the file-permission checks of the calling thread those of an ordinary
// user while it lives. Tests run as root in CI, and permission bits do not
// stop root; as root the thread's file-system user becomes "nobody" (which
// also drops root's right to ignore permission bits), as any other user
// nothing changes. Linux only.
#include <sys/fsuid.h>
#include <unistd.h>

class OrdinaryFileUser {
public:
    static constexpr uid_t kNobody = 65534;

    OrdinaryFileUser()
    {
        if (::geteuid() != 0)
            return;
        ::setfsuid(kNobody);
        // setfsuid answers with the previous id; an invalid id only asks.
        switched_ = ::setfsuid(static_cast<uid_t>(-1)) == static_cast<int>(kNobody);
    }
    ~OrdinaryFileUser()
    {
        if (switched_)
            ::setfsuid(0);
    }
    OrdinaryFileUser(const OrdinaryFileUser&) = delete;
    OrdinaryFileUser& operator=(const OrdinaryFileUser&) = delete;

    // True when permission bits now apply: the process is not root, or the
    // switch worked.
    bool bitsApply() const { return ::geteuid() != 0 || switched_; }

private:
    bool switched_ = false;
};
