// String: immutable text of 16-bit code units, shared by reference count.
// Strings live in ordinary heap memory, not in collected memory. Every empty
// string shares one static representation that is never freed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

using Char = uint16_t;

template <class T>
class Array;

class String {
public:
    struct Rep {
        int refs;
        int length;
        Char* data() { return reinterpret_cast<Char*>(this + 1); }
        void retain() { ++refs; }
        void release();
        static Rep* alloc(int length);
        static Rep nullRep;
    };

    String() : rep_(&Rep::nullRep) { rep_->retain(); }
    String(const String& other) : rep_(other.rep_) { rep_->retain(); }
    // The moved-from string becomes empty; the representation changes owner.
    String(String&& other) noexcept : rep_(other.rep_) {
        other.rep_ = &Rep::nullRep;
        Rep::nullRep.retain();
    }
    String(const Char* chars, int length);
    String(const char* text);  // each byte becomes one character, no decoding
    String(const char* text, int length);
    explicit String(int value);
    explicit String(float value);
    ~String() { rep_->release(); }

    String& operator=(const String& other);
    String& operator+=(const String& other) { return *this = *this + other; }

    int Length() const { return rep_->length; }
    const Char* Data() const { return rep_->data(); }
    Char operator[](int index) const { return rep_->data()[index]; }
    bool Empty() const { return rep_->length == 0; }

    String operator+(const String& other) const;
    bool operator==(const String& other) const;
    bool operator!=(const String& other) const { return !(*this == other); }
    int Compare(const String& other) const;
    bool operator<(const String& other) const { return Compare(other) < 0; }

    int Find(const String& find, int start = 0) const;
    bool StartsWith(const String& prefix) const;
    bool EndsWith(const String& suffix) const;
    String Slice(int from) const;
    String Slice(int from, int to) const;
    String ToLower() const;

    int ToInt() const;
    Array<String> Split(const String& separator) const;
    String Replace(const String& find, const String& with) const;

    // The text as UTF-8: a surrogate pair as the one character it stands
    // for, every other code unit (a lone surrogate too) by itself.
    std::string ToUtf8() const;
    // A temporary 8-bit copy: each character keeps its low 8 bits.
    std::string ToCString() const;

    // Reads an open file to its end and decodes it: UTF-16 by byte-order
    // mark, otherwise UTF-8 (a character past the 16-bit range as a surrogate
    // pair); malformed UTF-8 falls back to one character per byte.
    static String Load(FILE* file);
    static String Decode(const unsigned char* bytes, size_t count);

    const Rep* rep() const { return rep_; }

private:
    explicit String(Rep* rep) : rep_(rep) {}
    Rep* rep_;
};

String operator+(const char* left, const String& right);
