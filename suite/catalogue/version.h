// The suite's version, once: for the programs' version resources and for the
// uninstall entry that Windows' list of programs shows.
#pragma once

#define VEXLO_VERSION_NUMBERS 1,0,0,0
#define VEXLO_VERSION_TEXT "1.0.0.0"
// "1,0,0,0", as Windows compares the versions of Active Setup components.
#define VEXLO_TEXT_OF(...) #__VA_ARGS__
#define VEXLO_TEXT(...) VEXLO_TEXT_OF(__VA_ARGS__)
#define VEXLO_VERSION_COMMAS VEXLO_TEXT(VEXLO_VERSION_NUMBERS)
