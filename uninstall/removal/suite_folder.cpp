#include "uninstall/removal/suite_folder.h"

#include <windows.h>

#include "suite/catalogue/suite_identity.h"
#include "suite/run/run_log.h"
#include "suite/system/folders_of_others.h"
#include "suite/system/install_path.h"
#include "suite/text/path_text.h"

namespace {

bool IsFile(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Many products ship an "uninstall.exe"; ours names its maker.
bool IsOurProgram(const char* path)
{
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0 || size > 64 * 1024)
        return false;
    HANDLE heap = GetProcessHeap();
    void* data = HeapAlloc(heap, 0, size);
    char* company = nullptr;
    UINT length = 0;
    bool ours = data && GetFileVersionInfoA(path, 0, size, data) &&
                VerQueryValueA(data, "\\StringFileInfo\\040904b0\\CompanyName", reinterpret_cast<void**>(&company),
                               &length) &&
                length > 0 && lstrcmpA(company, Suite::Maker) == 0;
    if (data)
        HeapFree(heap, 0, data);
    return ours;
}

const char* WhyNotOurs(const char* folder)
{
    // A relative folder would be taken from the temporary folder the copy runs in.
    if (!*folder || ShapeOfFolder(folder) == FolderShape::Other)
        return "is no full path, or a name in it ends in a blank or a dot";
    if (IsFolderOfOthers(folder))
        return "is a folder of Windows, of the user or of other programs";
    DWORD attributes = GetFileAttributesA(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return "cannot be found or reached";
    PathBuffer file;
    if ((JoinPath(file, folder, "Vexlo.dll") && IsFile(file.c_str())) ||
        (JoinPath(file, folder, "uninstall.exe") && IsFile(file.c_str()) && IsOurProgram(file.c_str())))
        return nullptr;
    return "holds neither the suite's Vexlo.dll nor its uninstall.exe";
}

} // namespace

bool ReadSuiteFolder(PathBuffer& folder)
{
    if (!ReadInstallPath(folder)) {
        LogLine("no InstallPath: the install folder's files stay");
        return false;
    }
    if (const char* why = WhyNotOurs(folder.c_str())) {
        LogLine("the install folder \"%s\" %s: its files stay", folder.c_str(), why);
        folder.clear();
        return false;
    }
    return true;
}
