// Files of earlier releases that the current one no longer ships.
#pragma once

void RemoveObsoleteFiles();
