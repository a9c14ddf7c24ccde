// The suite's Start-menu group.
#pragma once

void CreateStartMenuEntries();
