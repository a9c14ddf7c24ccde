#include "suite/run/run_lock.h"

#include <aclapi.h>
#include <sddl.h>

#include "suite/catalogue/waits.h"
#include "suite/run/platform_calls.h"
#include "suite/run/run_log.h"

namespace {

// The machine-wide name first, so that a run under a management tool's system
// account and one in the user's session see each other; without the right to
// make a global object, the session's own.
const char* const LockNames[] = {"Global\\ZervVexloSetupOrUninstall", "ZervVexloSetupOrUninstall"};

// Every account may open the lock to see it and read its owner; only the
// system and administrators may do more.
const char* const LockSecurity = "D:(A;;0x00120001;;;WD)(A;;GA;;;SY)(A;;GA;;;BA)";
const DWORD LockAccess = SYNCHRONIZE | READ_CONTROL;

// The account this process runs as, or the owner its objects get by default
// (an elevated administrator's objects belong to the Administrators group).
bool IsOwnAccount(PSID sid)
{
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    union {
        TOKEN_USER user;
        TOKEN_OWNER owner;
        BYTE bytes[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    } info;
    DWORD size = 0;
    bool same = (GetTokenInformation(token, TokenUser, &info, sizeof(info), &size) && EqualSid(sid, info.user.User.Sid)) ||
                (GetTokenInformation(token, TokenOwner, &info, sizeof(info), &size) && EqualSid(sid, info.owner.Owner));
    CloseHandle(token);
    return same;
}

// Every run of ours makes the lock as an administrator, as the system account
// or as the user who runs it; a lock of any other account is a squatter's,
// which could otherwise keep every setup and uninstall from running.
bool MadeByOneOfUs(HANDLE mutex)
{
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (Platform.securityInfo(mutex, SE_KERNEL_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr,
                              &descriptor) != ERROR_SUCCESS)
        return true; // whose it is cannot be told: better one run too few than two at once
    bool ours = !owner || IsWellKnownSid(owner, WinBuiltinAdministratorsSid) ||
                IsWellKnownSid(owner, WinLocalSystemSid) || IsOwnAccount(owner);
    LocalFree(descriptor);
    return ours;
}

} // namespace

RunLock::Attempt RunLock::take()
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, FALSE};
    if (ConvertStringSecurityDescriptorToSecurityDescriptorA(LockSecurity, SDDL_REVISION_1, &descriptor, nullptr))
        security.lpSecurityDescriptor = descriptor;
    Attempt attempt = Attempt::Taken;
    for (const char* name : LockNames) {
        HANDLE mutex = CreateMutexExA(&security, name, 0, LockAccess);
        if (!mutex) {
            // Another account's lock that we may not open is a run of ours
            // under that account: ours open to everyone.
            if (GetLastError() == ERROR_ACCESS_DENIED) {
                attempt = Attempt::HeldElsewhere;
                break;
            }
            continue;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            mutex_ = mutex;
            break;
        }
        bool honoured = MadeByOneOfUs(mutex);
        CloseHandle(mutex);
        if (honoured) {
            attempt = Attempt::HeldElsewhere;
            break;
        }
        // Our runs still see each other under the session's own name.
        LogLine("ignored the lock %s: another account made it", name);
    }
    LocalFree(descriptor);
    // No lock could be made at all: nothing is in the way of this run.
    return attempt;
}

RunLock::RunLock(DWORD waitLimit)
{
    acquire(waitLimit);
}

void RunLock::acquire(DWORD waitLimit)
{
    for (DWORD waited = 0;; waited += Waits::LockPause) {
        if (take() == Attempt::Taken) {
            held_ = true;
            return;
        }
        if (waited >= waitLimit)
            return;
        if (waited == 0)
            LogLine("waiting up to %lu s for the other run to end", waitLimit / 1000);
        Platform.sleep(Waits::LockPause);
    }
}

RunLock::RunLock(HandedOver handedOver)
{
    DWORD flags;
    if (handedOver.mutex && GetHandleInformation(handedOver.mutex, &flags)) {
        // Ours now: not passed on to the processes this one starts.
        SetHandleInformation(handedOver.mutex, HANDLE_FLAG_INHERIT, 0);
        mutex_ = handedOver.mutex;
        held_ = true;
        return;
    }
    acquire(handedOver.waitLimit);
}

RunLock::~RunLock()
{
    if (mutex_)
        CloseHandle(mutex_);
}
