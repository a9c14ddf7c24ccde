// Version resource shared by the suite's programs; the including script
// defines VEXLO_FILE_DESCRIPTION and VEXLO_ORIGINAL_NAME first.
#include "suite/version.h"

VS_VERSION_INFO VERSIONINFO
FILEVERSION VEXLO_VERSION_NUMBERS
PRODUCTVERSION VEXLO_VERSION_NUMBERS
FILEFLAGSMASK 0x3fL
FILEFLAGS 0x0L
FILEOS VOS_NT_WINDOWS32
FILETYPE VFT_APP
FILESUBTYPE VFT2_UNKNOWN
BEGIN
    BLOCK "StringFileInfo"
    BEGIN
        BLOCK "040904b0"
        BEGIN
            VALUE "CompanyName", "ZERV Software"
            VALUE "FileDescription", VEXLO_FILE_DESCRIPTION
            VALUE "FileVersion", VEXLO_VERSION_TEXT
            VALUE "InternalName", VEXLO_ORIGINAL_NAME
            VALUE "LegalCopyright", "Copyright (C) ZERV Software"
            VALUE "OriginalFilename", VEXLO_ORIGINAL_NAME
            VALUE "ProductName", "Vexlo"
            VALUE "ProductVersion", VEXLO_VERSION_TEXT
        END
    END
    BLOCK "VarFileInfo"
    BEGIN
        VALUE "Translation", 0x0409, 1200
    END
END
