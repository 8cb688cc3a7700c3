// Build-time generator of the application's font resource files, and a viewer for them.
//
//   makefont font <typeface.ttf> <width> <height> <format> <output.font>
//       Renders codes 32 … 255 into width x height cells; format 0 or 100 (monochrome, 100
//       compressed) or 2 or 102 (grey, 102 compressed).
//   makefont sheet <file.font> <output.png> [scale]
//       Writes a contact sheet of a font resource file.
#include "formats/binaryfile.h"
#include "formats/fontloader.h"
#include "formats/fontwriter.h"
#include "quorvinthal/toolkit.h"
#include "tools/boxglyphs.h"
#include "tools/contactsheet.h"
#include "tools/fontcharset.h"
#include "tools/glyphrasterizer.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr uint8_t FirstCharacter = 32;
constexpr uint8_t LastCharacter = 255;

struct FontRequest {
    std::string Typeface;
    int Width = 0;
    int Height = 0;
    int64_t Format = t_Font::Grey;
    std::string Output;
};

bool monochrome(int64_t format) {
    return format == t_Font::Monochrome || format == t_Font::CompressedMonochrome;
}

GlyphCell makeglyph(uint8_t code, const GlyphRasterizer& rasterizer, const LineStyle& style,
                    int width, int height) {
    const GlyphSource source = glyphsource(code);
    switch (source.Kind) {
    case GlyphKind::Text:
        return rasterizer.text(source.Character);
    case GlyphKind::Symbol:
        return rasterizer.symbol(source.Character);
    case GlyphKind::Drawn:
        return drawglyph(source.Character, width, height, style);
    case GlyphKind::Blank:
        break;
    }
    return GlyphCell(width, height);
}

// Grey glyphs are stored for every code from 0 on, monochrome ones from the first character on.
std::vector<uint8_t> glyphdata(const std::vector<GlyphCell>& cells, bool mono) {
    std::vector<uint8_t> data;
    if (!mono) {
        for (const GlyphCell& cell : cells) {
            data.insert(data.end(), cell.Ink.begin(), cell.Ink.end());
        }
        return data;
    }
    for (size_t code = FirstCharacter; code < cells.size(); ++code) {
        const GlyphCell& cell = cells[code];
        const int rowbytes = (cell.Width + 7) / 8;
        for (int y = 0; y < cell.Height; ++y) {
            std::vector<uint8_t> row(rowbytes, 0);
            // The row is one big-endian number whose bit i is pixel column i.
            for (int x = 0; x < cell.Width && x < 64; ++x) {
                if (cell.at(x, y) >= 128) {
                    row[rowbytes - 1 - x / 8] |= static_cast<uint8_t>(1u << (x % 8));
                }
            }
            data.insert(data.end(), row.begin(), row.end());
        }
    }
    return data;
}

bool writefile(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        if (!file) {
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    return !error;
}

int makefontfile(const FontRequest& request) {
    const std::vector<char32_t> text = textcharacters();
    const Rendering rendering =
        monochrome(request.Format) ? Rendering::Monochrome : Rendering::Grey;
    GlyphRasterizer rasterizer(request.Typeface, request.Width, request.Height, rendering, text);
    const LineStyle style = linestyle(request.Width, rasterizer.stemwidth());

    std::vector<GlyphCell> cells;
    for (int code = 0; code <= LastCharacter; ++code) {
        cells.push_back(makeglyph(static_cast<uint8_t>(code), rasterizer, style, request.Width,
                                  request.Height));
    }
    t_Font font;
    font.Format = monochrome(request.Format) ? t_Font::Monochrome : t_Font::Grey;
    font.Start = FirstCharacter;
    font.End = LastCharacter;
    font.Width = request.Width;
    font.Height = request.Height;
    font.Data = glyphdata(cells, monochrome(request.Format));
    font.Size = static_cast<int64_t>(font.Data.size());

    const bool compressed =
        request.Format == t_Font::CompressedGrey || request.Format == t_Font::CompressedMonochrome;
    const t_Font stored = compressed ? formats::compressfont(font) : font;
    if (formats::uncompressfont(stored) != font) {
        std::fprintf(stderr, "makefont: compressed glyphs do not decode to the original\n");
        return 1;
    }
    const std::vector<uint8_t> bytes = formats::fontresourcebytes(stored);
    if (!writefile(request.Output, bytes)) {
        std::fprintf(stderr, "makefont: cannot write %s\n", request.Output.c_str());
        return 1;
    }
    std::printf("makefont: %s: %.2f px em, baseline %d, lines %d/%d/%d+%d, %zu bytes\n",
                std::filesystem::path(request.Output).filename().c_str(), rasterizer.pixelsize(),
                rasterizer.baseline(), style.Light, style.Heavy, style.DoubleStroke,
                style.DoubleGap, bytes.size());
    return 0;
}

int makesheet(const std::string& fontpath, const std::string& pngpath, int scale) {
    const std::vector<uint8_t> bytes = formats::getbinaryfromfile(fontpath);
    const t_Font font =
        formats::parsefontresource(bytes, std::filesystem::path(fontpath).filename());
    if (font.Data.empty() || font.Width <= 0 || font.Height <= 0) {
        std::fprintf(stderr, "makefont: %s holds no font\n", fontpath.c_str());
        return 1;
    }
    if (!writepng(contactsheet(font, scale), pngpath)) {
        std::fprintf(stderr, "makefont: cannot write %s\n", pngpath.c_str());
        return 1;
    }
    return 0;
}

int usage() {
    std::fprintf(stderr,
                 "usage: makefont font <typeface.ttf> <width> <height> <format> <out.font>\n"
                 "       makefont sheet <file.font> <out.png> [scale]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() == 6 && args[0] == "font") {
            FontRequest request{args[1], std::stoi(args[2]), std::stoi(args[3]),
                                std::stoll(args[4]), args[5]};
            const bool knownformat = request.Format == t_Font::Monochrome ||
                                     request.Format == t_Font::Grey ||
                                     request.Format == t_Font::CompressedMonochrome ||
                                     request.Format == t_Font::CompressedGrey;
            if (!knownformat || request.Width < 1 || request.Width > 64 || request.Height < 1 ||
                request.Height > 255) {
                return usage();
            }
            return makefontfile(request);
        }
        if ((args.size() == 3 || args.size() == 4) && args[0] == "sheet") {
            const int scale = args.size() == 4 ? std::stoi(args[3]) : 1;
            return makesheet(args[1], args[2], std::clamp(scale, 1, 8));
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "makefont: %s\n", error.what());
        return 1;
    }
    return usage();
}
