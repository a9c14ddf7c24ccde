#include "suite/text/command_switches.h"

#include <windows.h>

namespace {

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

const char* FindSwitch(const char* line, const char* name, LetterCase letters)
{
    if (!line)
        return nullptr;
    char lastNonBlank = 0;
    // Inside a switch quoted as a whole ("/log:C:\x y.log"), as tools that
    // quote each argument write it: its value runs to the closing quote too.
    bool argumentQuoted = false;
    for (const char* c = line; *c; c = CharNextA(c)) {
        if ((*c == '"' && lastNonBlank == ':') || (*c == ':' && argumentQuoted)) {
            // The closing quote, or the end of a value that has none.
            do
                c = CharNextA(c);
            while (*c && *c != '"');
            if (!*c)
                return nullptr;
            lastNonBlank = '"';
            argumentQuoted = false;
            continue;
        }
        if (*c == '"')
            argumentQuoted = !argumentQuoted && c[1] == '/';
        if (!IsBlank(*c))
            lastNonBlank = *c;
        unsigned matched = 0;
        while (name[matched] && (letters == LetterCase::Exact ? c[matched] == name[matched]
                                                               : LowerAscii(c[matched]) == LowerAscii(name[matched])))
            ++matched;
        if (!name[matched])
            return c + matched;
    }
    return nullptr;
}

SwitchValue ReadSwitchValue(const char* line, const char* name, PathBuffer& value)
{
    value.clear();
    const char* text = FindSwitch(line, name);
    if (!text)
        return SwitchValue::Absent;
    // The quote before the switch is plain ASCII: no character's trail byte.
    const char* start = text - lstrlenA(name);
    bool argumentQuoted = start > line && start[-1] == '"';
    while (IsBlank(*text))
        ++text;
    const char* end = text;
    if (*text == '"') {
        end = ++text;
        while (*end && *end != '"')
            end = CharNextA(end);
    } else {
        while (*end && (argumentQuoted ? *end != '"' : !IsBlank(*end)))
            end = CharNextA(end);
    }
    if (!value.assign(text, static_cast<unsigned>(end - text))) {
        value.clear();
        return SwitchValue::DoesNotFit;
    }
    return SwitchValue::Read;
}
