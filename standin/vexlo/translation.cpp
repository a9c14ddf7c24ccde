// Languages and translation (operations 101 and 110) of the stand-in library.
//
// The catalogue (catalogue.txt, built in as resource "CATALOGUE") is UTF-8 so
// that one file holds every language; it is converted to the ANSI code page
// once, when first needed, because both programs only speak ANSI.
#include "standin/vexlo/standin.h"
#include "suite/vexlo.h"

namespace {

// Catalogue codes in language-number order; "my" is the user's own language.
const char* const LanguageCodes[] = {"en", "fr", "de", "ja", "es", "sv", "it", "cs", "ru", "my"};
const int LanguageCount = 10;
const int UserLanguage = 9;
const char UserFileName[] = "Vexlo_Lang.txt";
// A user file bigger than this is not a translation file.
const DWORD UserFileLimit = 1024 * 1024;

// Callers use some texts as wsprintfA formats: a translation must take
// exactly the arguments its English text takes.
bool SameFormat(const char* english, const char* translation)
{
    for (;;) {
        while (*english && *english != '%')
            ++english;
        while (*translation && *translation != '%')
            ++translation;
        if (!*english || !*translation)
            return !*english && !*translation;
        if (english[1] != translation[1])
            return false;
        english += english[1] ? 2 : 1;
        translation += translation[1] ? 2 : 1;
    }
}

bool SameText(const char* a, const char* b)
{
    while (*a && *a == *b)
        ++a, ++b;
    return *a == *b;
}

// Converts UTF-8 to the ANSI code page. Fails on malformed UTF-8 and on any
// character the code page lacks: a Japanese text on a Western system would
// otherwise show as question marks, and English is the better fallback.
bool Utf8ToAnsi(const char* text, unsigned length, HeapText& out)
{
    if (length == 0)
        return out.append("", 0);
    if (GetACP() == CP_UTF8)
        return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, length, nullptr, 0) > 0 &&
               out.append(text, length);
    int wideLength = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, length, nullptr, 0);
    if (wideLength <= 0)
        return false;
    HeapText wide;
    if (!wide.reserve(wideLength * sizeof(WCHAR)))
        return false;
    WCHAR* wideText = reinterpret_cast<WCHAR*>(wide.data());
    MultiByteToWideChar(CP_UTF8, 0, text, length, wideText, wideLength);
    BOOL lossy = FALSE;
    int ansiLength = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wideText, wideLength, nullptr, 0, nullptr, &lossy);
    if (ansiLength <= 0 || lossy)
        return false;
    unsigned start = out.length();
    if (!out.reserve(start + ansiLength + 1))
        return false;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wideText, wideLength, out.data() + start, ansiLength, nullptr,
                        nullptr);
    out.settle(start + ansiLength);
    return true;
}

// English texts and their translations, all in the ANSI code page.
class Catalogue {
public:
    // Replaces the content. With ansiFallback, a text that is not UTF-8 is
    // taken as ANSI: a user's file saved by an older editor still works.
    void load(const char* bytes, unsigned size, bool ansiFallback);
    // The translation, or null when the catalogue has none for that language.
    const char* find(const char* english, int language) const;

private:
    struct Entry {
        unsigned text[LanguageCount]; // offsets into blob_; 0 means none
    };

    void addLine(int language, const char* text, unsigned length, bool ansiFallback);
    unsigned count() const { return entries_.length() / sizeof(Entry); }
    const Entry* entries() const { return reinterpret_cast<const Entry*>(entries_.c_str()); }

    HeapText blob_;
    HeapText entries_;
};

void Catalogue::load(const char* bytes, unsigned size, bool ansiFallback)
{
    blob_.clear();
    entries_.clear();
    blob_.append('\0');
    if (size >= 3 && bytes[0] == '\xEF' && bytes[1] == '\xBB' && bytes[2] == '\xBF')
        bytes += 3, size -= 3;
    for (unsigned start = 0; start < size;) {
        unsigned end = start;
        while (end < size && bytes[end] != '\n')
            ++end;
        unsigned next = end + 1;
        if (end > start && bytes[end - 1] == '\r')
            --end;
        const char* line = bytes + start;
        unsigned length = end - start;
        if (length >= 4 && line[2] == ':' && line[3] == ' ') {
            for (int language = 0; language < LanguageCount; ++language)
                if (line[0] == LanguageCodes[language][0] && line[1] == LanguageCodes[language][1])
                    addLine(language, line + 4, length - 4, ansiFallback);
        }
        start = next;
    }
}

void Catalogue::addLine(int language, const char* text, unsigned length, bool ansiFallback)
{
    if (language == 0) {
        Entry entry = {};
        if (!entries_.append(reinterpret_cast<const char*>(&entry), sizeof(entry)))
            return;
    } else if (count() == 0) {
        return; // a translation before any English text belongs to nothing
    }
    unsigned offset = blob_.length();
    bool converted = Utf8ToAnsi(text, length, blob_) || (ansiFallback && blob_.append(text, length));
    if (!converted || !blob_.append('\0')) {
        blob_.truncate(offset);
        return;
    }
    Entry* last = reinterpret_cast<Entry*>(entries_.data()) + count() - 1;
    // A user's translation with other format directives would make the
    // caller read arguments that are not there: it stays English.
    if (language != 0 && (!last->text[0] || !SameFormat(blob_.c_str() + last->text[0], blob_.c_str() + offset))) {
        blob_.truncate(offset);
        return;
    }
    // An English line that could not be taken leaves an entry nobody can find.
    last->text[language] = offset;
}

const char* Catalogue::find(const char* english, int language) const
{
    const char* blob = blob_.c_str();
    for (unsigned i = 0; i < count(); ++i) {
        const Entry& entry = entries()[i];
        if (entry.text[0] && SameText(blob + entry.text[0], english))
            return entry.text[language] ? blob + entry.text[language] : nullptr;
    }
    return nullptr;
}

Catalogue builtIn;
bool builtInLoaded = false;
Catalogue userCatalogue;
int currentLanguage = 0;
// Two result buffers used in turn: a caller that still holds the previous
// result while asking for the next one does not read freed memory.
HeapText results[2];
int nextResult = 0;

void LoadBuiltInCatalogue()
{
    if (builtInLoaded)
        return;
    builtInLoaded = true;
    HRSRC resource = FindResourceA(VxModuleHandle, "CATALOGUE", MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    HGLOBAL loaded = resource ? LoadResource(VxModuleHandle, resource) : nullptr;
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (bytes)
        builtIn.load(bytes, SizeofResource(VxModuleHandle, resource), false);
}

bool ReadUserFile(const char* path, HeapText& content)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = GetFileSize(file, nullptr);
    bool ok = size != INVALID_FILE_SIZE && size <= UserFileLimit && content.reserve(size + 1);
    DWORD read = 0;
    ok = ok && ReadFile(file, content.data(), size, &read, nullptr) && read == size;
    CloseHandle(file);
    if (ok)
        content.settle(size);
    return ok;
}

// The user's translation lives beside the library, or in its "Languages"
// folder, where setup sorts every "_Lang.txt" file of the suite.
void LoadUserCatalogue()
{
    userCatalogue.load("", 0, false);
    char folder[MAX_PATH];
    DWORD length = GetModuleFileNameA(VxModuleHandle, folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    while (length > 0 && folder[length - 1] != '\\')
        --length;
    const char* const places[] = {"Languages\\", ""};
    for (const char* place : places) {
        HeapText path;
        HeapText content;
        if (path.append(folder, length) && path.append(place) && path.append(UserFileName) &&
            ReadUserFile(path.c_str(), content)) {
            userCatalogue.load(content.c_str(), content.length(), true);
            return;
        }
    }
}

void SetCurrentLanguage(int language)
{
    if (language < 0 || language >= LanguageCount)
        language = 0;
    if (language == UserLanguage)
        LoadUserCatalogue();
    currentLanguage = language;
}

const char* TranslationOf(const char* english)
{
    if (currentLanguage == 0)
        return english;
    const char* text = nullptr;
    if (currentLanguage == UserLanguage) {
        text = userCatalogue.find(english, UserLanguage);
    } else {
        LoadBuiltInCatalogue();
        text = builtIn.find(english, currentLanguage);
    }
    return text ? text : english;
}

// Texts mark line breaks with "::"; each pair is one break.
bool AppendWithLineBreaks(HeapText& out, const char* text)
{
    bool ok = true;
    for (const char* c = text; *c; ++c) {
        if (c[0] == ':' && c[1] == ':') {
            ok = out.append("\r\n", 2) && ok;
            ++c;
        } else {
            ok = out.append(*c) && ok;
        }
    }
    return ok;
}

void TranslateWindowText(HWND window)
{
    char text[1024];
    int length = GetWindowTextA(window, text, sizeof(text));
    if (length <= 0 || length >= static_cast<int>(sizeof(text)) - 1)
        return; // empty, or possibly cut: not a text of ours
    const char* translation = TranslationOf(text);
    if (translation == text)
        return;
    HeapText shown;
    if (AppendWithLineBreaks(shown, translation))
        SetWindowTextA(window, shown.c_str());
}

BOOL CALLBACK TranslateChild(HWND child, LPARAM)
{
    TranslateWindowText(child);
    return TRUE;
}

} // namespace

void StartLanguage(const char* suiteKey)
{
    DWORD language = 0;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, suiteKey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        DWORD type = 0;
        DWORD size = sizeof(language);
        if (RegQueryValueExA(key, "GeneralLanguage", nullptr, &type, reinterpret_cast<BYTE*>(&language), &size) !=
                ERROR_SUCCESS ||
            type != REG_DWORD || size != sizeof(language))
            language = 0;
        RegCloseKey(key);
    }
    SetCurrentLanguage(language < static_cast<DWORD>(LanguageCount) ? static_cast<int>(language) : 0);
}

void __cdecl VxSetLanguage(const char*, int languageNumber)
{
    SetCurrentLanguage(languageNumber);
}

const char* __cdecl VxTranslate(const char* englishText, int)
{
    if (!englishText)
        return "";
    HWND window = reinterpret_cast<HWND>(const_cast<char*>(englishText));
    if (IsWindow(window)) {
        TranslateWindowText(window);
        EnumChildWindows(window, TranslateChild, 0);
        return "";
    }
    HeapText& result = results[nextResult];
    nextResult = 1 - nextResult;
    result.clear();
    // Out of memory: the English text is still better than nothing.
    return AppendWithLineBreaks(result, TranslationOf(englishText)) ? result.c_str() : englishText;
}
