// Internals shared by the stand-in library's source files.
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

    // Always zero-terminated, also when empty.
    const char* c_str() const { return data_ ? data_ : ""; }
    unsigned length() const { return length_; }

private:
    bool reserve(unsigned needed);

    char* data_ = nullptr;
    unsigned length_ = 0;
    unsigned capacity_ = 0;
};

// The suite key handed over by operation 10 ("Software\ZERV Software\Vexlets").
const char* SuiteKeyPath();

// Maps "HKEY_CURRENT_USER" and the other root names (also in short form) to their handles.
HKEY RootFromName(const char* name, unsigned length);
