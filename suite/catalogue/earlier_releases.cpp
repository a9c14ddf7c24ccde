#include "suite/catalogue/earlier_releases.h"

#include "suite/catalogue/suite_keys.h"

// 40 programs, 4 libraries, 28 pages, 3 texts, 3 internet shortcuts, 2 icons,
// 1 help index and 1 data file. "Vexlets.exe" and "index.htm" are listed
// twice, as earlier releases did.
const char* const ObsoleteFiles[] = {
    "Vexlets.exe", "VexletsSetup.exe", "setup.exe", VEXLO_OLDER_TOOL_FILES,
    "vxnorrik98.exe", "vxovalle98.exe", "vxyessa98.exe", "vxfennet98.exe", "vxglimmet98.exe", "vxcaddel98.exe",
    "vxorvex98.exe", "vxregister.exe", "vxupdate.exe", "Vexlets.exe",
    "index.htm", "welcome.htm", "norrik.htm", "ovalle.htm", "yessa.htm", "scrivo.htm", "halder.htm", "fennet.htm",
    "tovin.htm", "pondry.htm", "lumio.htm", "kimber.htm", "dewlit.htm", "ambro.htm", "glimmet.htm", "grask.htm",
    "caddel.htm", "orvex.htm", "quesh.htm", "stoval.htm", "brolla.htm", "rattik.htm", "order.htm", "license.htm",
    "history.htm", "faq.htm", "news.htm", "index.htm",
    "readme.txt", VEXLO_OLDER_TEXT_FILE, "Languages\\Rattik_Lang.txt",
    nullptr, "Order Vexlo.url", "ZERV Software.url",
    "Vexlo.ico", "Vexlets.ico",
    "Vexlets.gid",
    "Ovalle.dat",
};

const char* const OldStartupShortcuts[] = {
    "ZERV Norrik 98.lnk",  "ZERV Ovalle 98.lnk", "ZERV Yessa 98.lnk",  "ZERV Fennet 98.lnk", "ZERV Pondry 98.lnk",
    "ZERV Glimmet 98.lnk", "ZERV Caddel 98.lnk", "ZERV Orvex 98.lnk",  "ZERV Pellor 98.lnk", "ZERV Scrivo 98.lnk",
    "ZERV Tovin 98.lnk",   "ZERV Lumio 98.lnk",  "ZERV Kimber 98.lnk", "ZERV Rattik 98.lnk", "ZERV Quesh 98.lnk",
};

const OldGroup OldGroups[] = {
    {CSIDL_PROGRAMS, "ZERV Vexlets 98"},      {CSIDL_STARTMENU, "ZERV Vexlets 98"},
    {CSIDL_PROGRAMS, "ZERV Power Tools"},     {CSIDL_STARTMENU, "ZERV Power Tools"},
    {CSIDL_PROGRAMS, "ZERV Utilities 2000"},  {CSIDL_STARTMENU, "ZERV Utilities 2000"},
    {CSIDL_STARTMENU, "ZERV Norrik"},         {CSIDL_STARTMENU, "ZERV Pondry"},
    {CSIDL_STARTMENU, "ZERV Brolla"},         {CSIDL_STARTMENU, "ZERV Vexlets Lite"},
};

static_assert(sizeof(ObsoleteFiles) / sizeof(ObsoleteFiles[0]) == ObsoleteFileCount, "obsolete files");
static_assert(sizeof(OldStartupShortcuts) / sizeof(OldStartupShortcuts[0]) == OldStartupShortcutCount, "shortcuts");
static_assert(sizeof(OldGroups) / sizeof(OldGroups[0]) == OldGroupCount, "groups");

// The same name as the layout files' class, which the suite registers anew.
const char* const UnnumberedLayoutEntry = VEXLO_LAYOUT_CLASS;
const char* const NumberedLayoutReleases[] = {"ZERV Pondry 3.0", "ZERV Pondry 2.0", "ZERV Pondry 1.0"};
