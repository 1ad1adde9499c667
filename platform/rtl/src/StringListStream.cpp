// Reading and writing string lists through streams and files.
#include <qyx/platform/StringList.h>

#include <qyx/platform/Streams.h>

#include <algorithm>

namespace qyx {

void TStrings::LoadFromStream(TStream* Stream) {
    // Read until a read delivers nothing, so streams that cannot tell their size work too.
    std::string text;
    char block[4096];
    for (;;) {
        const int n = Stream->Read(block, static_cast<int>(sizeof block));
        if (n <= 0) break;
        text.append(block, static_cast<size_t>(n));
    }
    SetText(text);
}

void TStrings::SaveToStream(TStream* Stream) const {
    const std::string text = GetText();
    // WriteBuffer takes an int count: write in blocks so that any size goes through.
    constexpr size_t BlockSize = 1 << 20;
    for (size_t done = 0; done < text.size(); done += BlockSize) {
        const size_t n = std::min(BlockSize, text.size() - done);
        Stream->WriteBuffer(text.data() + done, static_cast<int>(n));
    }
}

void TStrings::LoadFromFile(const std::string& FileName) {
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&stream);
}

void TStrings::SaveToFile(const std::string& FileName) const {
    TFileStream stream(FileName, fmCreate);
    SaveToStream(&stream);
}

} // namespace qyx
