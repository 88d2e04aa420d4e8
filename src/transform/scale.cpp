#include "transform/scale.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "capture/frm_board.h"
#include "raster/block_transfer.h"
#include "text/text_format.h"

namespace snapwell {
namespace {

bool AskSizeWarning(std::int64_t sw, std::int64_t sh, UserInterface& ui, const Texts& texts) {
  std::string text(texts(125));
  text += std::to_string(sw) + " x " + std::to_string(sh);
  text += texts(126);
  text += "\r\n\r\n";
  text += texts(127);
  text += "\r\n";
  text += texts(128);
  return ui.MessageBox(text, texts(120), MsgButtons::YesNo, MsgIcon::Exclamation) == MsgAnswer::Yes;
}

void ReportTooLarge(std::int64_t sw, std::int64_t sh, UserInterface& ui, const Texts& texts) {
  std::string text = FormatText(texts(kTextScaledTooLarge), {std::to_string(sw), std::to_string(sh)});
  text += "\r\n";
  text += texts(kTextScaledTooLargeHint);
  ui.MessageBox(text, texts(119), MsgButtons::Ok, MsgIcon::Exclamation);
}

// The library reads the block clamped to its source; a block reaching past picBoard1 is staged in
// a picture of its own first, white where it lies outside, so the library sees white there too.
struct LibrarySource {
  const Picture* picture;
  int x;
  int y;
  Picture staged;
};
LibrarySource StageBlock(const Picture& board1, int x, int y, int w, int h) {
  LibrarySource source{&board1, x, y, Picture()};
  if (x >= 0 && y >= 0 && x + w <= board1.Width() && y + h <= board1.Height()) return source;
  SizeBuffer(source.staged, w, h);
  BitBlt(source.staged, 0, 0, w, h, board1, x, y, RasterOp::kSrcCopy);
  source.picture = &source.staged;
  source.x = 0;
  source.y = 0;
  return source;
}

// Sampling by whole columns and rows. The counters are the single-precision ones of the plain
// column and row loops; the pixels are gathered a whole row at a time, which gives the same
// picture as one strip per column and row. Columns and rows read beyond the block are white.
void Sample(const ScaleJob& job, std::int64_t rowWidth, std::int64_t rowCount) {
  const int w = job.x2 - job.x1 + 1, h = job.y2 - job.y1 + 1;
  const float s = 1.0f / job.enlargeValue;

  // Only the first round(E × w) columns and round(E × h) rows are ever used, which also bounds the
  // loops when a huge factor makes the counters stand still.
  std::vector<int> columns;  // block column of each output column
  for (float x = static_cast<float>(job.x1);
       x <= static_cast<float>(job.x2 + 1) && static_cast<std::int64_t>(columns.size()) < rowWidth; x += s) {
    columns.push_back(static_cast<int>(std::floor(x)) - job.x1);
  }
  std::vector<int> rows;  // block row of each output row
  for (float y = 0.0f; y <= static_cast<float>(h) && static_cast<std::int64_t>(rows.size()) < rowCount;
       y += s) {
    rows.push_back(static_cast<int>(std::floor(y)));
  }

  // Column pass into picBoard2: row j of the block, gathered column by column.
  Picture& b1 = job.board1;
  Picture& b2 = job.board2;
  b2.Clear();
  const vell::ConstPixelView src = b1.View();
  const vell::PixelView mid = b2.View();
  const int midColumns = static_cast<int>(std::min<std::size_t>(columns.size(), mid.width));
  const int midRows = std::min(h, mid.height);
  for (int j = 0; j < midRows; ++j) {
    const int sy = job.y1 + j;
    std::uint32_t* out = mid.Row(j);
    if (sy < 0 || sy >= src.height) continue;  // stays white
    const std::uint32_t* in = src.Row(sy);
    for (int c = 0; c < midColumns; ++c) {
      const int bx = columns[c];
      const int sx = job.x1 + bx;
      out[c] = bx < w && sx >= 0 && sx < src.width ? in[sx] : kWhite;
    }
  }

  // Row pass into picBoard1: whole rows of the scaled width.
  b1.Clear();
  const vell::PixelView dst = b1.View();
  const int width = static_cast<int>(std::min<std::int64_t>({rowWidth, dst.width, mid.width}));
  const int outRows = static_cast<int>(std::min<std::size_t>(rows.size(), dst.height));
  for (int q = 0; q < outRows; ++q) {
    if (rows[q] >= midRows) continue;  // beyond the block: white
    std::memcpy(dst.Row(q), mid.Row(rows[q]), static_cast<std::size_t>(width) * sizeof(std::uint32_t));
  }
}

}  // namespace

std::int64_t ScaledSize(float enlargeValue, std::int64_t length) {
  return static_cast<std::int64_t>(std::nearbyint(static_cast<double>(enlargeValue) * length));
}

ScaleOutcome ScaleCutOut(const ScaleJob& job, Imaging& imaging, UserInterface& ui, const Texts& texts) {
  const float e = job.enlargeValue;
  const std::int64_t w = std::int64_t{job.x2} - job.x1 + 1;
  const std::int64_t h = std::int64_t{job.y2} - job.y1 + 1;
  const double exactW = static_cast<double>(e) * w, exactH = static_cast<double>(e) * h;
  // Pixel counts in 64 bits; a factor that is no number, or a size beyond any picture, is refused
  // before anything is allocated.
  const bool sensible = std::isfinite(exactW) && std::isfinite(exactH) && e > 0.0f &&
                        exactW < 4.0 * kMaxPictureSide && exactH < 4.0 * kMaxPictureSide;
  const std::int64_t sw = sensible ? static_cast<std::int64_t>(std::floor(exactW)) : 0;
  const std::int64_t sh = sensible ? static_cast<std::int64_t>(std::floor(exactH)) : 0;
  const std::int64_t rw = sensible ? std::max<std::int64_t>(1, ScaledSize(e, w)) : 0;
  const std::int64_t rh = sensible ? std::max<std::int64_t>(1, ScaledSize(e, h)) : 0;
  const std::int64_t growW = sw > job.screenWidth || rw > job.screenWidth ? std::max(sw + 1, rw) : 0;
  const std::int64_t growH = sh > job.screenHeight || rh > job.screenHeight ? std::max(sh + 1, rh) : 0;
  if (!sensible || !BufferCanGrowTo(job.board1, growW, growH) || !BufferCanGrowTo(job.board2, growW, growH)) {
    ReportTooLarge(sensible ? sw : 0, sensible ? sh : 0, ui, texts);
    return ScaleOutcome::TooLarge;
  }

  if (sw * sh > std::int64_t{job.screenWidth} * job.screenHeight && !AskSizeWarning(sw, sh, ui, texts)) {
    return ScaleOutcome::Declined;
  }
  GrowBuffer(job.board1, growW, growH);
  GrowBuffer(job.board2, growW, growH);

  const int bw = static_cast<int>(w), bh = static_cast<int>(h);
  if (e > 1.0f && job.enlargeColorControl != 0) {
    job.board2.Clear();
    const LibrarySource source = StageBlock(job.board1, job.x1, job.y1, bw, bh);
    imaging.EnlargeBitBlt(job.board2, 0, 0, bw, bh, *source.picture, source.x, source.y, e,
                          job.enlargeColorControl);
    job.board1.Clear();
    BitBlt(job.board1, 0, 0, static_cast<int>(rw), static_cast<int>(rh), job.board2, 0, 0,
           RasterOp::kSrcCopy);
  } else if (e < 1.0f && job.reductColorControl != 0) {
    job.board2.Clear();
    const LibrarySource source = StageBlock(job.board1, job.x1, job.y1, bw, bh);
    imaging.ReductBitBlt(job.board2, 0, 0, bw, bh, *source.picture, source.x, source.y, e);
    job.board1.Clear();
    BitBlt(job.board1, 0, 0, bw, bh, job.board2, 0, 0, RasterOp::kSrcCopy);
  } else {
    Sample(job, rw, rh);
  }
  return ScaleOutcome::Scaled;
}

}  // namespace snapwell
