// The stand-in library's translations as built into it, read as UTF-8, so that
// tests can check every language, whatever code page the test process has.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

// The language codes in the order of the languages' numbers (0 is English).
extern const char* const LanguageCodes[9];

// English text -> language code -> UTF-8 text, in the catalogue's order.
using CatalogueBlocks = std::vector<std::pair<std::string, std::map<std::string, std::string>>>;

CatalogueBlocks ReadCatalogue(HMODULE library);

// The text of `english` in the language `code`; English where it has none.
std::wstring Translated(const CatalogueBlocks& catalogue, const std::string& english, const std::string& code);

std::wstring WideFromUtf8(const std::string& text);
