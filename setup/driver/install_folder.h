// Where the suite goes when the command line named no folder.
#pragma once

// Fills an empty InstallContext.installDir with the folder of an earlier
// install, else the system's program folder + "Vexlo".
void ChooseDefaultInstallFolder();

// Drops one trailing backslash from InstallContext.installDir: the stages
// join names to the folder with their own backslash.
void RemoveInstallFolderTrailingBackslash();
