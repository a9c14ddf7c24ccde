// How a run's end becomes the number a deployment tool reads: one table per
// program, a row for each way a run of it ends, with its own code and Windows
// Installer's (InstallerCode). The rows stand in the order of the program's
// enumeration, which ends with `Count`, and a compile-time check holds each
// table to exactly one row per way, so no end of a run falls back to a guess.
#pragma once

#include <stddef.h>

#include "suite/catalogue/installer_codes.h"

template <typename Exit>
struct ExitCodeRow {
    Exit exit;
    int code;          // the program's own convention
    int installerCode; // "/msicodes"
};

template <typename Exit, size_t Rows>
constexpr bool HasOneRowPerExit(const ExitCodeRow<Exit> (&rows)[Rows])
{
    if (Rows != static_cast<size_t>(Exit::Count))
        return false;
    for (size_t i = 0; i < Rows; ++i)
        if (static_cast<size_t>(rows[i].exit) != i)
            return false;
    return true;
}

template <typename Exit, size_t Rows>
constexpr int ExitCodeOf(const ExitCodeRow<Exit> (&rows)[Rows], Exit exit, bool installerCodes)
{
    const ExitCodeRow<Exit>& row = rows[static_cast<size_t>(exit)];
    return installerCodes ? row.installerCode : row.code;
}
