// The program's own pictures, built into its resources: image lists, the header and title-panel
// images.
#pragma once

namespace fw {
class TCustomImageList;
class TImage;
}  // namespace fw

namespace app {

// Appends the images of a bitmap strip resource (fuchsia is transparent) to the list.
void LoadImageStrip(fw::TCustomImageList* list, const char* resource);
// Shows a bitmap resource in the image, fuchsia transparent.
void LoadPicture(fw::TImage* image, const char* resource);

}  // namespace app
