// QYX_streams: extracting byte ranges of a stream and searching and replacing between memory streams.
#include <qyx/QYX_streams.h>

#include <algorithm>

#include <qyx/platform/CodePage.h>
#include <qyx/platform/Streams.h>

namespace qyx {

namespace {

// A decimal integer with optional blanks around it and an optional sign; false for anything else
// (also for more than 18 digits, which no stream offset needs).
bool ParseDecimal(std::string_view S, int64_t& V) {
    while (!S.empty() && S.front() == ' ') S.remove_prefix(1);
    while (!S.empty() && S.back() == ' ') S.remove_suffix(1);
    bool negative = false;
    if (!S.empty() && (S.front() == '-' || S.front() == '+')) {
        negative = S.front() == '-';
        S.remove_prefix(1);
    }
    if (S.empty() || S.size() > 18) return false;
    int64_t v = 0;
    for (const char c : S) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    V = negative ? -v : v;
    return true;
}

// Reads Count bytes from Offset of Stream and appends them to Out (fewer when the stream ends first).
void AppendRange(TStream* Stream, int64_t Offset, int64_t Count, std::string& Out) {
    Stream->SetPosition(Offset);
    char block[4096];
    while (Count > 0) {
        const int n = Stream->Read(block, static_cast<int>(std::min<int64_t>(Count, sizeof block)));
        if (n <= 0) break;
        Out.append(block, static_cast<size_t>(n));
        Count -= n;
    }
}

// Gives Target (created when null) the content Data, positioned at 0.
void StoreInto(TMemoryStream*& Target, const std::string& Data) {
    if (!Target) Target = new TMemoryStream;
    Target->Clear();
    constexpr size_t kChunk = size_t(1) << 30; // WriteBuffer counts in int
    for (size_t done = 0; done < Data.size(); done += kChunk)
        Target->WriteBuffer(Data.data() + done, static_cast<int>(std::min(kChunk, Data.size() - done)));
    Target->SetPosition(0);
}

} // namespace

void ExtractFromStream(TStream* Stream, TMemoryStream*& Target, const TStrings* Parts) {
    // The parts are gathered first, so that Target may be Stream itself.
    std::string data;
    if (Stream && Parts) {
        const int64_t saved = Stream->GetPosition();
        const int64_t size = Stream->GetSize();
        for (int i = 0; i < Parts->Count(); ++i) {
            const std::string item = Parts->GetStrings(i);
            const size_t comma = item.find(',');
            int64_t offset = 0;
            int64_t count = 0;
            if (comma == std::string::npos ||
                !ParseDecimal(std::string_view(item).substr(0, comma), offset) ||
                !ParseDecimal(std::string_view(item).substr(comma + 1), count) || offset < 0 ||
                offset >= size)
                continue;
            const int64_t available = size - offset;
            AppendRange(Stream, offset, count < 0 ? available : std::min(count, available), data);
        }
        Stream->SetPosition(saved);
    }
    StoreInto(Target, data);
}

void SearchAndReplace(TMemoryStream*& Source, TMemoryStream*& Target, const std::string& SearchText,
                      const std::string& ReplaceText, bool IgnoreCase, int StartPos, int MaxCount,
                      const std::string& EndText, const TSearchReplaceEvent& OnReplace) {
    std::string data;
    if (Source)
        data.assign(static_cast<const char*>(Source->Memory()), static_cast<size_t>(Source->GetSize()));
    const std::string hay = IgnoreCase ? LowerCase(data) : data;
    const std::string search = IgnoreCase ? LowerCase(SearchText) : SearchText;
    const std::string endText = IgnoreCase ? LowerCase(EndText) : EndText;

    size_t pos = std::min(static_cast<size_t>(std::max(StartPos, 0)), data.size());
    std::string out = data.substr(0, pos);
    int count = 0;
    while (!search.empty() && (MaxCount <= 0 || count < MaxCount)) {
        const size_t hit = hay.find(search, pos);
        if (hit == std::string::npos) break;
        size_t end = hit + search.size();
        if (!endText.empty()) {
            const size_t close = hay.find(endText, end);
            if (close == std::string::npos) break;
            end = close + endText.size();
        }
        std::string replacement = ReplaceText;
        if (OnReplace) OnReplace(data.substr(hit, end - hit), replacement);
        out.append(data, pos, hit - pos);
        out += replacement;
        pos = end;
        ++count;
    }
    out.append(data, pos, std::string::npos);
    StoreInto(Target, out);
}

} // namespace qyx
