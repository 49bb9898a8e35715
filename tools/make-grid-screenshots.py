#!/usr/bin/python3
"""Screenshots of the grid index for the README: builds a gallery of drawn pictures with the
program of a build folder (the grid kind, its default template, picture pages) and photographs
its index in headless Chromium on a desktop and on a phone.

    tools/make-grid-screenshots.py [BUILD_FOLDER [OUTPUT_FOLDER]]

BUILD_FOLDER defaults to build/, OUTPUT_FOLDER to docs/images/. Needs what the browser test
needs: chromium, chromium-driver and python3-selenium for Debian's python3
(tools/install-deps.sh).
"""

import os
import shutil
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tools"))
import gallery_browser as support  # noqa: E402

PICTURES = [
    ("Алтай.jpg", 960, 640, "Алтай, долина Чуи"),
    ("Байкал.jpg", 960, 640, "Байкал на рассвете"),
    ("Домбай.jpg", 640, 960, "Домбай"),
    ("Карелия.jpg", 960, 720, "Карельский лес"),
    ("Кижи.jpg", 800, 800, None),
    ("Крым.jpg", 960, 540, "Южный берег Крыма"),
    ("Ладога.jpg", 960, 640, None),
    ("Плато.jpg", 720, 960, "Плато Путорана"),
    ("Селигер.jpg", 960, 640, "Селигер"),
    ("Хибины.jpg", 960, 600, "Хибины зимой"),
]

DESKTOP = (1280, 760)


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build"))
    output = os.path.abspath(sys.argv[2] if len(sys.argv) > 2
                             else os.path.join(ROOT, "docs", "images"))
    program = os.path.join(build, "zetgallery")
    os.makedirs(output, exist_ok=True)
    folder = tempfile.mkdtemp(prefix="zetgallery-shots-")
    try:
        pictures = os.path.join(folder, "photos")
        support.draw_pictures(pictures, PICTURES)
        settings = support.gallery_settings(program, support.GRID)
        settings["ThumbXSize"] = 200
        settings["ThumbYSize"] = 160
        index = support.build_gallery(program, folder, pictures, settings)
        driver = support.start_chromium()
        try:
            support.emulate_screen(driver, DESKTOP[0], DESKTOP[1], False)
            driver.get(support.file_url(index))
            driver.save_screenshot(os.path.join(output, "grid-desktop.png"))
            support.emulate_screen(driver, support.PHONE_WIDTH, support.PHONE_HEIGHT, True, 2)
            driver.get(support.file_url(index))
            driver.save_screenshot(os.path.join(output, "grid-phone.png"))
        finally:
            driver.quit()
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    print("written: %s, %s" % (os.path.join(output, "grid-desktop.png"),
                               os.path.join(output, "grid-phone.png")))


if __name__ == "__main__":
    main()
