// FormatDateTime with its format language, and the readers StrToDate, StrToTime and StrToDateTime.
#include "DateTimeInternal.h"

#include <qyx/platform/DateTime.h>
#include <qyx/platform/Exceptions.h>

#include <algorithm>
#include <cmath>

namespace qyx {

namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool StartsWithNoCase(const std::string& S, size_t Pos, const std::string& Prefix) {
    if (Prefix.empty() || Pos + Prefix.size() > S.size()) return false;
    for (size_t k = 0; k < Prefix.size(); ++k)
        if (Lower(S[Pos + k]) != Lower(Prefix[k])) return false;
    return true;
}

std::string TwoDigits(int v) {
    return (v < 10 ? "0" : "") + std::to_string(v);
}

std::string Padded(int v, size_t Digits) {
    std::string s = std::to_string(v);
    if (s.size() < Digits) s.insert(0, Digits - s.size(), '0');
    return s;
}

// Length of an am/pm token at Pos (5 "am/pm", 4 "ampm", 3 "a/p"), or 0.
size_t AmPmToken(const std::string& F, size_t Pos) {
    if (StartsWithNoCase(F, Pos, "am/pm")) return 5;
    if (StartsWithNoCase(F, Pos, "ampm")) return 4;
    if (StartsWithNoCase(F, Pos, "a/p")) return 3;
    return 0;
}

bool HasAmPm(const std::string& F) {
    for (size_t i = 0; i < F.size(); ++i) {
        if (F[i] == '"' || F[i] == '\'') {
            const size_t close = F.find(F[i], i + 1);
            if (close == std::string::npos) return false;
            i = close;
        } else if (AmPmToken(F, i) != 0) {
            return true;
        }
    }
    return false;
}

size_t RunLength(const std::string& F, size_t Pos) {
    size_t n = 1;
    while (Pos + n < F.size() && Lower(F[Pos + n]) == Lower(F[Pos])) ++n;
    return n;
}

class TDateFormatter {
public:
    explicit TDateFormatter(TDateTime DT) {
        Detail::DecodeAll(DT, P);
        int64_t day = 0;
        int ms = 0;
        FMidnight = !Detail::SplitDateTime(DT, day, ms) || ms == 0;
    }

    void Append(std::string& Out, const std::string& F, int Depth) {
        const bool use12 = HasAmPm(F);
        bool afterHour = false; // the last token was h or hh: m and mm mean minutes
        size_t i = 0;
        while (i < F.size()) {
            const char c = F[i];
            const char lc = Lower(c);
            size_t n = RunLength(F, i);
            bool hourToken = false;
            switch (lc) {
            case '"':
            case '\'': {
                const size_t close = F.find(c, i + 1);
                const size_t end = close == std::string::npos ? F.size() : close;
                Out.append(F, i + 1, end - i - 1);
                i = close == std::string::npos ? F.size() : close + 1;
                continue; // quoted text does not end an h token's influence
            }
            case 'c':
                n = 1;
                Nested(Out, ShortDateFormat, Depth);
                if (!FMidnight) {
                    Out += ' ';
                    Nested(Out, LongTimeFormat, Depth);
                }
                break;
            case 'd':
                n = std::min<size_t>(n, 6);
                if (n == 1)
                    Out += std::to_string(P.Day);
                else if (n == 2)
                    Out += TwoDigits(P.Day);
                else if (n == 3)
                    Out += ShortDayNames[static_cast<size_t>(P.DayOfWeek)];
                else if (n == 4)
                    Out += LongDayNames[static_cast<size_t>(P.DayOfWeek)];
                else
                    Nested(Out, n == 5 ? ShortDateFormat : LongDateFormat, Depth);
                break;
            case 'm':
                n = std::min<size_t>(n, 4);
                if (afterHour && n <= 2)
                    Out += n == 1 ? std::to_string(P.Min) : TwoDigits(P.Min);
                else if (n == 1)
                    Out += std::to_string(P.Month);
                else if (n == 2)
                    Out += TwoDigits(P.Month);
                else if (n == 3)
                    Out += ShortMonthNames[static_cast<size_t>(P.Month)];
                else
                    Out += LongMonthNames[static_cast<size_t>(P.Month)];
                break;
            case 'y': Out += n <= 2 ? TwoDigits(P.Year % 100) : Padded(P.Year, 4); break;
            case 'h': {
                n = std::min<size_t>(n, 2);
                int h = P.Hour;
                if (use12) h = h % 12 == 0 ? 12 : h % 12;
                Out += n == 1 ? std::to_string(h) : TwoDigits(h);
                hourToken = true;
                break;
            }
            case 'n':
                n = std::min<size_t>(n, 2);
                Out += n == 1 ? std::to_string(P.Min) : TwoDigits(P.Min);
                break;
            case 's':
                n = std::min<size_t>(n, 2);
                Out += n == 1 ? std::to_string(P.Sec) : TwoDigits(P.Sec);
                break;
            case 'z':
                n = n >= 3 ? 3 : 1;
                Out += n == 1 ? std::to_string(P.MSec) : Padded(P.MSec, 3);
                break;
            case 't':
                n = std::min<size_t>(n, 2);
                Nested(Out, n == 1 ? ShortTimeFormat : LongTimeFormat, Depth);
                break;
            case 'a':
                n = AmPmToken(F, i);
                if (n == 0) {
                    Out += c;
                    n = 1;
                    break;
                }
                AmPm(Out, F, i, n);
                break;
            case '/':
                Out += DateSeparator;
                n = 1;
                i += n;
                continue;
            case ':':
                Out += TimeSeparator;
                n = 1;
                i += n;
                continue;
            default:
                Out += c;
                i += 1;
                continue; // literals do not end an h token's influence
            }
            afterHour = hourToken;
            i += n;
        }
    }

private:
    void Nested(std::string& Out, const std::string& F, int Depth) {
        if (Depth < 2) Append(Out, F, Depth + 1);
    }

    void AmPm(std::string& Out, const std::string& F, size_t Pos, size_t Len) {
        const bool pm = P.Hour >= 12;
        if (Len == 5)
            Out.append(F, Pos + (pm ? 3 : 0), 2);
        else if (Len == 3)
            Out += F[Pos + (pm ? 2 : 0)];
        else
            Out += pm ? TimePMString : TimeAMString;
    }

    Detail::TDateParts P;
    bool FMidnight = true;
};

std::string Trimmed(const std::string& S) {
    const size_t b = S.find_first_not_of(' ');
    if (b == std::string::npos) return std::string();
    return S.substr(b, S.find_last_not_of(' ') - b + 1);
}

// Reads 1..9 digits at Pos; -1 when there is none.
int ReadNumber(const std::string& S, size_t& Pos, size_t& Digits) {
    Digits = 0;
    int v = 0;
    while (Pos < S.size() && S[Pos] >= '0' && S[Pos] <= '9' && Digits < 9)
        v = v * 10 + (S[Pos++] - '0'), ++Digits;
    return Digits == 0 ? -1 : v;
}

// The order of day, month and year in ShortDateFormat, e.g. "ymd"; "ymd" when it names fewer than three.
std::string DateOrder() {
    std::string order;
    bool quoted = false;
    char quote = 0;
    for (char c : ShortDateFormat) {
        if (quoted) {
            quoted = c != quote;
            continue;
        }
        if (c == '"' || c == '\'') {
            quoted = true;
            quote = c;
            continue;
        }
        const char lc = Lower(c);
        if ((lc == 'd' || lc == 'm' || lc == 'y') && order.find(lc) == std::string::npos) order += lc;
    }
    return order.size() == 3 ? order : "ymd";
}

bool ParseDate(const std::string& Text, TDateTime& DT) {
    const std::string S = Trimmed(Text);
    int nums[3] = {0, 0, 0};
    size_t digits[3] = {0, 0, 0};
    size_t pos = 0;
    int count = 0;
    while (count < 3) {
        nums[count] = ReadNumber(S, pos, digits[count]);
        if (nums[count] < 0) return false;
        ++count;
        if (pos < S.size() && S[pos] == DateSeparator && count < 3)
            ++pos;
        else
            break;
    }
    if (pos != S.size() || count < 2) return false;
    std::string order = DateOrder();
    int y = 0, m = 0, d = 0;
    size_t yDigits = 4;
    if (count == 2) {
        order.erase(order.find('y'), 1);
        y = CurrentYear();
    }
    for (int k = 0; k < count; ++k) {
        if (order[static_cast<size_t>(k)] == 'y')
            y = nums[k], yDigits = digits[k];
        else if (order[static_cast<size_t>(k)] == 'm')
            m = nums[k];
        else
            d = nums[k];
    }
    if (yDigits <= 2) y = ExpandTwoDigitYear(y);
    return TryEncodeDate(y, m, d, DT);
}

bool ParseTime(const std::string& Text, TDateTime& DT) {
    const std::string S = Trimmed(Text);
    size_t pos = 0, digits = 0;
    const int h = ReadNumber(S, pos, digits);
    if (h < 0) return false;
    int mi = 0, s = 0, ms = 0;
    bool hasMinutes = false;
    if (pos < S.size() && S[pos] == TimeSeparator) {
        ++pos;
        if ((mi = ReadNumber(S, pos, digits)) < 0) return false;
        hasMinutes = true;
        if (pos < S.size() && S[pos] == TimeSeparator) {
            ++pos;
            if ((s = ReadNumber(S, pos, digits)) < 0) return false;
            if (pos < S.size() && S[pos] == '.') {
                ++pos;
                const int f = ReadNumber(S, pos, digits);
                if (f < 0 || digits > 3) return false;
                ms = f * (digits == 1 ? 100 : digits == 2 ? 10 : 1);
            }
        }
    }
    while (pos < S.size() && S[pos] == ' ') ++pos;
    int hour = h;
    if (pos < S.size()) {
        const std::string rest = S.substr(pos);
        auto is = [&](const std::string& Word) {
            return rest.size() == Word.size() && StartsWithNoCase(rest, 0, Word);
        };
        const bool am = is("AM") || is(TimeAMString);
        const bool pm = is("PM") || is(TimePMString);
        if (!am && !pm) return false;
        if (h > 12) return false;
        hour = h % 12 + (pm ? 12 : 0);
    } else if (!hasMinutes) {
        return false;
    }
    return TryEncodeTime(hour, mi, s, ms, DT);
}

} // namespace

std::string FormatDateTime(const std::string& Format, TDateTime DT) {
    std::string out;
    TDateFormatter(DT).Append(out, Format, 0);
    return out;
}

std::string DateTimeToStr(TDateTime DT) {
    return FormatDateTime("c", DT);
}
std::string DateToStr(TDateTime DT) {
    return FormatDateTime("ddddd", DT);
}
std::string TimeToStr(TDateTime DT) {
    return FormatDateTime("tt", DT);
}

bool TryStrToDate(const std::string& S, TDateTime& DT) {
    return ParseDate(S, DT);
}
bool TryStrToTime(const std::string& S, TDateTime& DT) {
    return ParseTime(S, DT);
}

bool TryStrToDateTime(const std::string& S, TDateTime& DT) {
    const std::string t = Trimmed(S);
    const size_t blank = t.find(' ');
    TDateTime date = 0, time = 0;
    if (!ParseDate(t.substr(0, blank), date)) return false;
    if (blank != std::string::npos && !ParseTime(t.substr(blank + 1), time)) return false;
    DT = Detail::CombineDateTime(date, time);
    return true;
}

TDateTime StrToDate(const std::string& S) {
    TDateTime dt = 0;
    if (!TryStrToDate(S, dt)) throw EConvertError("'" + S + "' is not a valid date");
    return dt;
}

TDateTime StrToTime(const std::string& S) {
    TDateTime dt = 0;
    if (!TryStrToTime(S, dt)) throw EConvertError("'" + S + "' is not a valid time");
    return dt;
}

TDateTime StrToDateTime(const std::string& S) {
    TDateTime dt = 0;
    if (!TryStrToDateTime(S, dt)) throw EConvertError("'" + S + "' is not a valid date and time");
    return dt;
}

} // namespace qyx
