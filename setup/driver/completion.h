// The end of a run: restarting the tools closed at start, starting the tray tools.
#pragma once

void FinishSetup(int installed);
void StartTrayTools();
