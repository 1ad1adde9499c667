// Short strings: strings of a declared maximum length (at most 255 characters) that cut what is
// assigned to them, and their binary form in records (one length byte, then the characters).
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace qyx {

/// A string of at most N code page 1252 characters. Assigning a longer text keeps its first N
/// characters. Converts to and from std::string.
template <int N> class TShortString {
    static_assert(N >= 1 && N <= 255, "a short string holds 1 to 255 characters");

public:
    static constexpr int MaxLength = N;
    /// Bytes of the binary form: the length byte and N character bytes.
    static constexpr int ByteSize = N + 1;

    constexpr TShortString() = default;
    TShortString(std::string_view S) { Assign(S); }
    TShortString(const std::string& S) { Assign(S); }
    TShortString(const char* S) { Assign(S ? std::string_view(S) : std::string_view()); }
    template <int M> TShortString(const TShortString<M>& S) { Assign(S.View()); }

    TShortString& operator=(std::string_view S) { return Assign(S); }
    TShortString& operator=(const std::string& S) { return Assign(S); }
    TShortString& operator=(const char* S) { return Assign(S ? std::string_view(S) : std::string_view()); }
    /// Appends S, cutting at the maximum length.
    TShortString& operator+=(std::string_view S) {
        const size_t n = std::min(S.size(), static_cast<size_t>(N - FLength));
        if (n > 0) std::memcpy(FChars.data() + FLength, S.data(), n);
        FLength = static_cast<uint8_t>(FLength + n);
        return *this;
    }

    int Length() const { return FLength; }
    bool Empty() const { return FLength == 0; }
    std::string_view View() const { return std::string_view(FChars.data(), FLength); }
    std::string Str() const { return std::string(View()); }
    operator std::string() const { return Str(); }
    /// The character at the 1-based position Index (1..Length()).
    char operator[](int Index) const { return FChars[static_cast<size_t>(Index - 1)]; }

    /// Writes the binary form, exactly ByteSize bytes: the length, the characters, then zeros.
    void ToBytes(void* Dest) const {
        auto* d = static_cast<uint8_t*>(Dest);
        d[0] = FLength;
        std::memcpy(d + 1, FChars.data(), FLength);
        std::memset(d + 1 + FLength, 0, static_cast<size_t>(N - FLength));
    }
    std::array<uint8_t, ByteSize> ToBytes() const {
        std::array<uint8_t, ByteSize> b{};
        ToBytes(b.data());
        return b;
    }
    /// Reads the binary form from exactly ByteSize bytes. A length byte above N (corrupt data) is
    /// taken as N.
    static TShortString FromBytes(const void* Src) {
        const auto* s = static_cast<const uint8_t*>(Src);
        const size_t len = std::min<size_t>(s[0], N);
        return TShortString(std::string_view(reinterpret_cast<const char*>(s + 1), len));
    }

    friend bool operator==(const TShortString& A, const TShortString& B) { return A.View() == B.View(); }
    friend bool operator==(const TShortString& A, std::string_view B) { return A.View() == B; }
    friend bool operator==(const TShortString& A, const char* B) { return A.View() == std::string_view(B); }
    friend bool operator==(const TShortString& A, const std::string& B) { return A.View() == B; }
    template <int M> friend std::string operator+(const TShortString& A, const TShortString<M>& B) {
        return A.Str().append(B.View());
    }
    friend std::string operator+(const TShortString& A, std::string_view B) { return A.Str().append(B); }
    friend std::string operator+(std::string_view A, const TShortString& B) {
        return std::string(A).append(B.View());
    }
    friend std::string operator+(const std::string& A, const TShortString& B) { return A + B.Str(); }
    friend std::string operator+(const TShortString& A, const std::string& B) { return A.Str() + B; }
    friend std::string operator+(const TShortString& A, const char* B) { return A.Str() + B; }
    friend std::string operator+(const char* A, const TShortString& B) { return A + B.Str(); }

private:
    TShortString& Assign(std::string_view S) {
        FLength = static_cast<uint8_t>(std::min(S.size(), static_cast<size_t>(N)));
        if (FLength > 0) std::memmove(FChars.data(), S.data(), FLength);
        return *this;
    }

    uint8_t FLength = 0;
    std::array<char, N> FChars{};
};

/// The longest short string.
using TShortString255 = TShortString<255>;

} // namespace qyx
