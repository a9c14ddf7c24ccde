// The stand-in for the suite's runtime library, Vexlo.dll: what each operation
// does here. The programs rely only on what suite/vexlo.h promises; the rest is
// this stand-in's own choice.
//
//  10  Keeps the suite key it is given and starts in the language stored as
//      "GeneralLanguage" (REG_DWORD) of that key under HKEY_CURRENT_USER;
//      a missing, mistyped or out-of-range value means English.
//  11  Nothing.
//  12  Writes the value, creating the key and its parents.
//  13  Reads the value only when it fits the buffer; nonzero when read. On
//      failure the buffer is untouched.
//  15  Reads a string value of the suite key when it fits 260 characters.
//  16  Writes a string value of the suite key.
//  43  Creates the folder and its parents; nonzero when it exists afterwards.
//  46  0: the programs' own icon 20 is the dialogs' icon.
//  70  The library's module handle; the library holds icon 2551.
// 101  Makes the language number (0 to 9) current; anything else is English.
//      The value name is not used: the caller stores the choice itself.
// 110  Looks the English text up in the built-in catalogue (catalogue.txt) for
//      languages 1 to 8, or in the user's file "Vexlo_Lang.txt" for language 9
//      (in "Languages" beside the library, else beside it); a text without a
//      translation stays English. Every "::" pair becomes CR LF. Given a
//      window handle, translates that window's caption and its children's
//      texts in place and returns "".
// 210  Removes the folder with everything in it, read-only files included.
//      Links and junctions inside are removed as links, never followed, and a
//      drive or share root is never removed. A missing folder is no error.
// 231  The shell's folder picker, opened at the nearest existing folder of the
//      buffer's text; the buffer receives the choice, or stays as it was.
// 250  Saves the branch as a REGEDIT4 file (see registry_export.cpp).
// 261  Creates or replaces the shell link, creating its folder when missing.
// 262  Nothing: the suite's own entries in special folders are the programs'
//      business, and the stand-in puts none there.
// 342  Asks every Explorer folder window to close and waits up to two seconds
//      for them to go. The desktop itself is left alone.
// 343  Nothing: since 342 never ends the shell, the desktop stays usable.
// 360  Frees the item list with the shell's allocator.
#pragma once

#include <windows.h>

// A growable byte buffer on the process heap; the library's code must not
// depend on the C++ runtime's allocation or exceptions.
class HeapText {
public:
    HeapText() = default;
    HeapText(const HeapText&) = delete;
    HeapText& operator=(const HeapText&) = delete;
    ~HeapText();

    bool append(const char* text, unsigned count);
    bool append(const char* text);
    bool append(char c) { return append(&c, 1); }
    void truncate(unsigned length);
    void clear() { truncate(0); }
    // Room for at least `needed` bytes; then data() may be written directly
    // and settle() sets the length of what was written.
    bool reserve(unsigned needed);
    char* data() { return data_; }
    void settle(unsigned length)
    {
        length_ = length;
        data_[length_] = 0;
    }

    // Always zero-terminated, also when empty.
    const char* c_str() const { return data_ ? data_ : ""; }
    unsigned length() const { return length_; }

private:

    char* data_ = nullptr;
    unsigned length_ = 0;
    unsigned capacity_ = 0;
};

// The suite key handed over by operation 10 ("Software\ZERV Software\Vexlets").
const char* SuiteKeyPath();

// Maps "HKEY_CURRENT_USER" and the other root names (also in short form) to their handles.
HKEY RootFromName(const char* name, unsigned length);

// Sets the starting language from the suite key's stored choice (operation 10).
void StartLanguage(const char* suiteKey);
