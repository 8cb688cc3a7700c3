// Font resource files: header parsing, LZW, loading from the resource folders, and the built fonts.
#include "display/resources.h"
#include "formats/binaryfile.h"
#include "formats/fontloader.h"
#include "formats/fontwriter.h"
#include "formats/lzw.h"
#include "tests/support/tempresources.h"
#include "tests/support/testing.h"

#include <random>

namespace {

namespace fs = std::filesystem;

// The header's numbers: header size, format, size, start, end, width, height, reserved.
Numbers header(const t_Font& f) {
    return {f.HeaderSize, f.Format, f.Size, f.Start, f.End, f.Width, f.Height, f.Reserved};
}

const Numbers standardheader{16, t_Font::Grey, 0x12345678, 32, 127, 8, 16, 0xABCD};

// A 16-byte header of size 0x12345678 and reserved 0xABCD, followed by data.
Bytes fontfile(uint8_t format, uint8_t start, uint8_t end, uint8_t width, uint8_t height,
               const Bytes& data = {}) {
    Bytes bytes = {16,   'k',  'q',   'f', 'n',   format, 0x12, 0x34,
                   0x56, 0x78, start, end, width, height, 0xAB, 0xCD};
    bytes.resize(16 + data.size());
    std::copy(data.begin(), data.end(), bytes.begin() + 16);
    return bytes;
}

t_Font parse(const Bytes& bytes) {
    return formats::parsefontresource(bytes, "Test.font");
}

// Codes of the given width, most significant bit first, after the width byte.
Bytes packcodes(unsigned width, const std::vector<uint64_t>& codes) {
    Bytes bytes = {static_cast<uint8_t>(width)};
    unsigned used = 8;
    for (uint64_t code : codes) {
        for (unsigned i = width; i-- > 0;) {
            if (used == 8) {
                bytes.push_back(0);
                used = 0;
            }
            bool bit = i < 64 && ((code >> i) & 1);
            bytes.back() |= static_cast<uint8_t>(bit << (7 - used++));
        }
    }
    return bytes;
}

Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

t_Font compressedfont(int64_t format, const Bytes& data) {
    return {.Format = format, .Data = data};
}

Bytes randombytes(size_t size, unsigned seed, int alphabet) {
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> byte(0, alphabet - 1);
    Bytes bytes(size);
    for (uint8_t& b : bytes) {
        b = static_cast<uint8_t>(byte(generator));
    }
    return bytes;
}

} // namespace

TEST(FontHeader, ValidBrokenAndShortHeaders) {
    Bytes data(128 * 8 * 16);
    for (size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<uint8_t>(i / (8 * 16)); // each glyph filled with its code
    }
    LogCapture log;
    const t_Font font = parse(fontfile(t_Font::Grey, 32, 127, 8, 16, data));
    EXPECT_EQ(font.Identifier, text("kqfn"));
    EXPECT_EQ(header(font), standardheader);
    ASSERT_EQ(font.Data.size(), 16384u);
    EXPECT_EQ(font.Data[8320 - 1], 64);
    EXPECT_EQ(font.Data[8320], 'A');
    const t_Font headeronly = parse(fontfile(t_Font::Grey, 32, 127, 8, 16));
    EXPECT_EQ(header(headeronly), standardheader);
    EXPECT_TRUE(headeronly.Data.empty());
    const t_Font unknown = parse(fontfile(1, 0, 0, 8, 8, {9, 8, 7}));
    EXPECT_EQ(std::pair(unknown.Format, unknown.Data), std::pair(int64_t{1}, Bytes{9, 8, 7}));
    Bytes large = fontfile(t_Font::Grey, 200, 255, 255, 255, {1});
    std::fill(large.begin() + 6, large.begin() + 10, 0xFF);
    EXPECT_EQ(header(parse(large)),
              (Numbers{16, t_Font::Grey, 4294967295, 200, 255, 255, 255, 0xABCD}));
    EXPECT_TRUE(log.lines().empty());
    Bytes bytes = fontfile(t_Font::Grey, 32, 127, 8, 16, Bytes(84, 7));
    bytes[0] = 200; // beyond the file
    EXPECT_EQ(parse(bytes), (t_Font{.HeaderSize = 200, .Data = {}}));
    EXPECT_EQ(log.lines(), Lines{"t_LoadFontResource: Invalid header size"});
    log.clear();
    bytes = fontfile(t_Font::Grey, 32, 127, 8, 16, Bytes(10, 1));
    bytes[4] = 'x';
    EXPECT_EQ(parse(bytes),
              (t_Font{.Identifier = text("kqfx"), .Data = {}})); // the bytes read are kept
    EXPECT_EQ(log.lines(), Lines{"t_LoadFontResource: Invalid file type"});
    // Short files read missing bytes as zero; shorter than the identifier is a wrong file type.
    log.clear();
    EXPECT_EQ(parse(Bytes{3, 'k', 'q'}).Identifier, (Bytes{'k', 'q', 0, 0}));
    EXPECT_EQ(log.lines(), Lines{"t_LoadFontResource: Invalid file type"});
    // Size needs 10 bytes, the reserved field 16; the header size may be smaller than 16.
    EXPECT_EQ(header(parse(Bytes{9, 'k', 'q', 'f', 'n', 2, 1, 2, 3})),
              (Numbers{9, 2, 0, 0, 0, 0, 0, 0}));
    bytes = fontfile(t_Font::Grey, 32, 127, 8, 16);
    bytes[0] = 12;
    bytes.resize(15);
    t_Font short15 = parse(bytes);
    EXPECT_EQ(header(short15), (Numbers{12, t_Font::Grey, 0x12345678, 32, 127, 8, 16, 0}));
    EXPECT_EQ(short15.Data, (Bytes{8, 16, 0xAB}));
}

// A written font loads back uncompressed from either format.
TEST(FontLoading, ReadErrorsNameTheFileAndWrittenFontsLoadBack) {
    LogCapture log;
    TemporaryResources resources;
    resources.write("Empty.font", {});
    fs::create_directory(resources.resource("Folder.font"));
    EXPECT_EQ(t_LoadFontResource("Missing 8x8.font"), t_Font{});
    EXPECT_TRUE(t_LoadFontResource("Empty.font").Data.empty()); // reported by the loader only
    EXPECT_TRUE(formats::getbinaryfromfile(resources.resource("Folder.font").string()).empty());
    EXPECT_EQ(
        log.lines(),
        (Lines{"getbinaryfromfile: Error #" + resources.resource("Missing 8x8.font").string() +
                   ": No such file or directory",
               "t_LoadFontResource: Could not load file \u201EMissing 8x8.font\u201C",
               "t_LoadFontResource: Could not load file \u201EEmpty.font\u201C",
               "getbinaryfromfile: Error #" + resources.resource("Folder.font").string() +
                   ": Is a directory"}));
    t_Font made = compressedfont(t_Font::Grey, randombytes(96 * 64, 5, 256));
    std::tie(made.Start, made.End, made.Width, made.Height) = std::tuple(32, 127, 8, 8);
    const t_Font packed = formats::compressfont(made);
    EXPECT_EQ(packed.Format, t_Font::CompressedGrey);
    EXPECT_EQ(formats::compressfont(compressedfont(1, {1, 2, 3})), compressedfont(1, {1, 2, 3}));
    resources.write("Plain.font", formats::fontresourcebytes(made));
    resources.write("Packed.font", formats::fontresourcebytes(packed));
    log.clear();
    EXPECT_EQ(t_LoadFontResource("Plain.font"), made);
    EXPECT_EQ(t_LoadFontResource("Packed.font"), made);
    EXPECT_TRUE(log.lines().empty());
}

// A damaged copy of a toolkit font is named once, with what is wrong with it, and the built-in
// copy serves; without copies a truncated font loads as it is but still says so.
TEST(FontLoading, ADamagedFileIsNamedOnceAndTheBuiltInCopyServes) {
    const std::string name = t_FontRegular16x32;
    const Bytes good = formats::getbinaryfromfile(std::string(QV_DATA_DIR) + "/" + name);
    ASSERT_GT(good.size(), 100u);
    Bytes unknown = good, noglyphs = good;
    unknown[5] = 7;
    noglyphs.resize(noglyphs[0]);
    const std::pair<Bytes, std::string> damages[] = {
        {Bytes(good.begin(), good.begin() + 100), "holds "},
        {randombytes(good.size(), 7, 256), "is not a font resource file"},
        {unknown, "has the unknown glyph format 7"},
        {Bytes(good.begin(), good.begin() + 10), "is shorter than its header"},
        {noglyphs, "holds 0 of the "},
        {{}, "is empty or cannot be read"}};
    TemporaryResources resources;
    const t_Font builtin = t_LoadFontResource(name);
    ASSERT_FALSE(builtin.Data.empty());
    for (const auto& [bytes, problem] : damages) {
        resources.write(name, bytes);
        LogCapture log;
        EXPECT_EQ(t_LoadFontResource(name), builtin) << problem;
        EXPECT_EQ(t_LoadFontResource(name), builtin) << problem;
        const std::string start = "t_LoadFontResource: " + resources.resource(name).string() + " ";
        const std::string end = ", using the built-in copy.";
        ASSERT_EQ(log.lines().size(), 1u) << problem;
        const std::string line = log.lines()[0];
        EXPECT_EQ(line.substr(0, start.size() + problem.size()), start + problem);
        EXPECT_EQ(line.substr(line.size() - end.size()), end) << line;
    }
    TemporaryResources nocopies(false);
    nocopies.write(name, Bytes(good.begin(), good.begin() + 100));
    LogCapture log;
    EXPECT_EQ(t_LoadFontResource(name).Width, 16);
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines()[0].back(), '.');
}

// Codes beyond the next free one, a width byte alone, widths out of range, no bytes at all. The
// first code only gives its low eight bits; later ones must be dictionary codes.
TEST(Lzw, InvalidOrTooWideCodes) {
    for (const Bytes& bytes : {packcodes(9, {65, 66, 258}), packcodes(9, {65, 300}), Bytes{9},
                               Bytes{0, 0xFF, 0xFF}, Bytes{17, 0xFF, 0xFF}, Bytes{}}) {
        for (auto [packed, plain] : {std::pair{t_Font::CompressedGrey, t_Font::Grey},
                                     {t_Font::CompressedMonochrome, t_Font::Monochrome}}) {
            t_Font font = formats::uncompressfont(compressedfont(packed, bytes));
            EXPECT_TRUE(font.Data.empty());
            EXPECT_EQ(font.Format, plain);
        }
    }
    EXPECT_EQ(formats::lzwdecode(packcodes(9, {65, 257})).status, formats::LzwStatus::InvalidCode);
    EXPECT_EQ(formats::lzwdecode(packcodes(40, {(1ull << 39) | 'A', 'B'})).data, text("AB"));
    EXPECT_EQ(formats::lzwdecode(packcodes(40, {'A', 1ull << 39})).status,
              formats::LzwStatus::InvalidCode);
    Bytes wide = packcodes(255, {'A', 'B', 256});
    EXPECT_EQ(formats::lzwdecode(wide).data, text("ABAB"));
    wide[1] = 0x80; // sets bit 254 of the first code: still only its low byte counts
    EXPECT_EQ(formats::lzwdecode(wide).data, text("ABAB"));
    wide[33] = 0x01; // a set bit far above 64 in the second code
    EXPECT_EQ(formats::lzwdecode(wide).status, formats::LzwStatus::InvalidCode);
}

// Codes are read alike at every width and bit offset, also in the last bytes of the stream.
TEST(Lzw, EveryWidthFromNineToSixtyFourDecodesTheSameCodes) {
    for (unsigned width = 9; width <= 64; ++width) {
        EXPECT_EQ(formats::lzwdecode(packcodes(width, {'A', 'B', 256, 'C', 258, 259, 'D'})).data,
                  text("ABABCABCCAD"))
            << width;
    }
}

TEST(Lzw, TheCodeBeingDefinedAndOutputLimitsFromZeroToTheLargestFont) {
    const Bytes seven = packcodes(9, {65, 66, 256, 258});
    formats::LzwResult result = formats::lzwdecode(seven);
    EXPECT_EQ(result.status, formats::LzwStatus::Ok);
    EXPECT_EQ(result.data, text("ABABABA"));
    EXPECT_EQ(formats::lzwdecode(seven, 7).data, text("ABABABA"));
    EXPECT_EQ(formats::lzwdecode(seven, 6).status, formats::LzwStatus::TooLong);
    Bytes bytes = packcodes(9, {65, 66}); // 18 bits in 3 bytes: the leftover bits are ignored
    bytes.back() |= 0x3F;
    EXPECT_EQ(formats::lzwdecode(bytes).data, text("AB"));
    EXPECT_EQ(formats::lzwdecode(packcodes(9, {'A'}), 1).data, text("A"));
    EXPECT_EQ(formats::lzwdecode(packcodes(9, {'A'}), 0).status, formats::LzwStatus::TooLong);
    // The default limit, the largest font's 256 x 255 x 255 bytes: codes each the one being
    // defined (code k adds k - 254 bytes), then single bytes up to exactly the limit.
    std::vector<uint64_t> codes = {0};
    size_t size = 1;
    for (uint64_t code = 256; size + code - 254 <= 16646400; ++code) {
        codes.push_back(code);
        size += code - 254;
    }
    codes.resize(codes.size() + 16646400 - size, 'x');
    result = formats::lzwdecode(packcodes(13, codes));
    EXPECT_EQ(result.status, formats::LzwStatus::Ok);
    EXPECT_EQ(result.data.size(), 16646400u);
    codes.push_back('x');
    const Bytes hostile = packcodes(13, codes); // under 20 KB
    result = formats::lzwdecode(hostile);
    EXPECT_EQ(result.status, formats::LzwStatus::TooLong);
    EXPECT_TRUE(result.data.empty());
    t_Font font = formats::uncompressfont(compressedfont(t_Font::CompressedGrey, hostile));
    EXPECT_TRUE(font.Data.empty());
    EXPECT_EQ(font.Format, t_Font::Grey);
}

TEST(Lzw, EncodeThenDecodeGivesTheInput) {
    std::vector<Bytes> inputs = {{}, {0}, {255, 255}, Bytes(70000, 'x')};
    for (unsigned seed = 1; seed <= 4; ++seed) {
        inputs.push_back(randombytes(seed * 25000, seed, 256));
        inputs.push_back(randombytes(seed * 25000, seed, 3)); // long repeats
    }
    for (const Bytes& input : inputs) {
        const Bytes encoded = formats::lzwencode(input);
        ASSERT_FALSE(encoded.empty());
        EXPECT_GE(encoded[0], 8);
        formats::LzwResult decoded = formats::lzwdecode(encoded);
        EXPECT_EQ(decoded.status, formats::LzwStatus::Ok);
        EXPECT_EQ(decoded.data, input) << "input of " << input.size() << " bytes";
    }
    EXPECT_LT(formats::lzwencode(Bytes(70000, 'x')).size(), 1000u);
}

namespace {

// The 8-bit ink of a glyph pixel; the monochrome font is 8 pixels wide, one byte a row.
int ink(const t_Font& font, int code, int x, int y) {
    if (font.Format == t_Font::Grey) {
        return font.Data.at((code * font.Height + y) * font.Width + x);
    }
    return (font.Data.at((code - font.Start) * font.Height + y) >> x) & 1 ? 255 : 0;
}

// The sum of a glyph's ink and the number of its inked pixels.
std::pair<int, int> inkof(const t_Font& font, int code) {
    std::pair<int, int> sums;
    for (int y = 0; y < font.Height; ++y) {
        for (int x = 0; x < font.Width; ++x) {
            sums.first += ink(font, code, x, y);
            sums.second += ink(font, code, x, y) > 0;
        }
    }
    return sums;
}

} // namespace

TEST(ApplicationFonts, HeadersGlyphsAndCompression) {
    const std::tuple<const char*, int64_t, int, int, size_t> fonts[] = {
        {t_FontBold16x32, t_Font::Grey, 16, 32, 256 * 16 * 32},
        {t_FontRegular16x32, t_Font::Grey, 16, 32, 256 * 16 * 32},
        {t_FontBold8x16, t_Font::Monochrome, 8, 16, 224 * 16}};
    for (auto [name, format, width, height, datasize] : fonts) {
        SCOPED_TRACE(name);
        LogCapture log;
        const t_Font font = t_LoadFontResource(name);
        EXPECT_TRUE(log.lines().empty());
        EXPECT_EQ(font.Identifier, text("kqfn"));
        EXPECT_EQ(header(font), (Numbers{16, format, static_cast<int64_t>(datasize), 32, 255, width,
                                         height, font.Reserved}));
        ASSERT_EQ(font.Data.size(), datasize);
        EXPECT_EQ(inkof(font, ' ').second, 0);
        EXPECT_EQ(inkof(font, 160).second, 0); // the no-break space
        for (int code :
             std::initializer_list<int>{'A', 'g', '0', 0xC4, 0xDF, 0xFF, 128, 130, 132, 133, 159}) {
            EXPECT_GT(inkof(font, code).second, 0) << "code " << code;
        }
        // The rule: a full-width band, so that neighbouring cells join into one line.
        int fullrows = 0;
        for (int y = 0; y < height; ++y) {
            int inked = 0;
            for (int x = 0; x < width; ++x) {
                inked += ink(font, 156, x, y) == 255;
            }
            fullrows += inked == width;
        }
        EXPECT_GE(fullrows, 1);
        EXPECT_EQ(inkof(font, 156).second, fullrows * width);
        // A cross reaches all four edges at the same places as its neighbours' lines.
        for (int i = 0; i < height; ++i) {
            EXPECT_EQ(ink(font, 146, 0, i), ink(font, 140, width - 1, i)) << "row " << i;
        }
        for (int i = 0; i < width; ++i) {
            EXPECT_EQ(ink(font, 146, i, 0), ink(font, 138, i, height - 1)) << "column " << i;
        }
        if (format == t_Font::Grey) { // the window fonts are stored compressed
            Bytes file = formats::getbinaryfromfile(display::findresourcefile(name).string());
            ASSERT_GT(file.size(), 16u);
            EXPECT_EQ(file[5], t_Font::CompressedGrey);
            EXPECT_LT(file.size(), font.Data.size() / 2);
        }
    }
    t_Font bold = t_LoadFontResource(t_FontBold16x32);
    t_Font regular = t_LoadFontResource(t_FontRegular16x32);
    EXPECT_GT(inkof(bold, 'H').first, inkof(regular, 'H').first * 11 / 10);
}
