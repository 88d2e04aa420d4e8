// Encapsulated PostScript: a DSC-conforming one-page file holding the picture as a level-2
// RGB image, one pixel per point, its samples in ASCII85 so the file stays 7-bit text.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "atomic_file.h"
#include "encoders.h"
#include "pixel_rows.h"

namespace vell {

namespace {

constexpr int kLineLength = 75;

// The file's own name as DSC text: printable ASCII only, kept short.
std::string TitleOf(const char* path) {
  const char* name = path;
  for (const char* p = path; *p; ++p) {
    if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
  }
  std::string title;
  for (const char* p = name; *p && title.size() < 200; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    title += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
  }
  return title.empty() ? std::string("picture") : title;
}

// Turns bytes into ASCII85 text in lines of at most kLineLength characters. A line never
// starts with '%', so no line of the data can be taken for a DSC comment.
class Ascii85Writer {
 public:
  explicit Ascii85Writer(AtomicFile& file) : file_(file) { out_.reserve(1 << 16); }

  bool Put(const unsigned char* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
      group_ = (group_ << 8) | bytes[i];
      if (++filled_ == 4) {
        EmitGroup(4);
        group_ = 0;
        filled_ = 0;
      }
    }
    return Drain(false);
  }

  bool Finish() {
    if (filled_ > 0) {
      const int used = filled_;
      group_ <<= 8 * (4 - used);
      EmitGroup(used);
    }
    Emit('~');
    Emit('>');
    out_ += '\n';
    return Drain(true);
  }

 private:
  void EmitGroup(int used) {
    if (used == 4 && group_ == 0) {
      Emit('z');
      return;
    }
    char digits[5];
    std::uint32_t value = group_;
    for (int i = 4; i >= 0; --i) {
      digits[i] = static_cast<char>('!' + value % 85);
      value /= 85;
    }
    for (int i = 0; i <= used; ++i)
      Emit(digits[i]);
  }

  void Emit(char c) {
    if (column_ == kLineLength) {
      out_ += '\n';
      column_ = 0;
    }
    if (column_ == 0 && c == '%') {
      out_ += ' ';
      ++column_;
    }
    out_ += c;
    ++column_;
  }

  bool Drain(bool all) {
    if (!all && out_.size() < (1 << 15)) return true;
    const bool ok = file_.Write(out_);
    out_.clear();
    return ok;
  }

  AtomicFile& file_;
  std::string out_;
  std::uint32_t group_ = 0;
  int filled_ = 0;
  int column_ = 0;
};

}  // namespace

bool WriteEps(const char* path, ConstPixelView image, FileFailure* why) try {
  PresetFailure(why);
  if (!IsWritable(image)) return false;
  AtomicFile file(why);
  if (!file.Open(path)) return false;
  const int w = image.width;
  const int h = image.height;
  char buffer[1024];
  std::snprintf(buffer, sizeof buffer,
                "%%!PS-Adobe-3.0 EPSF-3.0\n"
                "%%%%Creator: vell\n"
                "%%%%Title: %s\n"
                "%%%%BoundingBox: 0 0 %d %d\n"
                "%%%%LanguageLevel: 2\n"
                "%%%%Pages: 1\n"
                "%%%%EndComments\n"
                "%%%%BeginProlog\n"
                "%%%%EndProlog\n"
                "%%%%Page: 1 1\n"
                "save\n"
                "/DeviceRGB setcolorspace\n"
                "%d %d scale\n"
                "<<\n"
                "  /ImageType 1\n"
                "  /Width %d\n"
                "  /Height %d\n"
                "  /BitsPerComponent 8\n"
                "  /Decode [0 1 0 1 0 1]\n"
                "  /ImageMatrix [%d 0 0 -%d 0 %d]\n"
                "  /DataSource currentfile /ASCII85Decode filter\n"
                ">>\n"
                "image\n",
                TitleOf(path).c_str(), w, h, w, h, w, h, w, h, h);
  bool ok = file.Write(buffer, std::strlen(buffer));
  Ascii85Writer data(file);
  std::vector<unsigned char> row(static_cast<std::size_t>(w) * 3);
  for (int y = 0; ok && y < h; ++y) {
    RowToRgb(image.Row(y), w, row.data());
    ok = data.Put(row.data(), row.size());
  }
  ok = ok && data.Finish();
  static const char kTrailer[] =
      "restore\n"
      "showpage\n"
      "%%Trailer\n"
      "%%EOF\n";
  ok = ok && file.Write(kTrailer, sizeof kTrailer - 1);
  return ok && file.Commit();
} catch (...) {
  ReportOutOfMemory(why);
  return false;
}

}  // namespace vell
