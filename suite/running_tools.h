// Closing the suite's running tools before their files are touched.
#pragma once

// Asks every running tool of the suite to close. Returns 1.
int CloseRunningTools();
