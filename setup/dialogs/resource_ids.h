// Resource ids of setup's dialogs, for setup.rc, the dialog code and the
// tests alike. Plain macros: the resource compiler reads this file too.
#pragma once

#define IDI_SETUP 20 // plus what the runtime library's operation 46 answers

#define IDD_OPTIONS 103
#define IDC_FOLDER_BOX 1000
#define IDC_BROWSE 1001
#define IDC_SHORTCUTS 1002
#define IDC_START_TOOLS 1003
#define IDC_CUSTOM 1006
#define IDC_INTRODUCTION 1008
#define IDC_FOLDER_LABEL 1009
#define IDC_LANGUAGE_LABEL 1010
#define IDC_LANGUAGE_BOX 1157

#define IDD_SELECTION 104
#define IDC_ALL 1005
#define IDC_SELECTION_TEXT 1008
#define IDC_NONE 1010
#define IDC_REQUIRED 1013
#define IDC_AVAILABLE 1014
#define IDC_TOOL_LIST 2590
