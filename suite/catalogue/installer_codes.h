// The exit codes of Windows Installer's convention, which deployment tools
// read without being told (winget, Intune, Configuration Manager, Ansible).
// Both programs end with them when "/msicodes" asks for them; the winget
// manifest names them too.
#pragma once

namespace InstallerCode {
constexpr int Success = 0;
constexpr int Cancelled = 1602;          // the user ended the run
constexpr int Failed = 1603;             // files given up, something left
constexpr int NotInstalled = 1605;       // nothing of the suite is registered
constexpr int AnotherRunInProgress = 1618;
constexpr int FolderRefused = 1639;      // the command line's install folder is refused
constexpr int RestartNeeded = 3010;      // done; a restart finishes it
} // namespace InstallerCode
