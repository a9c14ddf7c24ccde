#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <fstream>
#include <sstream>

#include "tests/support/process_runner.h"

namespace {

std::string WinePath(std::string path)
{
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return "Z:" + path;
}

} // namespace

std::string DistFolder()
{
    return WinePath(VEXLO_DIST_UNIX_PATH);
}

std::string SourceFolder()
{
    return WinePath(VEXLO_SOURCE_UNIX_PATH);
}

void RemoveTree(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileA(path.c_str()))
            RemoveDirectoryA(path.c_str());
        return;
    }
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name != "." && name != "..")
                RemoveTree(path + "\\" + name);
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

std::string FreshFolder(const std::string& name)
{
    std::string path = "C:\\vexlo-tests\\" + name;
    RemoveTree(path);
    CreateDirectoryA("C:\\vexlo-tests", nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

bool FileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteWholeFile(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

std::vector<std::string> FilesMatching(const std::string& folder, const std::string& pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) {
        // Only "nothing there" is an empty list: a folder that something is
        // still removing (sharing violation) would otherwise read as empty.
        DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND && error != ERROR_NO_MORE_FILES)
            ADD_FAILURE() << "cannot list " << folder << "\\" << pattern << " (error " << error << ")";
        return names;
    }
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

std::string TempFolder()
{
    char path[MAX_PATH];
    DWORD length = GetTempPathA(sizeof(path), path);
    std::string folder(path, length);
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

std::string UnixPath(const std::string& path)
{
    using UnixName = char*(CDECL*)(const WCHAR*);
    auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
    if (!unixName)
        return "";
    std::wstring wide(path.begin(), path.end());
    char* name = unixName(wide.c_str());
    std::string result = name ? name : "";
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

void RunUnix(const std::string& commandLine)
{
    std::string program = commandLine.substr(0, commandLine.find(' '));
    RunProgram("Z:\\bin\\" + program, commandLine.substr(program.size() + 1), 10000);
}

MappedDrive::MappedDrive(char letter, const std::string& folder)
{
    std::string drives = UnixPath("C:\\");
    if (drives.size() > 3)
        drives.erase(drives.size() - 3); // "c:/"
    link_ = drives + letter + ":";
    RunUnix("ln -sfn \"" + UnixPath(folder) + "\" \"" + link_ + "\"");
    std::string root = std::string(1, letter) + ":\\";
    for (int wait = 0; wait < 50 && GetFileAttributesA(root.c_str()) == INVALID_FILE_ATTRIBUTES; ++wait)
        Sleep(100);
}

MappedDrive::~MappedDrive()
{
    RunUnix("rm -f \"" + link_ + "\"");
}

Shortcut ReadShortcut(const std::string& path)
{
    Shortcut fields;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return fields;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        std::wstring widePath(path.begin(), path.end());
        if (SUCCEEDED(file->Load(widePath.c_str(), STGM_READ))) {
            char text[MAX_PATH * 2] = "";
            link->GetPath(text, sizeof(text), nullptr, SLGP_RAWPATH);
            fields.target = text;
            link->GetArguments(text, sizeof(text));
            fields.arguments = text;
            link->GetWorkingDirectory(text, sizeof(text));
            fields.workingFolder = text;
        }
        file->Release();
    }
    link->Release();
    return fields;
}
