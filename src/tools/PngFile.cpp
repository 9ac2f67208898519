#include "tools/PngFile.h"

#include <png.h>

#include <bit>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <random>
#include <system_error>

namespace tavrino {

namespace {

// Pixels are 0x00RRGGBB words, in memory the bytes B, G, R and an unused one.
static_assert(std::endian::native == std::endian::little);

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// libpng's own messages are not printed: a failure is reported once, by the caller. Its
// allocations go through here, so that running out of memory is told apart from a failed write.
struct PngWriter {
    png_structp png = nullptr;
    png_infop info = nullptr;
    bool outOfMemory = false;
    PngWriter() {
        png = png_create_write_struct_2(PNG_LIBPNG_VER_STRING, nullptr, Fail, Ignore, this,
                                        Allocate, Free);
        if (png != nullptr) {
            info = png_create_info_struct(png);
        }
        outOfMemory = outOfMemory || info == nullptr;
    }
    ~PngWriter() { png_destroy_write_struct(&png, &info); }
    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;

    [[noreturn]] static void Fail(png_structp png, png_const_charp /*message*/) {
        png_longjmp(png, 1);
    }
    static void Ignore(png_structp /*png*/, png_const_charp /*message*/) {}
    // The allocator hooks hand libpng raw memory, as it asks for.
    static png_voidp Allocate(png_structp png, png_alloc_size_t size) {
        png_voidp memory = std::malloc(size);  // NOLINT(cppcoreguidelines-no-malloc)
        if (memory == nullptr) {
            static_cast<PngWriter*>(png_get_mem_ptr(png))->outOfMemory = true;
        }
        return memory;
    }
    static void Free(png_structp /*png*/, png_voidp memory) {
        std::free(memory);  // NOLINT(cppcoreguidelines-no-malloc)
    }
};

// libpng reports errors by jumping back to the setjmp here; nothing between the two owns a
// resource, so nothing is skipped.
bool Encode(png_structp png, png_infop info, std::FILE* file, const PixmapView& image) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (int y = 0; y < image.height; ++y) {
        const std::uint32_t* row =
            image.pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(image.stride);
        png_write_row(png, reinterpret_cast<png_const_bytep>(row));
    }
    png_write_end(png, info);
    return true;
}

// A new file next to the target, opened exclusively so that nothing else is overwritten.
File CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temporary) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporary = target;
        temporary += ".tmp" + std::to_string(random() % 1000000u);
        if (File file{std::fopen(temporary.c_str(), "wbx")}) {
            return file;
        }
    }
    return nullptr;
}

}  // namespace

std::string WritePng(const std::filesystem::path& path, const PixmapView& image) {
    std::string failed = "cannot write \"" + path.string() + "\"";
    std::filesystem::path temporary;
    File file = CreateTemporary(path, temporary);
    if (!file) {
        return failed;
    }
    bool ok = false;
    bool outOfMemory = false;
    {
        PngWriter writer;  // not const: its allocator notes a failure in it
        ok = writer.info != nullptr && Encode(writer.png, writer.info, file.get(), image);
        outOfMemory = writer.outOfMemory;
    }
    ok = std::fflush(file.get()) == 0 && ok;
    ok = std::fclose(file.release()) == 0 && ok;
    std::error_code error;
    if (ok) {
        std::filesystem::rename(temporary, path, error);
    }
    if (!ok || error) {
        std::filesystem::remove(temporary, error);
        if (outOfMemory) {
            throw std::bad_alloc();
        }
        return failed;
    }
    return {};
}

}  // namespace tavrino
