// Everything setup records in the registry: where the suite lives, its
// uninstall entry, tools' settings, sound events, file types, context-menu
// extensions and help files.
#pragma once

void RegisterSuite();
