// The suite's shortcuts in the user's shell folders and its Start-menu group.
#pragma once

void RemoveShortcuts();
