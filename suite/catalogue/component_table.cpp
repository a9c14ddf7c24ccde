#include "suite/catalogue/component_table.h"

namespace {

struct ComponentText {
    const char* name;
    const char* files; // programs first, then the help file, then the language file
};

const ComponentText ComponentRows[ComponentCount] = {
    {"Norrik", "vxnorrik.exe Wendra.exe vxnknotify.exe vxnkmenu.dll Norrik.hlp Norrik_Lang.txt"},
    {"Ovalle", "vxovalle.exe Ovalle.hlp Ovalle_Lang.txt"},
    {"Yessa", "vxyessa.exe Yessa.hlp Yessamark_Lang.txt"},
    {"Scrivo", "vxscrivo.exe Scrivo.hlp Scrivo_Lang.txt"},
    {"Halder", "vxhalder.exe Halder.hlp Halder_Lang.txt"},
    {"Fennet", "vxfennet.exe Fennet.hlp Fennet_Lang.txt"},
    {"Tovin", "vxtovin.exe Tovin.hlp Tovin_Lang.txt"},
    {"Pondry", "vxautopn.exe vxpondry.exe vxpondry.dll Pondry.hlp Pondry_Lang.txt"},
    {"Lumio", "vxlumio.exe Lumio.hlp Lumio_Lang.txt"},
    {"Kimber", "vxkimber.exe Kimber.hlp Kimber_Lang.txt"},
    {"Dewlit", "vxdewlit.exe Dewlit.hlp Dewlit_Lang.txt"},
    {"Ambro", "vxambro.exe vxambro.dll Ambro.hlp Ambro_Lang.txt"},
    {"Glimmet", "vxglimmet.exe vxtrayclock.dll Glimmet.hlp Glimmet_Lang.txt"},
    {"Grask", "vxgrask.exe Grask.hlp Grask_Lang.txt"},
    {"Caddel", "vxcaddel.exe vxrestart.exe Caddel.hlp Caddel_Lang.txt"},
    {"Pellor", "vxpellor.exe Pellor.hlp Pellor_Lang.txt"},
    {"Orvex", "vxorvex.exe Orvex.hlp Orvex_Lang.txt"},
    {"Quesh", "vxquesh.exe Quesh.hlp Quesh_Lang.txt"},
    {"Stoval", "vxstoval.exe Stoval.hlp Stoval_Lang.txt"},
    {"Brolla", "vxbrolla.exe vxbrollashell.dll Brolla.hlp Brolla_Lang.txt"},
};

} // namespace

Component ComponentTable[ComponentCount];

void FillComponentTable()
{
    for (int i = 0; i < ComponentCount; ++i) {
        ComponentTable[i].selected = 1;
        // The rows are short fixed texts; one that did not fit would show empty, never cut.
        if (!ComponentTable[i].name.assign(ComponentRows[i].name))
            ComponentTable[i].name.clear();
        if (!ComponentTable[i].files.assign(ComponentRows[i].files))
            ComponentTable[i].files.clear();
    }
}

bool NextFileName(const char*& cursor, FixedString<99>& name)
{
    // Names are separated by single blanks; an empty name (a leading blank or
    // two in a row) ends the list.
    const char* start = cursor;
    while (*cursor && *cursor != ' ')
        ++cursor;
    bool found = cursor != start && name.assign(start, static_cast<unsigned>(cursor - start));
    if (*cursor == ' ')
        ++cursor;
    return found;
}

const char* const RegisteredHelpFiles[] = {
    "Vexlo.hlp",  "Norrik.hlp", "Ovalle.hlp",  "Yessa.hlp",  "Scrivo.hlp", "Halder.hlp", "Fennet.hlp",
    "Tovin.hlp",  "Pondry.hlp", "Kimber.hlp",  "Dewlit.hlp", "Ambro.hlp",  "Glimmet.hlp", "Caddel.hlp",
    "Lumio.hlp",  "Orvex.hlp",  "Quesh.hlp",   "Stoval.hlp", "Brolla.hlp",
};
static_assert(sizeof(RegisteredHelpFiles) / sizeof(RegisteredHelpFiles[0]) == RegisteredHelpFileCount, "help files");
