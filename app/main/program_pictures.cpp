#include "app/main/program_pictures.h"

#include "framework/extctrls/image.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/image_list.h"
#include "framework/graphics/picture.h"
#include "framework/win.h"

namespace app {

void LoadImageStrip(fw::TCustomImageList* list, const char* resource) {
  fw::TBitmap strip;
  strip.LoadFromResourceName(GetModuleHandleA(nullptr), resource);
  list->AddMasked(&strip, fw::clFuchsia);
}

void LoadPicture(fw::TImage* image, const char* resource) {
  fw::TBitmap* bitmap = image->GetPicture()->GetBitmap();
  bitmap->LoadFromResourceName(GetModuleHandleA(nullptr), resource);
  bitmap->SetTransparentColor(fw::clFuchsia);
  bitmap->SetTransparent(true);
  image->SetTransparent(true);
}

}  // namespace app
