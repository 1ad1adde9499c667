// JPEG reader on libjpeg: colour images become 24-bit B,G,R, greyscale images 8-bit with a grey
// palette, CMYK and YCCK images are converted to RGB. Library errors and a premature end of the data
// raise EInvalidGraphic; progress is reported in whole percent through the progress monitor.
#include "ImageCodecs.h"

#include <qyx/platform/Exceptions.h>

#include <csetjmp>
#include <cstdio>
#include <exception>
#include <string>

#include <jerror.h>
#include <jpeglib.h>

namespace qyx::gfx {

namespace {

constexpr long MaxLibraryMemory = 256L << 20; // whole-image buffers of progressive files
constexpr int MaxScans = 1000;                // more scans than any real file has

// Error manager and progress monitor of one decoding; the C callbacks leave through Jump.
struct TJpegState {
    jpeg_error_mgr Err;
    jpeg_progress_mgr Progress;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX] = "";
    const std::function<void(int)>* OnProgress = nullptr;
    int LastPercent = -1;
    std::exception_ptr CallbackError;
};

TJpegState& StateOf(j_common_ptr C) {
    return *static_cast<TJpegState*>(C->client_data);
}

[[noreturn]] void ErrorExit(j_common_ptr C) {
    TJpegState& S = StateOf(C);
    (*C->err->format_message)(C, S.Message);
    std::longjmp(S.Jump, 1);
}

// Warnings are tolerated except the end of the data, which marks a truncated file.
void EmitMessage(j_common_ptr C, int Level) {
    if (Level < 0 && C->err->msg_code == JWRN_JPEG_EOF) ErrorExit(C);
}

void ReportPercent(TJpegState& S, int Percent) {
    if (Percent <= S.LastPercent || !S.OnProgress || !*S.OnProgress) return;
    S.LastPercent = Percent;
    try {
        (*S.OnProgress)(Percent);
    } catch (...) {
        S.CallbackError = std::current_exception();
    }
}

void ProgressMonitor(j_common_ptr C) {
    TJpegState& S = StateOf(C);
    auto* D = reinterpret_cast<j_decompress_ptr>(C);
    if (D->input_scan_number > MaxScans) {
        std::snprintf(S.Message, sizeof S.Message, "too many scans");
        std::longjmp(S.Jump, 1);
    }
    const jpeg_progress_mgr& P = S.Progress;
    const long Limit = P.pass_limit > 0 ? P.pass_limit : 1;
    const int Passes = P.total_passes > 0 ? P.total_passes : 1;
    const double Done = (P.completed_passes + double(P.pass_counter) / Limit) / Passes;
    ReportPercent(S, std::min(99, static_cast<int>(Done * 100)));
    if (S.CallbackError) {
        std::snprintf(S.Message, sizeof S.Message, "cancelled");
        std::longjmp(S.Jump, 1);
    }
}

// Converts one CMYK row in place of a B,G,R row; Adobe files store the inks inverted.
void CmykToBgr(const uint8_t* Src, uint8_t* Dst, int Width, bool Inverted) {
    for (int x = 0; x < Width; ++x, Src += 4, Dst += 3) {
        int C = Src[0], M = Src[1], Y = Src[2], K = Src[3];
        if (!Inverted) C = 255 - C, M = 255 - M, Y = 255 - Y, K = 255 - K;
        Dst[0] = uint8_t((Y * K + 127) / 255);
        Dst[1] = uint8_t((M * K + 127) / 255);
        Dst[2] = uint8_t((C * K + 127) / 255);
    }
}

// The decoding itself. Only trivially destructible locals live here besides what the caller owns,
// because errors leave through longjmp.
bool Decode(jpeg_decompress_struct& Info, TJpegState& S, const uint8_t* Data, size_t Size, TRawImage& Img,
            std::vector<uint8_t>& CmykRow) {
    if (setjmp(S.Jump)) return false;
    jpeg_create_decompress(&Info);
    Info.client_data = &S;
    Info.progress = &S.Progress;
    Info.mem->max_memory_to_use = MaxLibraryMemory;
    jpeg_mem_src(&Info, Data, static_cast<unsigned long>(Size));
    jpeg_read_header(&Info, TRUE);
    CheckImageSize(Info.image_width, Info.image_height, "JPEG");

    const bool Grey = Info.jpeg_color_space == JCS_GRAYSCALE;
    const bool Cmyk = Info.jpeg_color_space == JCS_CMYK || Info.jpeg_color_space == JCS_YCCK;
    Info.out_color_space = Grey ? JCS_GRAYSCALE : Cmyk ? JCS_CMYK : JCS_EXT_BGR;
    jpeg_start_decompress(&Info);

    Img.Width = int(Info.output_width);
    Img.Height = int(Info.output_height);
    Img.BitsPerPixel = Grey ? 8 : 24;
    Img.Stride = int(PaddedRowBytes(Img.Width, Img.BitsPerPixel));
    if (Grey)
        for (uint32_t i = 0; i < 256; ++i) Img.Palette.push_back(i | i << 8 | i << 16);
    if (Cmyk) CmykRow.resize(size_t(Img.Width) * 4);
    // Plausibly sized files get their pixel memory at once; for others it grows with the decoded rows,
    // so that a short file claiming a huge image fails before the memory is taken.
    const size_t Total = size_t(Img.Stride) * Img.Height;
    if (uint64_t(Size) * 1024 >= uint64_t(Img.Width) * Img.Height) Img.Pixels.reserve(Total);
    while (Info.output_scanline < Info.output_height) {
        const size_t Row = Info.output_scanline;
        Img.Pixels.resize((Row + 1) * Img.Stride);
        uint8_t* Dst = Img.Pixels.data() + Row * Img.Stride;
        JSAMPROW Line = Cmyk ? CmykRow.data() : Dst;
        jpeg_read_scanlines(&Info, &Line, 1);
        if (Cmyk) CmykToBgr(CmykRow.data(), Dst, Img.Width, Info.saw_Adobe_marker);
    }
    jpeg_finish_decompress(&Info);
    return true;
}

} // namespace

TRawImage DecodeJPEG(const uint8_t* Data, size_t Size, const std::function<void(int Percent)>& Progress) {
    if (!Data || Size < 3) throw EInvalidGraphic("JPEG image is not valid: no data");
    jpeg_decompress_struct Info{};
    TJpegState S;
    Info.err = jpeg_std_error(&S.Err);
    S.Err.error_exit = ErrorExit;
    S.Err.emit_message = EmitMessage;
    S.Progress.progress_monitor = ProgressMonitor;
    S.OnProgress = &Progress;
    TRawImage Img;
    std::vector<uint8_t> CmykRow;
    bool Ok;
    try {
        Ok = Decode(Info, S, Data, Size, Img, CmykRow);
    } catch (...) { // the size check
        jpeg_destroy_decompress(&Info);
        throw;
    }
    jpeg_destroy_decompress(&Info);
    if (S.CallbackError) std::rethrow_exception(S.CallbackError);
    if (!Ok) throw EInvalidGraphic(std::string("JPEG image is not valid: ") + S.Message);
    ReportPercent(S, 100);
    if (S.CallbackError) std::rethrow_exception(S.CallbackError);
    return Img;
}

} // namespace qyx::gfx
