// Switches on a command line, as both programs read them: in any letter case
// and anywhere on the line.
#pragma once

#include "suite/text/fixed_string.h"

enum class LetterCase { Any, Exact };

// Where the text after `name` ("/log:") starts in `line`, or null when the
// line does not hold it. The line is stepped through by character, so no
// trail byte starts a match, and a quoted value (the quotes right after a
// switch's colon, as in /log:"C:\x/silent.log", or around the whole switch,
// as in "/log:C:\x/silent.log") is never searched: what stands in it is a
// file name, not a switch.
const char* FindSwitch(const char* line, const char* name, LetterCase letters = LetterCase::Any);

enum class SwitchValue {
    Absent,
    Read,       // `value` holds it, in its own letter case
    DoesNotFit, // `value` is left empty, never cut
};

// The value after `name`: blanks are skipped, then either a quoted text (to
// the next quote) or a bare one (to the next blank, or to the closing quote
// of a switch quoted as a whole); either may run to the end.
SwitchValue ReadSwitchValue(const char* line, const char* name, PathBuffer& value);
