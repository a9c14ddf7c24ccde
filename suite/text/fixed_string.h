// Text held in a fixed buffer of Capacity + 1 bytes. Nothing is ever cut or
// overrun: an assign or append that would not fit returns false and leaves the
// text as it was, and the caller decides what a text that does not fit means.
#pragma once

#include <windows.h>

template <unsigned Capacity>
class FixedString {
public:
    static constexpr unsigned capacity = Capacity;

    // All zeros, so that global buffers cost nothing in the program file.
    constexpr FixedString() = default;

    [[nodiscard]] bool assign(const char* text) { return assign(text, lengthOf(text)); }

    [[nodiscard]] bool assign(const char* text, unsigned count)
    {
        if (count > Capacity)
            return false;
        for (unsigned i = 0; i < count; ++i)
            text_[i] = text[i];
        length_ = count;
        text_[length_] = 0;
        return true;
    }

    [[nodiscard]] bool append(const char* text)
    {
        unsigned count = lengthOf(text);
        if (count > Capacity - length_)
            return false;
        for (unsigned i = 0; i <= count; ++i)
            text_[length_ + i] = text[i];
        length_ += count;
        return true;
    }

    [[nodiscard]] bool append(char c)
    {
        if (length_ == Capacity)
            return false;
        text_[length_++] = c;
        text_[length_] = 0;
        return true;
    }

    // Drops the text from position `at` on (a no-op when at >= length()).
    void truncate(unsigned at)
    {
        if (at < length_) {
            length_ = at;
            text_[length_] = 0;
        }
    }

    void clear()
    {
        length_ = 0;
        text_[0] = 0;
    }

    // For platform calls that write into the buffer: pass buffer() and bufferSize(),
    // then call settle() so that the length matches what was written.
    char* buffer() { return text_; }
    static constexpr unsigned bufferSize() { return Capacity + 1; }
    void settle()
    {
        text_[Capacity] = 0;
        length_ = lengthOf(text_);
    }

    const char* c_str() const { return text_; }
    unsigned length() const { return length_; }
    bool empty() const { return length_ == 0; }
    char operator[](unsigned i) const { return text_[i]; }

private:
    static unsigned lengthOf(const char* text)
    {
        unsigned n = 0;
        while (text[n])
            ++n;
        return n;
    }

    char text_[Capacity + 1] = {};
    unsigned length_ = 0;
};

// A path as the platform holds it: MAX_PATH bytes with the terminating zero,
// so at most 259 characters.
using PathBuffer = FixedString<MAX_PATH - 1>;

// Whether `part` occurs in `text`, compared byte by byte (case-sensitive).
inline bool TextContains(const char* text, const char* part)
{
    for (;; ++text) {
        int i = 0;
        while (part[i] && text[i] == part[i])
            ++i;
        if (!part[i])
            return true;
        if (!*text)
            return false;
    }
}
