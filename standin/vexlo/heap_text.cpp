#include "standin/vexlo/standin.h"

HeapText::~HeapText()
{
    if (data_)
        HeapFree(GetProcessHeap(), 0, data_);
}

bool HeapText::reserve(unsigned needed)
{
    if (needed <= capacity_)
        return true;
    unsigned capacity = capacity_ ? capacity_ : 256;
    while (capacity < needed) {
        if (capacity > 0x40000000u)
            return false;
        capacity *= 2;
    }
    void* grown = data_ ? HeapReAlloc(GetProcessHeap(), 0, data_, capacity) : HeapAlloc(GetProcessHeap(), 0, capacity);
    if (!grown)
        return false;
    data_ = static_cast<char*>(grown);
    capacity_ = capacity;
    return true;
}

bool HeapText::append(const char* text, unsigned count)
{
    if (!reserve(length_ + count + 1))
        return false;
    CopyMemory(data_ + length_, text, count);
    length_ += count;
    data_[length_] = 0;
    return true;
}

bool HeapText::append(const char* text)
{
    return append(text, lstrlenA(text));
}

void HeapText::truncate(unsigned length)
{
    if (length < length_) {
        length_ = length;
        data_[length_] = 0;
    }
}
