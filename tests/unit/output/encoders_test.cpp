// The imaging library's file writers (PNG, PPM, PGM, EPS), read back with independent decoders.
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "encoder_test_support.h"
#include "support/libpng_reference.h"
#include "support/screenshot_corpus.h"
#include "vell/encoders/encoders.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

namespace snapwell::testing {
namespace {

using ::testing::UnorderedElementsAre;

// Pixels of a file decoded by stb_image, as 0x00RRGGBB (grey repeated in R, G and B).
std::vector<std::uint32_t> DecodeWithStb(const std::string& bytes, int& w, int& h) {
  int channels = 0;
  unsigned char* data = stbi_load_from_memory(reinterpret_cast<const unsigned char*>(bytes.data()),
                                              static_cast<int>(bytes.size()), &w, &h, &channels, 3);
  std::vector<std::uint32_t> out;
  if (data == nullptr) return out;
  for (int i = 0; i < w * h; ++i)
    out.push_back(vell::Rgb(data[3 * i], data[3 * i + 1], data[3 * i + 2]));
  stbi_image_free(data);
  return out;
}

std::vector<std::uint32_t> DecodePngWithLibpng(const std::string& bytes, int& w, int& h) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return {};
  image.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return {};
  w = static_cast<int>(image.width);
  h = static_cast<int>(image.height);
  std::vector<std::uint32_t> out;
  for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
    out.push_back(vell::Rgb(rgb[i], rgb[i + 1], rgb[i + 2]));
  return out;
}

// Half noise, half flat bands: large enough that the compressor works in several slices.
TestPicture MixedPicture(int w, int h) {
  TestPicture picture = RandomPicture(w, h, 7);
  for (int y = h / 2; y < h; ++y)
    for (int x = 0; x < w; ++x)
      picture.At(x, y) = vell::Rgb(y & 0xF0, 200, x / 64 * 8);
  return picture;
}

class PngWriterTest : public ::testing::Test {
 protected:
  // Writes the picture, checks that libpng and stb_image both read back exactly its pixels and
  // returns the file.
  std::string WriteAndCheck(const TestPicture& picture, const std::string& name = "shot.png") {
    const std::string path = folder.Path(name);
    EXPECT_TRUE(vell::WritePng(path.c_str(), picture.View()));
    const std::string bytes = ReadBytes(path);
    int w = 0, h = 0;
    EXPECT_EQ(DecodePngWithLibpng(bytes, w, h), Pixels(picture));
    EXPECT_EQ(w, picture.width);
    EXPECT_EQ(h, picture.height);
    EXPECT_EQ(DecodeWithStb(bytes, w, h), Pixels(picture));
    return bytes;
  }
  ScratchFolder folder;
};

TEST_F(PngWriterTest, SmallAndOddSizesRoundTripExactly) {
  for (const TestPicture& picture :
       {LetterF(), RandomPicture(1, 1, 1), RandomPicture(3, 2, 2), RandomPicture(257, 33, 3)}) {
    SCOPED_TRACE(std::to_string(picture.width) + "x" + std::to_string(picture.height));
    WriteAndCheck(picture);
  }
}

// Several pieces compressed side by side, by every compressor in every order (noise, a long
// flat band, text-like stripes); the same picture always gives the same file.
TEST_F(PngWriterTest, LargePicturesCompressedInPiecesRoundTripAndRepeatExactly) {
  const TestPicture twoSlices = MixedPicture(1100, 700);
  EXPECT_EQ(WriteAndCheck(twoSlices, "a.png"), WriteAndCheck(twoSlices, "b.png"));
  WriteAndCheck(MixedPicture(2000, 1000));
  TestPicture everyKind = RandomPicture(1200, 1200, 9);
  for (int y = 0; y < everyKind.height; ++y)
    for (int x = 0; x < everyKind.width; ++x) {
      const int band = y / 150 % 4;  // noise, flat, stripes, flat
      if (band == 1 || band == 3) everyKind.At(x, y) = vell::Rgb(40, 60, band * 50);
      if (band == 2) everyKind.At(x, y) = (x / 3 + y / 2) % 5 == 0 ? 0x102030u : 0xF0F0F0u;
    }
  WriteAndCheck(everyKind);
}

TEST_F(PngWriterTest, FilesAreNoLargerThanLibpngDefaults) {
  const int w = 1280, h = 720;
  // Text-like strokes, photograph-like waves with grain (once shared, once per channel), and
  // windows on a desktop.
  TestPicture text(w, h), photo(w, h), grainy(w, h), desktop(w, h);
  std::mt19937 random(3);
  auto grain = [&random](int v) { return std::clamp(v + static_cast<int>(random() % 17) - 8, 0, 255); };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      text.At(x, y) = ((x / 3 + y / 5) % 7 == 0) ? 0u : 0xFFFFFFu;
      const double v = 128 + 100 * std::sin(x * 0.02 + y * 0.026) * std::cos(y * 0.014 - x * 0.004);
      const int g = static_cast<int>(random() % 17) - 8;
      photo.At(x, y) = vell::Rgb(std::clamp(static_cast<int>(v) + g, 0, 255),
                                 std::clamp(static_cast<int>(v * 0.8 + 20) + g, 0, 255),
                                 std::clamp(static_cast<int>(255 - v) + g, 0, 255));
      std::uint32_t p = vell::Rgb(58, 110, 165);
      if (x > 40 && x < 700 && y > 30 && y < 480) p = y < 54 ? vell::Rgb(31, 78, 153 + (y - 30)) : 0xFFFFFFu;
      if (x > 48 && x < 650 && y > 70 && y < 470 && (y % 16) < 9 && ((x * 7 + y * 13) % 11) < 4)
        p = 0x202020u;
      desktop.At(x, y) = p;
    }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint32_t p = photo.At(x, y);
      grainy.At(x, y) = vell::Rgb(grain(vell::RedOf(p)), grain(vell::GreenOf(p)), grain(vell::BlueOf(p)));
    }
  for (const TestPicture* picture : {&photo, &grainy})
    EXPECT_LE(WriteAndCheck(*picture).size(), LibpngDefaultSize(picture->View()));
  // Perfectly periodic patterns shrink to a few kilobytes; there the block libdeflate starts
  // every 300 KB of input, each with its own code tables, costs up to a tenth of the file.
  // Real screenshots (below) stay under libpng's size.
  for (const TestPicture* picture : {&text, &desktop})
    EXPECT_LE(WriteAndCheck(*picture).size(), LibpngDefaultSize(picture->View()) * 112 / 100);

  TestPicture flat(1920, 1080);
  std::fill(flat.pixels.begin(), flat.pixels.end(), vell::Rgb(240, 240, 240));
  EXPECT_LT(WriteAndCheck(flat).size(), 20000u);
}

// Real screenshots (the fixed corpus): exactly their pixels back, and never a larger file than
// libpng's defaults give. The sanitizer tree, ten times slower, checks the 1080p half.
TEST_F(PngWriterTest, ScreenshotsRoundTripExactlyAndBeatLibpngOnSize) {
#if defined(__SANITIZE_ADDRESS__)
  const std::vector<CorpusPicture> corpus = LoadCorpus(FixedCorpusFolder(), "1920x1080");
#else
  const std::vector<CorpusPicture> corpus = LoadCorpus(FixedCorpusFolder());
#endif
  ASSERT_FALSE(corpus.empty()) << "no screenshots in " << FixedCorpusFolder();
  for (const CorpusPicture& picture : corpus) {
    SCOPED_TRACE(picture.name);
    const std::string path = folder.Path("shot.png");
    ASSERT_TRUE(vell::WritePng(path.c_str(), picture.View()));
    const std::string bytes = ReadBytes(path);
    int w = 0, h = 0;
    EXPECT_TRUE(DecodePngWithLibpng(bytes, w, h) == picture.pixels);  // no million-pixel diff
    EXPECT_LE(bytes.size(), LibpngDefaultSize(picture.View()));
  }
}

// Header, then the samples; stride and extra pixels at the row ends never leak into the file.
TEST(NetpbmWriterTest, PpmIsBinaryP6WithExactPixels) {
  ScratchFolder folder;
  const TestPicture picture = RandomPicture(5, 3, 11);
  ASSERT_TRUE(vell::WritePpm(folder.Path("shot.ppm").c_str(), picture.View()));
  EXPECT_EQ(ReadBytes(folder.Path("shot.ppm")), "P6\n5 3\n255\n" + RgbSamples(picture));
}

TEST(NetpbmWriterTest, PgmHoldsLumaRoundedToNearest) {
  ScratchFolder folder;
  struct Case {
    int r, g, b, grey;
  };
  const Case cases[] = {{255, 0, 0, 76},      {0, 255, 0, 150}, {0, 0, 255, 29},
                        {255, 255, 255, 255}, {0, 0, 0, 0},     {128, 128, 128, 128},
                        {10, 200, 30, 124},   {0, 12, 4, 8},  // 7.5: a tie goes to the even neighbour
                        {0, 146, 7, 86}};                     // 86.5
  const int n = static_cast<int>(std::size(cases));
  TestPicture picture(n, 1);
  std::string want = "P5\n" + std::to_string(n) + " 1\n255\n";
  for (int i = 0; i < n; ++i) {
    picture.At(i, 0) = vell::Rgb(cases[i].r, cases[i].g, cases[i].b);
    want += static_cast<char>(cases[i].grey);
  }
  ASSERT_TRUE(vell::WritePgm(folder.Path("grey.pgm").c_str(), picture.View()));
  EXPECT_EQ(ReadBytes(folder.Path("grey.pgm")), want);
}

TEST(NetpbmWriterTest, PgmOfRandomPictureMatchesLumaEverywhere) {
  ScratchFolder folder;
  const TestPicture picture = RandomPicture(31, 17, 5);
  ASSERT_TRUE(vell::WritePgm(folder.Path("grey.pgm").c_str(), picture.View()));
  int w = 0, h = 0;
  const std::vector<std::uint32_t> decoded = DecodeWithStb(ReadBytes(folder.Path("grey.pgm")), w, h);
  const std::vector<std::uint32_t> pixels = Pixels(picture);
  ASSERT_EQ(decoded.size(), pixels.size());
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    const std::uint32_t p = pixels[i];
    const double luma = 0.299 * vell::RedOf(p) + 0.587 * vell::GreenOf(p) + 0.114 * vell::BlueOf(p);
    EXPECT_LE(std::abs(vell::RedOf(decoded[i]) - luma), 0.5 + 1e-9) << i;
  }
}

// --- EPS -------------------------------------------------------------------------------------

// A decoder for the ASCII85 data (whitespace skipped, "z" for four zero bytes, "~>" at the end).
bool DecodeAscii85(const std::string& text, std::string& out) {
  std::uint64_t group = 0;
  int count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ' ' || c == '\n' || c == '\r' || c == '\t') continue;
    if (c == '~') {
      if (i + 1 >= text.size() || text[i + 1] != '>' || count == 1) return false;
      if (count > 1) {
        for (int k = count; k < 5; ++k)
          group = group * 85 + 84;
        for (int k = 0; k < count - 1; ++k)
          out.push_back(static_cast<char>(group >> (24 - 8 * k)));
      }
      return true;
    }
    if (c == 'z' && count == 0) {
      out.append(4, '\0');
      continue;
    }
    if (c < '!' || c > 'u') return false;
    group = group * 85 + static_cast<std::uint64_t>(c - '!');
    if (++count == 5) {
      if (group > 0xFFFFFFFFu) return false;
      for (int k = 0; k < 4; ++k)
        out.push_back(static_cast<char>(group >> (24 - 8 * k)));
      group = 0;
      count = 0;
    }
  }
  return false;  // no end marker
}

void ExpectEpsRoundTrip(const TestPicture& picture) {
  ScratchFolder folder;
  const std::string path = folder.Path("shot.eps");
  ASSERT_TRUE(vell::WriteEps(path.c_str(), picture.View()));
  const std::string text = ReadBytes(path);
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "%!PS-Adobe-3.0 EPSF-3.0");
  EXPECT_EQ(lines.back(), "%%EOF");
  // Drawn at one pixel per point.
  const std::string w = std::to_string(picture.width), h = std::to_string(picture.height);
  for (const std::string& once :
       {"%%BoundingBox: 0 0 " + w + " " + h, std::string("%%EndComments"), std::string("%%Title: shot.eps"),
        w + " " + h + " scale", "  /ImageMatrix [" + w + " 0 0 -" + h + " 0 " + h + "]"})
    EXPECT_EQ(std::count(lines.begin(), lines.end(), once), 1) << once;
  // The comments come first, before any PostScript; no data line starts like a comment.
  const auto endComments = std::find(lines.begin(), lines.end(), "%%EndComments");
  for (auto it = lines.begin(); it != endComments; ++it)
    EXPECT_EQ(it->rfind("%", 0), 0u) << *it;
  bool inData = false;
  for (const std::string& line : lines) {
    EXPECT_LE(line.size(), 255u);
    if (inData) {
      EXPECT_NE(line.rfind("%", 0), 0u) << "data line taken for a comment: " << line;
      if (line.find("~>") != std::string::npos) inData = false;
    }
    if (line == "image") inData = true;
  }
  const std::size_t start = text.find("\nimage\n");
  const std::size_t end = text.find("~>", start);
  ASSERT_NE(start, std::string::npos);
  ASSERT_NE(end, std::string::npos);
  std::string samples;
  ASSERT_TRUE(DecodeAscii85(text.substr(start + 7, end + 2 - start - 7), samples));
  EXPECT_EQ(samples, RgbSamples(picture));
}

TEST(EpsWriterTest, HeaderBoundingBoxAndSamplesAreExact) {
  TestPicture black(12, 4);  // zero groups
  std::fill(black.pixels.begin(), black.pixels.end(), 0u);
  black.At(11, 3) = vell::Rgb(1, 2, 3);
  for (const TestPicture& picture :
       {LetterF(), black, RandomPicture(1, 1, 21),  // one partial group of three bytes
        RandomPicture(5, 1, 22),                    // three whole groups and three bytes
        RandomPicture(97, 41, 23)}) {
    SCOPED_TRACE(std::to_string(picture.width) + "x" + std::to_string(picture.height));
    ExpectEpsRoundTrip(picture);
  }
}

// A PostScript interpreter draws the file at 72 dpi as exactly the picture's pixels.
TEST(EpsWriterTest, GhostscriptRendersTheExactPixels) {
  if (!std::filesystem::exists("/usr/bin/gs")) GTEST_SKIP() << "no Ghostscript on this machine";
  ScratchFolder folder;
  const TestPicture picture = RandomPicture(37, 23, 41);
  const std::string eps = folder.Path("shot.eps");
  const std::string rendered = folder.Path("rendered.ppm");
  ASSERT_TRUE(vell::WriteEps(eps.c_str(), picture.View()));
  const std::string command =
      "/usr/bin/gs -q -dSAFER -dBATCH -dNOPAUSE -dEPSCrop -sDEVICE=ppmraw -r72 -sOutputFile='" + rendered +
      "' '" + eps + "' > /dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  int w = 0, h = 0;
  EXPECT_EQ(DecodeWithStb(ReadBytes(rendered), w, h), Pixels(picture));
  EXPECT_EQ(w, 37);
  EXPECT_EQ(h, 23);
}

// --- failures, the same for every writer ----------------------------------------------------

struct NamedWriter {
  const char* name;
  bool (*write)(const char*, vell::ConstPixelView, vell::FileFailure*);
};

class WriterFailureTest : public ::testing::TestWithParam<NamedWriter> {
 protected:
  // why: the cause the writer reports, with the system's code, for the reason the user is told.
  bool Write(const std::string& path, const TestPicture& picture) {
    return GetParam().write(path.c_str(), picture.View(), &why);
  }
  void ExpectWhy(vell::FileError kind, unsigned long code) const {
    EXPECT_EQ(why.kind, kind);
    EXPECT_EQ(why.systemCode, code);
  }
  vell::FileFailure why;
  ScratchFolder folder;
  TestPicture picture = RandomPicture(64, 48, 99);
};

TEST_P(WriterFailureTest, UnusableTargetOrPictureFailsAndChangesNothing) {
  EXPECT_FALSE(Write(folder.Path("no-such-folder/shot"), picture));
  ExpectWhy(vell::FileError::PathNotFound, ENOENT);
  EXPECT_FALSE(Write(folder.Path(std::string(300, 'n')), picture));
  ExpectWhy(vell::FileError::BadName, ENAMETOOLONG);
  EXPECT_FALSE(Write(folder.Path("shot"), TestPicture(0, 5)));
  ExpectWhy(vell::FileError::Other, EIO);  // no file was tried: the picture cannot be written
  EXPECT_FALSE(GetParam().write(nullptr, picture.View(), nullptr));
  EXPECT_FALSE(GetParam().write("", picture.View(), nullptr));
  EXPECT_FALSE(
      GetParam().write(folder.Path("shot").c_str(), vell::ConstPixelView(nullptr, 4, 4, 4), nullptr));
  EXPECT_TRUE(folder.Names().empty());

  std::filesystem::create_directory(folder.Path("dir"));
  EXPECT_FALSE(Write(folder.Path("dir"), picture));
  ExpectWhy(vell::FileError::AccessDenied, EACCES);
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path("dir")));
  WriteBytes(folder.Path("shot"), "old picture");
  MakeReadOnly(folder.Path("shot"));
  EXPECT_FALSE(Write(folder.Path("shot"), picture));
  ExpectWhy(vell::FileError::AccessDenied, EACCES);
  EXPECT_EQ(ReadBytes(folder.Path("shot")), "old picture");
  EXPECT_THAT(folder.Names(), UnorderedElementsAre("dir", "shot"));
}

TEST_P(WriterFailureTest, FullDiskKeepsTheOldFileWhichALaterWriteReplaces) {
  WriteBytes(folder.Path("shot"), "old picture");
  // A file-size limit makes writes fail part-way, as a full disk does.
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  auto* previous = signal(SIGXFSZ, SIG_IGN);
  rlimit tight = saved;
  tight.rlim_cur = 2000;
  setrlimit(RLIMIT_FSIZE, &tight);
  const bool written = Write(folder.Path("shot"), RandomPicture(300, 200, 5));
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previous);
  EXPECT_FALSE(written);
  ExpectWhy(vell::FileError::DiskFull, EFBIG);
  EXPECT_EQ(ReadBytes(folder.Path("shot")), "old picture");
  EXPECT_THAT(folder.Names(), UnorderedElementsAre("shot"));

  ASSERT_TRUE(Write(folder.Path("shot"), picture));
  EXPECT_NE(ReadBytes(folder.Path("shot")), "old picture");
  EXPECT_THAT(folder.Names(), UnorderedElementsAre("shot"));
}

INSTANTIATE_TEST_SUITE_P(AllWriters, WriterFailureTest,
                         ::testing::Values(NamedWriter{"Png", vell::WritePng},
                                           NamedWriter{"Ppm", vell::WritePpm},
                                           NamedWriter{"Pgm", vell::WritePgm},
                                           NamedWriter{"Eps", vell::WriteEps}),
                         [](const ::testing::TestParamInfo<NamedWriter>& info) { return info.param.name; });

}  // namespace
}  // namespace snapwell::testing
