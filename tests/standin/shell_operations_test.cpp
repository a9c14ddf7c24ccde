// Folder, shortcut, picker and Explorer operations of the stand-in library.
#include <gtest/gtest.h>

#include <shlobj.h>
#include <shobjidl.h>
#include <winioctl.h>

#include <string>
#include <thread>

#include "suite/vexlo.h"
#include "tests/support/process_runner.h"
#include "tests/support/test_files.h"
#include "tests/support/window_driver.h"

namespace {

// Every name in a folder, folders included.
std::vector<std::string> Entries(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (lstrcmpA(found.cFileName, ".") && lstrcmpA(found.cFileName, ".."))
            names.push_back(found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

// A junction on Windows. Wine cannot make one, but shows a Unix symbolic link
// to a folder as a reparse point, so the test makes that through /bin/ln.
bool MakeFolderLink(const std::string& link, const std::string& target)
{
    CreateDirectoryA(link.c_str(), nullptr);
    HANDLE handle = CreateFileA(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    std::wstring substitute = L"\\??\\" + std::wstring(target.begin(), target.end());
    std::string data(8 + 8 + (substitute.size() + 2) * 2, '\0');
    auto words = reinterpret_cast<WORD*>(&data[0]);
    *reinterpret_cast<DWORD*>(&data[0]) = IO_REPARSE_TAG_MOUNT_POINT;
    words[2] = static_cast<WORD>(data.size() - 8);
    words[4] = 0;                                              // substitute name offset
    words[5] = static_cast<WORD>(substitute.size() * 2);       // and length
    words[6] = static_cast<WORD>(substitute.size() * 2 + 2);   // print name offset, empty
    CopyMemory(&data[16], substitute.data(), substitute.size() * 2);
    DWORD returned = 0;
    bool made = handle != INVALID_HANDLE_VALUE &&
                DeviceIoControl(handle, FSCTL_SET_REPARSE_POINT, &data[0], data.size(), nullptr, 0, &returned, nullptr);
    if (handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
    if (made)
        return true;

    RemoveDirectoryA(link.c_str());
    std::string parent = link.substr(0, link.rfind('\\'));
    RunUnix("ln -s \"" + UnixPath(target) + "\" \"" + UnixPath(parent) + "/" + link.substr(parent.size() + 1) + "\"");
    for (int wait = 0; wait < 50; ++wait) {
        DWORD attributes = GetFileAttributesA(link.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            return true;
        Sleep(100);
    }
    return false;
}

// Runs the folder picker on this thread while another one answers it.
std::string PickFolder(const std::string& start, int answer)
{
    char buffer[MAX_PATH];
    lstrcpynA(buffer, start.c_str(), MAX_PATH);
    bool answered = false;
    std::thread user([&] {
        HWND picker = WaitForWindow(GetCurrentProcessId(), "#32770", nullptr, 10000);
        if (!picker)
            return;
        Sleep(300);
        ClickButton(picker, answer);
        answered = true;
    });
    VxPickFolder(nullptr, buffer);
    user.join();
    EXPECT_TRUE(answered);
    return buffer;
}

} // namespace

TEST(RemoveFolder, RemovesNestedReadOnlyContentButNotWhatLinksPointTo)
{
    std::string root = FreshFolder("remove-folder");
    std::string doomed = root + "\\doomed";
    std::string outside = root + "\\outside";
    CreateDirectoryA(outside.c_str(), nullptr);
    WriteWholeFile(outside + "\\keep.txt", "keep");
    for (const char* folder : {"", "\\Help", "\\Help\\deep", "\\Sounds"})
        CreateDirectoryA((doomed + folder).c_str(), nullptr);
    WriteWholeFile(doomed + "\\vxnorrik.exe", "program");
    WriteWholeFile(doomed + "\\Help\\deep\\Norrik.hlp", "help");
    WriteWholeFile(doomed + "\\Sounds\\gnoop.wav", "sound");
    SetFileAttributesA((doomed + "\\vxnorrik.exe").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA((doomed + "\\Help\\deep\\Norrik.hlp").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA((doomed + "\\Help\\deep").c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(MakeFolderLink(doomed + "\\Sounds\\link", outside));
    ASSERT_TRUE(FileExists(doomed + "\\Sounds\\link\\keep.txt"));

    VxRemoveFolder((doomed + "\\").c_str(), 1);

    EXPECT_EQ(ReadWholeFile(outside + "\\keep.txt"), "keep");
    EXPECT_FALSE(FileExists(doomed + "\\vxnorrik.exe"));
    EXPECT_FALSE(FolderExists(doomed + "\\Help"));
    EXPECT_FALSE(FileExists(doomed + "\\Sounds\\gnoop.wav"));
    // Wine cannot delete a Unix link to a folder, so there the link and the
    // folders above it stay; Windows removes the junction and all of it.
    if (FolderExists(doomed)) {
        EXPECT_EQ(Entries(doomed), std::vector<std::string>{"Sounds"});
        EXPECT_EQ(Entries(doomed + "\\Sounds"), std::vector<std::string>{"link"});
    }

    // Missing folders are no error; a folder that is a link goes as a link.
    VxRemoveFolder((root + "\\never there").c_str(), 1);
    ASSERT_TRUE(MakeFolderLink(root + "\\alias", outside));
    VxRemoveFolder((root + "\\alias").c_str(), 1);
    EXPECT_EQ(ReadWholeFile(outside + "\\keep.txt"), "keep");
}

TEST(RemoveFolder, NeverTakesARootOrARelativePath)
{
    std::string root = FreshFolder("remove-guard");
    WriteWholeFile(root + "\\victim.txt", "still here");
    CreateDirectoryA((root + "\\victim").c_str(), nullptr);

    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(root.c_str());
    VxRemoveFolder("victim", 1);
    VxRemoveFolder("", 1);
    SetCurrentDirectoryA(previous);
    EXPECT_TRUE(FolderExists(root + "\\victim"));

    // A drive letter of its own for the scratch folder, so that a failing
    // guard costs only that folder.
    MappedDrive drive('r', root);
    ASSERT_TRUE(FileExists("R:\\victim.txt"));
    VxRemoveFolder("R:\\", 1);
    VxRemoveFolder("R:", 1);
    EXPECT_EQ(ReadWholeFile(root + "\\victim.txt"), "still here");
}

TEST(CreateShortcut, WritesTargetArgumentsAndWorkingFolderAndReplaces)
{
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    std::string root = FreshFolder("create-shortcut");
    std::string link = root + "\\Start Menu\\Vexlo\\1e Stop all.lnk";

    VxCreateShortcut(link.c_str(), "C:\\Program Files\\Vexlo\\vxfennet.exe", "/stopall", "C:\\Program Files\\Vexlo",
                     0);
    Shortcut first = ReadShortcut(link);
    EXPECT_EQ(first.target, "C:\\Program Files\\Vexlo\\vxfennet.exe");
    EXPECT_EQ(first.arguments, "/stopall");
    EXPECT_EQ(first.workingFolder, "C:\\Program Files\\Vexlo");

    SetFileAttributesA(link.c_str(), FILE_ATTRIBUTE_READONLY);
    VxCreateShortcut(link.c_str(), root.c_str(), "", root.c_str(), 0);
    Shortcut second = ReadShortcut(link);
    EXPECT_EQ(second.target, root);
    EXPECT_EQ(second.arguments, "");
    EXPECT_EQ(second.workingFolder, root);
    OleUninitialize();
}

TEST(PickFolder, StartsAtTheNearestExistingFolderAndCancelKeepsTheText)
{
    std::string root = FreshFolder("pick-folder");
    std::string typed = root + "\\not yet\\Vexlo";
    EXPECT_EQ(PickFolder(typed, IDCANCEL), typed);
    EXPECT_EQ(PickFolder(typed, IDOK), root);
}

TEST(CloseExplorerWindows, ClosesFolderWindowsBeforeReturning)
{
    std::string folder = FreshFolder("explorer-window");
    StartedProcess explorer = StartProgram("C:\\windows\\explorer.exe", folder);
    HWND window = WaitForWindow(explorer.id, nullptr, "explorer-window", 15000);
    ASSERT_NE(window, nullptr);
    VxCloseExplorerWindows();
    EXPECT_FALSE(IsWindow(window));
    VxRestoreExplorer();
    EXPECT_GE(WaitForExit(explorer, 10000), 0);
}
