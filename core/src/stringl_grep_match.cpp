// TGrep: the backtracking search of a compiled pattern in a subject.
//
// The result of matching tokens k..last at subject position p depends only on (k, p), so a failed
// state is remembered in a bit table and never searched again. A repetition that fails at p also
// fails at every later start inside the run of elements it scanned (its choices there are a subset),
// so those states are marked at once. Each state is thus searched at most once per subject. The scan
// for start positions skips characters no match can start with.
#include <qyx/QYX_stringl.h>

#include <algorithm>
#include <cstring>

namespace qyx {

bool TGrep::Failed(int k, int p) const {
    const size_t bit = static_cast<size_t>(k - 1) * static_cast<size_t>(FLen + 2) + static_cast<size_t>(p);
    return (FMemo[bit >> 6] >> (bit & 63)) & 1;
}

void TGrep::MarkFailed(int k, int p) {
    const size_t bit = static_cast<size_t>(k - 1) * static_cast<size_t>(FLen + 2) + static_cast<size_t>(p);
    FMemo[bit >> 6] |= uint64_t{1} << (bit & 63);
}

// True when one element of the repetition T lies at position p.
bool TGrep::ElementAt(const TGrepToken& T, int p) const {
    if (T.Count == 0) return p <= FLen;
    if (T.Count < 0) return p <= FLen && T.Data[static_cast<unsigned char>(FSubj[p - 1])] == '*';
    return p + T.Count - 1 <= FLen &&
           std::memcmp(FSubj + p - 1, T.Data.data() + 1, static_cast<size_t>(T.Count)) == 0;
}

bool TGrep::MatchFrom(int k, int p, int& EndPos) {
    if (k > FTokenCount) {
        EndPos = p - 1;
        return true;
    }
    if (FUseMemo && Failed(k, p)) return false;
    TGrepToken& t = FTokens[k];
    bool ok = false;
    switch (t.Act) {
    case taNormal:
        ok = p + t.Count - 1 <= FLen &&
             std::memcmp(FSubj + p - 1, t.Data.data() + 1, static_cast<size_t>(t.Count)) == 0 &&
             MatchFrom(k + 1, p + t.Count, EndPos);
        break;
    case taAnyByte: ok = p <= FLen && MatchFrom(k + 1, p + 1, EndPos); break;
    case taSet:
        ok = p <= FLen && t.Data[static_cast<unsigned char>(FSubj[p - 1])] == '*' &&
             MatchFrom(k + 1, p + 1, EndPos);
        break;
    case taBol: ok = p == 1 && MatchFrom(k + 1, p, EndPos); break;
    case taEol:
        ok = p == FLen + 1 && k == FTokenCount;
        if (ok) EndPos = FLen;
        break;
    case taMult0:
    case taMult1:
    case taOpti: {
        const int minCount = t.Act == taMult1 ? 1 : 0;
        const int maxCount = t.Act == taOpti ? 1 : FLen + 1;
        const int len = ElementLength(t);
        int q = p;
        int n = 0;
        if (k == FTokenCount) {
            // Last token: as many elements as are present.
            while (n < maxCount && ElementAt(t, q)) q += len, ++n;
            ok = n >= minCount;
            if (ok) EndPos = q - 1;
            break;
        }
        // Fewest elements first, one more after each failure of the rest of the pattern.
        while (n < minCount && ElementAt(t, q)) q += len, ++n;
        if (n < minCount) break;
        // A literal next token can only follow where its first character stands.
        const TGrepToken& next = FTokens[k + 1];
        const bool nextLiteral = next.Act == taNormal && next.Count > 0;
        for (;;) {
            if ((!nextLiteral || (q <= FLen && FSubj[q - 1] == next.Data[1])) &&
                MatchFrom(k + 1, q, EndPos)) {
                ok = true;
                break;
            }
            if (n >= maxCount || !ElementAt(t, q)) break;
            q += len;
            ++n;
        }
        if (!ok && FUseMemo && t.Act != taOpti)
            for (int r = p + len; r <= q; r += len) MarkFailed(k, r);
        if (!ok && k == 1) FRunEnd = q;
        break;
    }
    }
    if (ok)
        t.Pos = p;
    else if (FUseMemo)
        MarkFailed(k, p);
    return ok;
}

// Which characters can start a match: the first character of the first token that must consume
// one, together with those of the optional repetitions before it. No filter when a match can start
// anywhere (any character first, an anchor, or a pattern that can match the empty string).
void TGrep::PrepareScan() {
    FFirst.fill(false);
    FFirstFilter = false;
    // Remember failures only when some repetition has further tokens after it: elsewhere no state
    // can be reached twice.
    FNeedMemo = false;
    for (int k = 1; k < FTokenCount; ++k)
        if (FTokens[k].Act >= taMult0) FNeedMemo = true;

    auto addElement = [this](const TGrepToken& t) {
        if (t.Count > 0) {
            FFirst[static_cast<unsigned char>(t.Data[1])] = true;
        } else {
            for (int c = 0; c < 256; ++c)
                if (t.Data[c] == '*') FFirst[c] = true;
        }
    };
    bool filter = false;
    for (int k = 1; k <= FTokenCount; ++k) {
        const TGrepToken& t = FTokens[k];
        if (t.Act == taNormal && t.Count == 0) continue; // an empty group matches the empty string
        if (t.Act == taNormal || t.Act == taSet || t.Act == taMult1) {
            if (t.Act == taMult1 && t.Count == 0) break;
            addElement(t);
            filter = true;
            break;
        }
        if ((t.Act == taMult0 || t.Act == taOpti) && t.Count != 0) {
            addElement(t);
            continue;
        }
        break; // any character, an anchor, or a repetition of any character
    }
    FFirstFilter = filter;

    // A leading zero-or-more or one-or-more of single characters as the only repetition with tokens
    // after it: a start that fails fails at every later start inside the run it scanned, and no
    // other state can be reached twice, so the scan moves past the run instead of remembering.
    const TGrepToken& first = FTokens[1];
    FSkipRuns = FTokenCount > 1 && (first.Act == taMult0 || first.Act == taMult1) && first.Count <= 1;
    for (int k = 2; k < FTokenCount; ++k)
        if (FTokens[k].Act >= taMult0) FSkipRuns = false;
    if (FSkipRuns) FNeedMemo = false;
    FFirstOnly = -1;
    if (filter && std::count(FFirst.begin(), FFirst.end(), true) == 1)
        FFirstOnly = static_cast<int>(std::find(FFirst.begin(), FFirst.end(), true) - FFirst.begin());
}

bool TGrep::MatchString(const std::string& S, int& MatchPos) {
    const int L = static_cast<int>(std::min<size_t>(S.size(), 0x7FFFFFF0));
    if (FTokenCount == 1 && FTokens[1].Act == taMult0) {
        if (!S.empty() && L < FSearchStartPos) return false;
        MatchPos = FMatchStart = 1;
        FMatchEnd = L;
        return true;
    }
    const int start = std::max(1, FSearchStartPos);
    if (start > L + 1) return false;
    if (FIgnoreCase) {
        FWork.assign(S, 0, static_cast<size_t>(L));
        for (char& c : FWork)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        FSubj = FWork.data();
    } else {
        FSubj = S.data();
    }
    FLen = L;
    FUseMemo = FNeedMemo;
    if (FUseMemo) FMemo.assign((static_cast<size_t>(FTokenCount) * static_cast<size_t>(L + 2) + 63) / 64, 0);

    const bool anchored = FTokenCount > 0 && FTokens[1].Act == taBol;
    const auto* subj = reinterpret_cast<const unsigned char*>(FSubj);
    int endPos = 0;
    bool found = false;
    for (int i = start; i <= L + 1; ++i) {
        if (FFirstFilter) {
            // Only a position holding a character a match can start with (none past the end).
            if (FFirstOnly >= 0) {
                const void* hit =
                    i <= L ? std::memchr(subj + i - 1, FFirstOnly, static_cast<size_t>(L - i + 1)) : nullptr;
                if (hit == nullptr) break;
                i = static_cast<int>(static_cast<const unsigned char*>(hit) - subj) + 1;
            } else {
                while (i <= L && !FFirst[subj[i - 1]]) ++i;
                if (i > L) break;
            }
        }
        FRunEnd = i;
        if (MatchFrom(1, i, endPos)) {
            MatchPos = FMatchStart = FTokenCount > 0 ? FTokens[1].Pos : i;
            FMatchEnd = endPos;
            found = true;
            break;
        }
        if (anchored) break;
        if (FSkipRuns) i = std::max(i, FRunEnd);
    }
    FSubj = nullptr;
    return found;
}

} // namespace qyx
