#include "capture/frm_board.h"

#include <algorithm>

namespace snapwell {

void SizeBuffer(Picture& picture, std::int64_t width, std::int64_t height) {
  if (picture.Width() == width && picture.Height() == height) return;
  if (!IsAcceptablePictureSize(width, height) ||
      !picture.Resize(static_cast<int>(width), static_cast<int>(height))) {
    throw RunTimeError(7, "Out of memory");
  }
}

void GrowBuffer(Picture& picture, std::int64_t width, std::int64_t height) {
  SizeBuffer(picture, std::max<std::int64_t>(picture.Width(), width),
             std::max<std::int64_t>(picture.Height(), height));
}

bool BufferCanGrowTo(const Picture& picture, std::int64_t width, std::int64_t height) {
  return IsAcceptablePictureSize(std::max<std::int64_t>(picture.Width(), width),
                                 std::max<std::int64_t>(picture.Height(), height));
}

void FrmBoard::Load() {
  loaded = true;
}

void FrmBoard::Unload() {
  // Emptied rather than replaced, so that pictures the platform backs keep their kind of store.
  picBoard1.Resize(0, 0);
  picBoard2.Resize(0, 0);
  picBoard3.Resize(0, 0);
  loaded = false;
}

void FrmBoard::SetLineWidth(int width) {
  picBoard1.SetPenWidth(width);
  picBoard2.SetPenWidth(width);
  picBoard3.SetPenWidth(width);
}

void FrmBoard::SizeForScreen(std::int32_t screenWidth, std::int32_t screenHeight, std::int32_t board2Margin) {
  Load();
  SizeBuffer(picBoard1, screenWidth, screenHeight);
  SizeBuffer(picBoard3, screenWidth, screenHeight);
  SizeBuffer(picBoard2, std::int64_t{screenWidth} + board2Margin, std::int64_t{screenHeight} + board2Margin);
}

}  // namespace snapwell
