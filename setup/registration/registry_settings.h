// Everything setup records in the registry.
#pragma once

void RegisterSuite();
