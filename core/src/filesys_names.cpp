// File-name and password routines of QYX_filesys.
#include <qyx/QYX_filesys.h>

#include <qyx/platform/Random.h>

#include <algorithm>

namespace qyx {

std::string StripExtension(const std::string& FileName) {
    // "/" separates directories on this platform as "\" does on others.
    const size_t dirEnd = FileName.find_last_of("\\/:");
    const size_t nameStart = dirEnd == std::string::npos ? 0 : dirEnd + 1;
    const size_t dot = FileName.find('.', nameStart);
    return dot == std::string::npos ? FileName : FileName.substr(0, dot);
}

std::string InventPassword(int Len) {
    static constexpr char Vowels[] = "aeiouy";
    static constexpr char Consonants[] = "bcdfghjklmnpqrstvwxz";
    const int len = std::clamp(Len, 4, 14);
    std::string word;
    if (len % 2 == 1) word += Vowels[Random(6)];
    for (int k = 0; k < len / 2; ++k) {
        word += Consonants[Random(20)];
        word += Vowels[Random(6)];
    }
    const int number = Random(100);
    const std::string digits{static_cast<char>('0' + number / 10), static_cast<char>('0' + number % 10)};
    word.insert(std::min<size_t>(6, word.size()), digits);
    return word;
}

} // namespace qyx
