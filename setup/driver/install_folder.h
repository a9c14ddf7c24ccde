// Where the suite goes: the rules every install folder keeps, and the folder
// when the command line named none.
#pragma once

enum class FolderFault {
    None,
    NotUsable, // no full path to a folder below a drive or share (ShapeOfFolder)
    OfOthers,  // a folder of Windows, of the user or of other programs (IsFolderOfOthers)
};

// Only a full path to a folder of its own takes the suite: from "/path:", from
// an earlier "InstallPath" and from the options dialog alike.
FolderFault FaultOfInstallFolder(const char* folder);

// The message for a fault, in English, to be translated.
const char* FolderFaultText(FolderFault fault);

// Fills an empty InstallContext.installDir with the folder of an earlier
// install, else the system's program folder + "Vexlo".
void ChooseDefaultInstallFolder();

// Drops one trailing backslash from InstallContext.installDir: the stages
// join names to the folder with their own backslash.
void RemoveInstallFolderTrailingBackslash();
