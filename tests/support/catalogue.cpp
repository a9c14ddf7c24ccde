#include "tests/support/catalogue.h"

const char* const LanguageCodes[9] = {"en", "fr", "de", "ja", "es", "sv", "it", "cs", "ru"};

CatalogueBlocks ReadCatalogue(HMODULE library)
{
    HRSRC resource = FindResourceA(library, "CATALOGUE", MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!resource)
        return {};
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(library, resource)));
    std::string text(bytes, SizeofResource(library, resource));
    CatalogueBlocks blocks;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() < 4 || line[0] == '#' || line.compare(2, 2, ": ") != 0)
            continue;
        std::string code = line.substr(0, 2);
        if (code == "en")
            blocks.push_back({line.substr(4), {}});
        else if (!blocks.empty())
            blocks.back().second[code] = line.substr(4);
    }
    return blocks;
}

std::wstring Translated(const CatalogueBlocks& catalogue, const std::string& english, const std::string& code)
{
    for (const auto& [text, translations] : catalogue) {
        auto found = translations.find(code);
        if (text == english && found != translations.end())
            return WideFromUtf8(found->second);
    }
    return WideFromUtf8(english);
}

std::wstring WideFromUtf8(const std::string& text)
{
    std::wstring wide(text.size() + 1, L'\0');
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                                    static_cast<int>(wide.size())));
    return wide;
}
