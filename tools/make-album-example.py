#!/usr/bin/python3
"""The README's walk-through, done unattended: a folder of folders of real photos (Debian's
wallpaper packages) with captions written by exiftool, built as a gallery of albums with
captions, dates, display copies and an archive of each album's pictures.

    tools/make-album-example.py FOLDER [BUILD_FOLDER [SCREENSHOT]]

FOLDER receives photos/ (the pictures, made once), the gallery (FOLDER/index.htm) and the
settings database the build used (FOLDER/registry.db, a preset the window can open with
ZETGALLERY_REGISTRY=FOLDER/registry.db). BUILD_FOLDER defaults to build/. With SCREENSHOT, the
index of the album "MATE" (a parent link, two sub-albums, a picture, the zip) is photographed
there in headless Chromium. Needs apt-get (to download the packages, not install them),
dpkg-deb, exiftool and what the browser test needs.
"""

import os
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tools"))
import gallery_browser as support  # noqa: E402

PACKAGES = ["mate-backgrounds", "sway-backgrounds"]

# Album folder -> where its pictures come from in the unpacked packages.
ALBUMS = {
    "MATE": "usr/share/backgrounds/mate/desktop",
    "MATE/Природа": "usr/share/backgrounds/mate/nature",
    "MATE/Абстракции": "usr/share/backgrounds/mate/abstract",
    "Sway": "usr/share/backgrounds/sway",
}

CAPTIONS = {
    "MATE/Природа/Dune.jpg": "Дюна на закате",
    "MATE/Природа/Storm.jpg": "Гроза над полем",
    "MATE/Природа/LadyBird.jpg": "Божья коровка",
    "MATE/Природа/RainDrops.jpg": "Капли дождя на стекле",
}

FACTS_LINES = ('<p class="description">~~~DATE~~~</p>\r\n'
               '<p class="description">~~~CAMERA~~~ ~~~EXPOSURE~~~</p>\r\n')


def unpack_photos(photos):
    """Downloads the wallpaper packages and copies their pictures into the album folders."""
    if os.path.isdir(photos):
        return
    work = tempfile.mkdtemp(prefix="zetgallery-album-example-")
    try:
        subprocess.run(["apt-get", "download"] + PACKAGES, cwd=work, check=True,
                       stdout=subprocess.DEVNULL)
        for deb in [name for name in os.listdir(work) if name.endswith(".deb")]:
            subprocess.run(["dpkg-deb", "-x", deb, "x"], cwd=work, check=True)
        for album, source in ALBUMS.items():
            target = os.path.join(photos + ".part", album)
            os.makedirs(target, exist_ok=True)
            folder = os.path.join(work, "x", source)
            for name in sorted(os.listdir(folder)):
                path = os.path.join(folder, name)
                if os.path.isfile(path) and name.lower().endswith((".jpg", ".png")):
                    shutil.copy2(path, target)
        for picture, caption in CAPTIONS.items():
            subprocess.run(["exiftool", "-q", "-overwrite_original",
                            "-XMP-dc:Description=" + caption,
                            os.path.join(photos + ".part", picture)], check=True)
        os.rename(photos + ".part", photos)
    finally:
        shutil.rmtree(work, ignore_errors=True)


def picture_template(program, folder):
    """The default picture template with a line for the date and one for the camera."""
    with open(os.path.join(support.templates_folder(program), "ImageTemplate.htm"),
              encoding="utf-8", newline="") as default:
        text = default.read()
    path = os.path.join(folder, "ImageTemplate.htm")
    with open(path, "w", encoding="utf-8", newline="") as template:
        marker = '<p class="description">~~~DESCR~~~'
        template.write(text.replace(marker, FACTS_LINES + marker))
    return path


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    folder = os.path.abspath(sys.argv[1])
    build = os.path.abspath(sys.argv[2] if len(sys.argv) > 2 else os.path.join(ROOT, "build"))
    program = os.path.join(build, "zetgallery")
    photos = os.path.join(folder, "photos")
    os.makedirs(folder, exist_ok=True)
    unpack_photos(photos)
    settings = support.gallery_settings(program, support.GRID)
    settings.update({
        "ImagesMask": "*.[jp][pn]g",
        "ThumbXSize": 200,
        "ThumbYSize": 160,
        "ImageTemplate": picture_template(program, folder),
        "SubAlbums": 1,          # "Вложенные альбомы (подпапки)"
        "Descriptions": 3,       # "Брать из метаданных картинок"
        "PictureFacts": 1,       # the date, camera and exposure on the pages
        "ImageOrder": 1,         # "По дате съёмки"
        "DisplayCopies": 1,      # pages show copies of 1600 px
        "OriginalsArchive": 1,   # a zip of each album's pictures
    })
    registry = os.path.join(folder, "registry.db")
    if os.path.exists(registry):
        os.remove(registry)
    support.write_settings(program, registry, settings)
    environment = dict(os.environ, ZETGALLERY_REGISTRY=registry)
    subprocess.run([program, "--build", "--yes", photos], env=environment, check=True)
    print("the gallery: %s" % os.path.join(folder, "index.htm"))
    if len(sys.argv) > 3:
        driver = support.start_chromium()
        try:
            support.emulate_screen(driver, 1280, 1000, False)
            driver.get(support.file_url(os.path.join(folder, "MATE", "index.htm")))
            driver.save_screenshot(os.path.abspath(sys.argv[3]))
        finally:
            driver.quit()


if __name__ == "__main__":
    main()
