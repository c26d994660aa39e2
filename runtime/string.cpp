// String construction, operations and decoding.
#include "runtime/string.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "runtime/array.h"

String::Rep String::Rep::nullRep = {1, 0};

void String::Rep::release() {
    if (--refs == 0 && this != &nullRep) std::free(this);
}

String::Rep* String::Rep::alloc(int length) {
    if (length <= 0) {
        nullRep.retain();
        return &nullRep;
    }
    void* block = std::malloc(sizeof(Rep) + sizeof(Char) * static_cast<size_t>(length));
    if (!block) throw std::bad_alloc();
    Rep* rep = static_cast<Rep*>(block);
    rep->refs = 1;
    rep->length = length;
    return rep;
}

String::String(const Char* chars, int length) : rep_(Rep::alloc(length)) {
    if (length > 0) std::memcpy(rep_->data(), chars, sizeof(Char) * static_cast<size_t>(length));
}

String::String(const char* text, int length) : rep_(Rep::alloc(length)) {
    for (int i = 0; i < length; ++i) rep_->data()[i] = static_cast<unsigned char>(text[i]);
}

String::String(const char* text) : String(text, static_cast<int>(std::strlen(text))) {}

namespace {

std::string int_text(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%i", value);
    return text;
}

std::string float_text(float value) {
    char text[48];
    std::snprintf(text, sizeof text, "%.17lg", static_cast<double>(value));
    std::string result = text;
    // A whole number still reads as a float: 3 becomes 3.0.
    if (result.find_first_of(".e") == std::string::npos) result += ".0";
    return result;
}

}  // namespace

String::String(int value) : String(int_text(value).c_str()) {}

String::String(float value) : String(float_text(value).c_str()) {}

String& String::operator=(const String& other) {
    other.rep_->retain();
    rep_->release();
    rep_ = other.rep_;
    return *this;
}

String String::operator+(const String& other) const {
    if (Empty()) return other;
    if (other.Empty()) return *this;
    Rep* rep = Rep::alloc(Length() + other.Length());
    std::memcpy(rep->data(), Data(), sizeof(Char) * static_cast<size_t>(Length()));
    std::memcpy(rep->data() + Length(), other.Data(), sizeof(Char) * static_cast<size_t>(other.Length()));
    return String(rep);
}

String operator+(const char* left, const String& right) { return String(left) + right; }

bool String::operator==(const String& other) const {
    if (rep_ == other.rep_) return true;
    return Length() == other.Length() &&
           std::memcmp(Data(), other.Data(), sizeof(Char) * static_cast<size_t>(Length())) == 0;
}

int String::Compare(const String& other) const {
    int common = Length() < other.Length() ? Length() : other.Length();
    for (int i = 0; i < common; ++i) {
        if ((*this)[i] != other[i]) return (*this)[i] - other[i];
    }
    return Length() - other.Length();
}

int String::Find(const String& find, int start) const {
    if (start < 0) start = 0;
    for (int i = start; i + find.Length() <= Length(); ++i) {
        if (std::memcmp(Data() + i, find.Data(), sizeof(Char) * static_cast<size_t>(find.Length())) == 0)
            return i;
    }
    return -1;
}

bool String::StartsWith(const String& prefix) const {
    return prefix.Length() <= Length() && Slice(0, prefix.Length()) == prefix;
}

bool String::EndsWith(const String& suffix) const {
    return suffix.Length() <= Length() && Slice(Length() - suffix.Length()) == suffix;
}

String String::Slice(int from) const { return Slice(from, Length()); }

String String::Slice(int from, int to) const {
    if (from < 0) from = 0;
    if (to > Length()) to = Length();
    if (from == 0 && to == Length()) return *this;
    if (to <= from) return String();
    return String(Data() + from, to - from);
}

String String::ToLower() const {
    std::vector<Char> chars(Data(), Data() + Length());
    for (Char& c : chars) {
        if (c >= 'A' && c <= 'Z') c = static_cast<Char>(c + ('a' - 'A'));
    }
    return String(chars.data(), Length());
}

int String::ToInt() const {
    std::string text = Slice(0, 63).ToCString();
    // atoi's contract (white space, sign, digits) with a defined result for
    // numbers too long for 32 bits: the low 32 bits, as atoi does on glibc.
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}

Array<String> String::Split(const String& separator) const {
    if (separator.Empty()) {
        Array<String> pieces(Length());
        for (int i = 0; i < Length(); ++i) pieces[i] = String(Data() + i, 1);
        return pieces;
    }
    int count = 1;
    for (int at = Find(separator); at >= 0; at = Find(separator, at + separator.Length())) ++count;
    Array<String> pieces(count);
    if (count == 1) {
        pieces[0] = *this;
        return pieces;
    }
    int start = 0;
    for (int i = 0; i < count - 1; ++i) {
        int at = Find(separator, start);
        pieces[i] = Slice(start, at);
        start = at + separator.Length();
    }
    pieces[count - 1] = Slice(start);
    return pieces;
}

String String::Replace(const String& find, const String& with) const {
    int count = 0;
    for (int at = Find(find); at >= 0; at = Find(find, at + find.Length())) ++count;
    if (count == 0) return *this;
    Rep* rep = Rep::alloc(Length() + count * (with.Length() - find.Length()));
    Char* out = rep->data();
    int start = 0;
    for (int at = Find(find); at >= 0; at = Find(find, start)) {
        out = std::copy(Data() + start, Data() + at, out);
        out = std::copy(with.Data(), with.Data() + with.Length(), out);
        start = at + find.Length();
    }
    std::copy(Data() + start, Data() + Length(), out);
    return String(rep);
}

namespace {

constexpr unsigned kFirstSupplementary = 0x10000;  // the first character a surrogate pair carries
constexpr unsigned kLastCharacter = 0x10FFFF;

bool high_surrogate(unsigned unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool low_surrogate(unsigned unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::string String::ToUtf8() const {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(Length()));
    for (int i = 0; i < Length(); ++i) {
        unsigned c = (*this)[i];
        if (c < 0x80) {
            bytes += static_cast<char>(c);
        } else if (c < 0x800) {
            bytes += static_cast<char>(0xC0 | c >> 6);
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else if (high_surrogate(c) && i + 1 < Length() && low_surrogate((*this)[i + 1])) {
            c = kFirstSupplementary + ((c - 0xD800) << 10 | ((*this)[++i] - 0xDC00));
            bytes += static_cast<char>(0xF0 | c >> 18);
            bytes += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            bytes += static_cast<char>(0xE0 | c >> 12);
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return bytes;
}

std::string String::ToCString() const {
    std::string text(static_cast<size_t>(Length()), '\0');
    for (int i = 0; i < Length(); ++i) text[static_cast<size_t>(i)] = static_cast<char>((*this)[i] & 0xFF);
    return text;
}

namespace {

String decode_utf16(const unsigned char* bytes, size_t count, bool big_endian) {
    std::vector<Char> chars;
    chars.reserve(count / 2);
    for (size_t i = 2; i + 1 < count; i += 2) {
        unsigned first = bytes[i], second = bytes[i + 1];
        chars.push_back(static_cast<Char>(big_endian ? first << 8 | second : second << 8 | first));
    }
    return String(chars.data(), static_cast<int>(chars.size()));
}

bool continuation(const unsigned char* bytes, size_t count, size_t at) {
    return at < count && (bytes[at] & 0xC0) == 0x80;
}

// A 4-byte sequence at `at`, as the character it stands for, or 0 when it is
// malformed: a lead of F0 to F4, three continuation bytes, and a character
// past the 16-bit range (a shorter form of a smaller one is not UTF-8) and
// no further than the last one.
unsigned four_byte_character(const unsigned char* bytes, size_t count, size_t at) {
    if ((bytes[at] & 0xF8) != 0xF0) return 0;
    for (size_t next = at + 1; next < at + 4; ++next)
        if (!continuation(bytes, count, next)) return 0;
    unsigned c = (bytes[at] & 0x07u) << 18 | (bytes[at + 1] & 0x3Fu) << 12 | (bytes[at + 2] & 0x3Fu) << 6 |
                 (bytes[at + 3] & 0x3Fu);
    return c >= kFirstSupplementary && c <= kLastCharacter ? c : 0;
}

// Decodes 1- to 4-byte sequences, a character past the 16-bit range as its
// surrogate pair; false on the first malformed one.
bool decode_utf8(const unsigned char* bytes, size_t count, std::vector<Char>& chars) {
    for (size_t i = 0; i < count;) {
        unsigned lead = bytes[i];
        if (lead < 0x80) {
            chars.push_back(static_cast<Char>(lead));
            i += 1;
        } else if ((lead & 0xE0) == 0xC0 && continuation(bytes, count, i + 1)) {
            chars.push_back(static_cast<Char>((lead & 0x1F) << 6 | (bytes[i + 1] & 0x3F)));
            i += 2;
        } else if ((lead & 0xF0) == 0xE0 && continuation(bytes, count, i + 1) &&
                   continuation(bytes, count, i + 2)) {
            chars.push_back(static_cast<Char>((lead & 0x0F) << 12 | (bytes[i + 1] & 0x3F) << 6 |
                                              (bytes[i + 2] & 0x3F)));
            i += 3;
        } else if (unsigned c = four_byte_character(bytes, count, i)) {
            chars.push_back(static_cast<Char>(0xD800 + ((c - kFirstSupplementary) >> 10)));
            chars.push_back(static_cast<Char>(0xDC00 + ((c - kFirstSupplementary) & 0x3FF)));
            i += 4;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

String String::Decode(const unsigned char* bytes, size_t count) {
    if (count == 0) return String();
    if (count >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) return decode_utf16(bytes, count, true);
    if (count >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) return decode_utf16(bytes, count, false);
    if (count > 2 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        bytes += 3;
        count -= 3;
    }
    std::vector<Char> chars;
    chars.reserve(count);
    if (!decode_utf8(bytes, count, chars)) chars.assign(bytes, bytes + count);
    return String(chars.data(), static_cast<int>(chars.size()));
}

String String::Load(FILE* file) {
    std::vector<unsigned char> bytes;
    unsigned char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
    return Decode(bytes.data(), bytes.size());
}
