#!/usr/bin/env python3
"""Draws the project's skins and writes them into a build folder:
  Skins/Neutral and Skins/Slate      skin folders (Options.dat, BMP and JPEG pictures)
  skinres/                           the stored skin "Neutral (internal)" for resources/skins.rc
  skins-preview/<skin>.png           every picture enlarged, frames outlined, for review
  pictures/                          the program's own icons and image lists and the edit-button
                                     glyphs (resources/pictures.rc)
Usage: skingen.py OUTPUT_FOLDER"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import edit_glyphs  # noqa: E402
import icons  # noqa: E402
import raster  # noqa: E402
import skinmodel  # noqa: E402
from skins import common, neutral, slate  # noqa: E402


def main(out):
    stored = neutral.skin()
    folder_skins = [neutral.skin("Neutral"), slate.skin()]
    for skin in [stored] + folder_skins:
        common.check_contrast(skin)
    for name, palette in (("Neutral", neutral.PALETTE), ("Slate", slate.PALETTE)):
        common.check_palette(name, palette)
    for skin in folder_skins:
        skinmodel.write_folder(skin, os.path.join(out, "Skins", skin.name))

    res = os.path.join(out, "skinres")
    os.makedirs(res, exist_ok=True)
    skinmodel.write_bytes(os.path.join(res, "stored_skins.txt"), skinmodel.stored_text(stored, "NEUTRAL").encode("ascii"))
    skinmodel.write_bytes(os.path.join(res, "neutral_master.bmp"), raster.bmp24(stored.master))
    for p in stored.pictures:
        if not p.in_master():
            name = "neutral_%s.bmp" % os.path.splitext(p.file)[0].lower()
            skinmodel.write_bytes(os.path.join(res, name), raster.bmp24(p.image))

    preview = os.path.join(out, "skins-preview")
    os.makedirs(preview, exist_ok=True)
    for skin in folder_skins:
        skinmodel.write_bytes(os.path.join(preview, skin.name + ".png"), skinmodel.preview(skin))
    pictures = icons.write(os.path.join(out, "pictures"), skinmodel.write_bytes)
    skinmodel.write_bytes(os.path.join(preview, "pictures.png"), pictures)
    edit_glyphs.write(os.path.join(out, "pictures"), skinmodel.write_bytes)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
