// The suite's installable tools: what the selection dialog shows, what the copy
// engine keeps or deletes, and what the Start menu offers.
#pragma once

#include "suite/text/fixed_string.h"

struct Component {
    int selected;             // 1 = install, 0 = delete its files after the copy
    FixedString<99> name;     // shown in the selection dialog, never translated
    FixedString<99> files;    // file names separated by single blanks
};

constexpr int ComponentCount = 20;

// The rows, in the order of the table and of the selection list.
enum ComponentRow {
    NorrikRow, OvalleRow, YessaRow, ScrivoRow, HalderRow, FennetRow, TovinRow, PondryRow, LumioRow, KimberRow,
    DewlitRow, AmbroRow, GlimmetRow, GraskRow, CaddelRow, PellorRow, OrvexRow, QueshRow, StovalRow, BrollaRow,
};
static_assert(BrollaRow + 1 == ComponentCount, "one name per row");

extern Component ComponentTable[ComponentCount];

// Writes all rows, every one selected.
void FillComponentTable();

// Steps through a list of names separated by single blanks: copies the next
// name into `name`, advances `cursor` past it and its blank and returns true;
// false at the end of the list or at an empty name.
bool NextFileName(const char*& cursor, FixedString<99>& name);

// The help files registered with Windows, in the order setup writes them and
// the uninstaller deletes them. The shredder's and the time tool's are not.
constexpr int RegisteredHelpFileCount = 19;
extern const char* const RegisteredHelpFiles[RegisteredHelpFileCount];
