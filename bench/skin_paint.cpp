// Benchmark: the skin painting primitives on the shipped skin "Slate". Two figures from one run:
//   - a 400 x 300 control face, a two-stop vertical gradient under a masked border mask
//     (PaintBordersMask), against a bare StretchBlt of a 400 x 300 picture into a 24-bit bitmap
//     of the same size; best of 50 each; target: at most 3.00;
//   - a full repaint of the faces a 700 x 500 main window composes into their cache bitmaps (the
//     FORM face with its texture and border mask, the FORMTITLE strip with its gradient and three
//     caption buttons, the header panel, eight button faces over the form, the status bar);
//     median of 50; budget 16 ms; also shown against one bare 700 x 500 BitBlt.
//
//   bench_skin_paint [scratch folder under C:\sandbox\]
//
// The scratch folder (default C:\sandbox\bench_skin_paint\) receives a copy of Z:\Skins\Slate
// with one more section (a button face with a two-stop gradient) and is removed at the end.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/support/scratch.h"
#include "bench/support/shipped_skin.h"
#include "bench/support/skin_environment.h"
#include "framework/graphics/canvas.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/gradients.h"
#include "skin/engine/mask_paint.h"
#include "skin/engine/section_paint.h"
#include "skin/engine/skin_manager.h"

namespace {

constexpr int kRuns = 50;

double Milliseconds(const std::chrono::steady_clock::duration& d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

template <class F>
std::vector<double> Times(F&& body) {
  std::vector<double> times;
  body();  // warm-up
  for (int i = 0; i < kRuns; ++i) {
    const auto start = std::chrono::steady_clock::now();
    body();
    times.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
  }
  std::sort(times.begin(), times.end());
  return times;
}

// The faces of the main window, each with its cache bitmap.
class TMainWindowFaces {
 public:
  explicit TMainWindowFaces(skin::TkSkinManager* manager) : FManager(manager) {
    FForm = skin::CreateBitmap24(700, 500);
    FTitle = skin::CreateBitmap24(700, 28);
    FHeader = skin::CreateBitmap24(700, 64);
    FStatus = skin::CreateBitmap24(700, 22);
    for (auto& button : FButtons) button = skin::CreateBitmap24(111, 62);
    const int global = manager->GetSkinIndex("GLOBALINFO");
    for (const char* name : {"BICONCLOSE", "BICONMAX", "BICONMIN"})
      FCaptionButtons.push_back(manager->GetMaskIndex(global, "GLOBALINFO", name));
  }

  void Paint() {
    const skin::TkBgRef none = skin::EmptyBgRef;
    Face("FORM", FForm.get(), none, fw::TPoint());
    Face("FORMTITLE", FTitle.get(), none, fw::TPoint());
    int x = 700 - 4;
    for (int index : FCaptionButtons) {
      if (!FManager->IsValidImgIndex(index)) continue;
      const skin::TkMaskData& glyph = FManager->GetMasks()[index];
      x -= skin::RectWidth(glyph.R) / glyph.ImageCount + 2;
      skin::DrawMaskGlyphFrame(FTitle.get(), fw::Point(x, 2), 0, glyph, 1);
    }
    // The controls take the form's face as their parent's picture.
    skin::TkBgRef form;
    skin::InitBgRef(form, FForm.get(), 0, 0);
    Face("PANEL", FHeader.get(), form, fw::Point(0, 28));
    for (int i = 0; i < 8; ++i) Face("BUTTON", FButtons[i].get(), form, fw::Point(4, 96 + i * 62));
    Face("STATUSBAR", FStatus.get(), form, fw::Point(0, 478));
  }

 private:
  void Face(const std::string& section, fw::TBitmap* cache, const skin::TkBgRef& bg, fw::TPoint offset) {
    skin::PaintBordersMask(FManager->GetSkinIndex(section), section, bg, -1, -1, FManager, cache, offset,
                           fw::TRect(0, 0, cache->GetWidth(), cache->GetHeight()), 0, false);
  }

  skin::TkSkinManager* FManager;
  std::unique_ptr<fw::TBitmap> FForm, FTitle, FHeader, FStatus, FButtons[8];
  std::vector<int> FCaptionButtons;
};

}  // namespace

int Measure(const std::string& scratch) {
  const std::string skins = scratch + "Skins\\";
  CreateDirectoryA(skins.c_str(), nullptr);
  if (bench::CopyShippedSkin(skins, "Slate").empty()) {
    std::fprintf(stderr, "no skin folder Z:\\Skins\\Slate (build first)\n");
    return 2;
  }
  // A button face over a two-stop vertical gradient, with the masked border of BUTTON.
  const std::string options = skins + "Slate\\Options.dat";
  std::FILE* file = std::fopen(options.c_str(), "ab");
  if (!file) throw std::runtime_error("cannot extend " + options);
  std::fputs("\r\n[BENCHFACE]\r\nPARENTCLASS=BUTTON\r\nGRADIENTPERCENT=100\r\n"
             "GRADIENTDATA=16777215;12632256;60;0;0;12632256;8421504;40;0;0\r\n",
             file);
  std::fclose(file);

  bench::TSkinEnvironment environment(scratch);
  auto* manager = fw::New<skin::TkSkinManager>(nullptr);
  manager->SetSkinDirectory(skins);
  manager->SetSkinName("Slate");

  int result = 0;
  const int face = manager->GetSkinIndex("BENCHFACE");
  const int border = manager->GetMaskIndex(face, "BENCHFACE", "BORDERSMASK");
  if (!environment.Messages().empty() || manager->GetSkinName() != "Slate" || face < 0 ||
      manager->GetSections()[face].Gradient.size() != 2 || !manager->IsValidImgIndex(border) ||
      manager->GetMasks()[border].MaskType != 1) {
    std::printf("skin_paint: the skin did not load as expected\n");
    result = 1;
  } else {
    auto faceCache = skin::CreateBitmap24(400, 300), picture = skin::CreateBitmap24(400, 300),
         target = skin::CreateBitmap24(400, 300);
    skin::PaintGradient(picture.get(), fw::TRect(0, 0, 400, 300), manager->GetSections()[face].Gradient);
    const std::vector<double> painting = Times([&] {
      skin::PaintBordersMask(face, "BENCHFACE", skin::EmptyBgRef, -1, -1, manager, faceCache.get(), fw::TPoint(),
                             fw::TRect(0, 0, 400, 300), 0, false);
      GdiFlush();
    });
    HDC pictureDC = picture->GetCanvas()->GetHandle(), targetDC = target->GetCanvas()->GetHandle();
    const std::vector<double> stretching = Times([&] {
      StretchBlt(targetDC, 0, 0, 400, 300, pictureDC, 0, 0, 400, 300, SRCCOPY);
      GdiFlush();
    });

    TMainWindowFaces window(manager);
    const std::vector<double> repaint = Times([&] {
      window.Paint();
      GdiFlush();
    });
    auto form = skin::CreateBitmap24(700, 500), screenCopy = skin::CreateBitmap24(700, 500);
    HDC formDC = form->GetCanvas()->GetHandle(), copyDC = screenCopy->GetCanvas()->GetHandle();
    const std::vector<double> blitting = Times([&] {
      BitBlt(copyDC, 0, 0, 700, 500, formDC, 0, 0, SRCCOPY);
      GdiFlush();
    });

    const double paintBest = painting.front(), stretchBest = stretching.front();
    const double formMedian = repaint[kRuns / 2], blitMedian = blitting[kRuns / 2];
    std::printf("face 400x300 (gradient + masked border): %.3f ms (best of %d)\n", paintBest, kRuns);
    std::printf("bare StretchBlt 400x300: %.3f ms (best of %d)\n", stretchBest, kRuns);
    std::printf("skin_paint ratio: %.2f (target <= 3.00)\n", paintBest / stretchBest);
    std::printf("bare BitBlt 700x500: %.3f ms (median of %d)\n", blitMedian, kRuns);
    std::printf("skin_paint form: %.2f ms (budget 16 ms)\n", formMedian);
    std::printf("skin_paint form ratio: %.1f (to one bare 700x500 BitBlt)\n", formMedian / blitMedian);
    std::printf("skin_paint form budget ratio: %.3f (repaint / 16 ms; target <= 1.00)\n", formMedian / 16);
  }

  manager->Free();
  return result;
}

int main(int argc, char** argv) {
  return bench::Run([&] {
    bench::TScratchFolder scratch(argc > 1 ? argv[1] : "C:\\sandbox\\bench_skin_paint\\");
    return Measure(scratch.Path());
  });
}
