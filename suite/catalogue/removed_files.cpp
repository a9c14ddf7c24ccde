#include "suite/catalogue/removed_files.h"

#include "suite/catalogue/earlier_releases.h"
#include "suite/catalogue/install_subfolders.h"
#include "suite/catalogue/suite_identity.h"

const RemovedFile RemovedFiles[] = {
    // The suite's own files beside the programs, of this release and earlier ones.
    Suite::ExeTag, Suite::HelpFile, "Vexlo.GID", VEXLO_HELP_NAME ".gid", "setup.exe", "Settings.ico",
    VEXLO_SHORT_NAME "_Lang.txt", "Common_Lang.txt", VEXLO_OLDER_TEXT_FILE, "Pondry_Lang.txt",
    "Languages\\Pondry_Lang.txt",
    // The tools' programs and libraries before the "vx" prefix; two of the
    // current ones go now and again below.
    VEXLO_OLDER_TOOL_FILES, "Wendra.exe", "Ovalle.pn",
    // The current programs, and each user's part of an install for all users.
    "vxnorrik.exe", "vxnknotify.exe", VEXLO_OLDER_FOLDER_COPY_PROGRAM, "Wendra.exe", "vxovalle.exe", "Ovalle.pn",
    "vxyessa.exe", "vxscrivo.exe", "vxhalder.exe", "vxfennet.exe", "vxtovin.exe", "vxautopn.exe", "vxpondry.exe",
    "vxlumio.exe", "vxkimber.exe", "vxdewlit.exe", "vxambro.exe", "vxgrask.exe", "vxglimmet.exe", "vxcaddel.exe",
    "vxrestart.exe", "vxpellor.exe", "vxorvex.exe", "vxquesh.exe", "vxstoval.exe", "vxbrolla.exe",
    "vxbrollashell.dll", Suite::UserProgram,

    // The context-menu extensions, the layout tool's and the clock's
    // libraries, and the runtime library.
    {"vxambro.dll", RemovedAs::HeldLibrary},
    {"vxnkmenu.dll", RemovedAs::HeldLibrary},
    {"vxpondry.dll", RemovedAs::HeldLibrary},
    {"vxbrollashell.dll", RemovedAs::HeldLibrary},
    {"vxtrayclock.dll", RemovedAs::HeldLibrary},
    {"Vexlo.dll", RemovedAs::HeldLibrary, true},

    {InstallSubfolder::Sounds, RemovedAs::Subfolder},
    {InstallSubfolder::Languages, RemovedAs::Subfolder},
    {InstallSubfolder::Help, RemovedAs::Subfolder},

    {"uninstall.exe", RemovedAs::Uninstaller, true},
};
static_assert(sizeof(RemovedFiles) / sizeof(RemovedFiles[0]) == RemovedFileCount, "removed files");
