/* Writes the JPEG and PNG fixtures of the image codec tests with libjpeg and libpng, and the RLE BMP
 * fixtures from the RLE examples of the BMP format description.
 * Build and run in this directory:
 *   cc make_fixtures.c -ljpeg -lpng -o /tmp/make_fixtures && /tmp/make_fixtures
 */
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <jpeglib.h>
#include <png.h>

/* 16 x 8 pixels: left 8 x 8 block red, right block blue (colour); left black, right white (grey). */
static void jpeg(const char* name, J_COLOR_SPACE space, int comps, int progressive) {
    struct jpeg_compress_struct c;
    struct jpeg_error_mgr e;
    FILE* f = fopen(name, "wb");
    c.err = jpeg_std_error(&e);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, f);
    c.image_width = 16;
    c.image_height = 8;
    c.input_components = comps;
    c.in_color_space = space;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 100, TRUE);
    if (progressive) jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    unsigned char row[16 * 4];
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) {
            unsigned char* p = row + x * comps;
            int left = x < 8;
            if (comps == 1) p[0] = left ? 0 : 255;
            else if (comps == 3) p[0] = left ? 255 : 0, p[1] = 0, p[2] = left ? 0 : 255;
            else { /* inverted CMYK as Adobe applications store it: red = M + Y, blue = C + M */
                p[0] = left ? 255 : 0, p[1] = 0, p[2] = left ? 0 : 255, p[3] = 255;
            }
        }
        JSAMPROW r = row;
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    fclose(f);
}

/* 5 x 3 pixels; sample(x, y, channel) gives the values. */
static unsigned sample(int x, int y, int ch, int depth) {
    unsigned max = (1u << depth) - 1;
    return (unsigned)((x * 7 + y * 13 + ch * 5) * (depth == 16 ? 2459 : 1)) % (max + 1);
}

static void png(const char* name, int type, int depth, int interlace, int trns) {
    FILE* f = fopen(name, "wb");
    png_structp p = png_create_write_struct(PNG_LIBPNG_VER_STRING, NULL, NULL, NULL);
    png_infop i = png_create_info_struct(p);
    png_init_io(p, f);
    png_set_IHDR(p, i, 5, 3, depth, type, interlace, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (type == PNG_COLOR_TYPE_PALETTE) {
        png_color pal[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
        png_byte alpha[2] = {0, 128};
        png_set_PLTE(p, i, pal, 4);
        if (trns) png_set_tRNS(p, i, alpha, 2, NULL);
    }
    png_write_info(p, i);
    if (depth == 16) png_set_swap(p);
    int ch = type == PNG_COLOR_TYPE_RGB ? 3 : type == PNG_COLOR_TYPE_RGBA ? 4 : type == PNG_COLOR_TYPE_GA ? 2 : 1;
    int passes = png_set_interlace_handling(p);
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < 3; ++y) {
            unsigned char row[64] = {0};
            for (int x = 0; x < 5; ++x)
                for (int c = 0; c < ch; ++c) {
                    unsigned v = type == PNG_COLOR_TYPE_PALETTE ? (unsigned)(x + y) % 4 : sample(x, y, c, depth);
                    if (c == ch - 1 && (type & PNG_COLOR_MASK_ALPHA)) v = x == 0 ? 0 : x == 1 ? (1u << depth) / 2 : (1u << depth) - 1;
                    if (depth == 16) row[(x * ch + c) * 2] = v & 255, row[(x * ch + c) * 2 + 1] = v >> 8;
                    else if (depth == 8) row[x * ch + c] = (unsigned char)v;
                    else row[x * depth / 8] |= (unsigned char)(v << (8 - depth - (x * depth) % 8));
                }
            png_write_row(p, row);
        }
    png_write_end(p, NULL);
    png_destroy_write_struct(&p, &i);
    fclose(f);
}

static void put16(unsigned char* p, unsigned v) { p[0] = v & 255, p[1] = v >> 8; }
static void put32(unsigned char* p, unsigned v) { put16(p, v & 0xFFFF), put16(p + 2, v >> 16); }

static void rle(const char* name, int bpp, int width, const unsigned char* data, int len) {
    int colours = 1 << bpp, off = 14 + 40 + 4 * colours;
    unsigned char* b = calloc(1, off + len);
    b[0] = 'B', b[1] = 'M';
    put32(b + 2, off + len), put32(b + 10, off), put32(b + 14, 40), put32(b + 18, width), put32(b + 22, 3);
    put16(b + 26, 1), put16(b + 28, bpp), put32(b + 30, bpp == 8 ? 1 : 2), put32(b + 34, len);
    for (int i = 0; i < colours; ++i) b[54 + 4 * i] = b[55 + 4 * i] = b[56 + 4 * i] = (unsigned char)i;
    memcpy(b + off, data, len);
    FILE* f = fopen(name, "wb");
    fwrite(b, 1, off + len, f);
    fclose(f);
    free(b);
}

int main(void) {
    jpeg("rgb.jpg", JCS_RGB, 3, 0);
    jpeg("grey.jpg", JCS_GRAYSCALE, 1, 0);
    jpeg("cmyk.jpg", JCS_CMYK, 4, 0);
    jpeg("progressive.jpg", JCS_RGB, 3, 1);
    png("grey2.png", PNG_COLOR_TYPE_GRAY, 2, PNG_INTERLACE_NONE, 0);
    png("grey16.png", PNG_COLOR_TYPE_GRAY, 16, PNG_INTERLACE_NONE, 0);
    png("greyalpha.png", PNG_COLOR_TYPE_GA, 8, PNG_INTERLACE_NONE, 0);
    png("rgba.png", PNG_COLOR_TYPE_RGBA, 8, PNG_INTERLACE_NONE, 0);
    png("rgb16.png", PNG_COLOR_TYPE_RGB, 16, PNG_INTERLACE_NONE, 0);
    png("interlaced.png", PNG_COLOR_TYPE_RGB, 8, PNG_INTERLACE_ADAM7, 0);
    png("palette2trns.png", PNG_COLOR_TYPE_PALETTE, 2, PNG_INTERLACE_NONE, 1);
    static const unsigned char rle8[] = {0x03, 0x04, 0x05, 0x06, 0x00, 0x03, 0x45, 0x56, 0x67, 0x00, 0x02, 0x78,
                                         0x00, 0x02, 0x05, 0x01, 0x02, 0x78, 0x00, 0x00, 0x09, 0x1E, 0x00, 0x01};
    static const unsigned char rle4[] = {0x03, 0x04, 0x05, 0x06, 0x00, 0x06, 0x45, 0x56, 0x67, 0x00, 0x04, 0x78,
                                         0x00, 0x02, 0x05, 0x01, 0x04, 0x78, 0x00, 0x00, 0x09, 0x1E, 0x00, 0x01};
    rle("rle8.bmp", 8, 20, rle8, sizeof rle8);
    rle("rle4.bmp", 4, 28, rle4, sizeof rle4);
    return 0;
}
