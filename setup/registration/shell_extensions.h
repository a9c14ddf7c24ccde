// Explorer context-menu extensions of the backup, shell-menu and archive tools.
#pragma once

void RegisterNorrikMenuExtension();
void RegisterAmbroMenuExtension();
void RegisterBrollaMenuExtension();
