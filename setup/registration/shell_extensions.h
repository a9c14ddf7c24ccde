// Explorer context-menu extensions of the backup, shell-menu and archive tools.
#pragma once

#include "suite/text/fixed_string.h"

void RegisterNorrikMenuExtension(const PathBuffer& installDir);
void RegisterAmbroMenuExtension(const PathBuffer& installDir);
void RegisterBrollaMenuExtension(const PathBuffer& installDir);
