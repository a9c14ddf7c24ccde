// Copying the distribution folder into the install folder.
#pragma once

void CopySuiteFiles();
