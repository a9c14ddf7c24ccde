// Earlier standalone releases of the layout tool.
#pragma once

void RemovePreviousVersions();
