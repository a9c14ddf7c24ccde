// The rules every install folder keeps, wherever it comes from.
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
