"""Galleries built by the real program, and headless Chromium to look at them.

Shared by the README's screenshots (tools/make-grid-screenshots.py) and the browser test
(tests/browser/gallery_browser_test.py). Everything happens in a folder of the caller's: the pictures
are drawn here, the settings database is made by the program itself and filled with the preset
of the gallery wanted, and the gallery is built with `zetgallery --build`.
"""

import math
import os
import sqlite3
import struct
import subprocess
import urllib.parse
import urllib.request

# The index kinds of the window's drop-down list, by their stored number.
INDEX_KINDS = {0: "numbered", 1: "bulleted", 2: "table", 3: "thumbnails", 4: "grid"}
GRID = 4

# A phone's screen, in CSS pixels.
PHONE_WIDTH, PHONE_HEIGHT = 390, 844


def _scene_rows(width, height, hue):
    """The rows of a picture that looks a little like a landscape: a sky, a sun, two hills."""
    sky_top = _hsv(hue, 0.55, 0.95)
    sky_bottom = _hsv(hue + 0.08, 0.25, 1.0)
    hill_far = _hsv(hue + 0.35, 0.45, 0.55)
    hill_near = _hsv(hue + 0.30, 0.60, 0.35)
    sun_x, sun_y, sun_r = width * 0.7, height * 0.3, min(width, height) * 0.12
    for y in range(height):
        t = y / max(1, height - 1)
        sky = bytes(int(a + (b - a) * t) for a, b in zip(sky_top, sky_bottom))
        row = bytearray(sky * width)
        for x in range(width):
            far = height * (0.62 + 0.06 * math.sin(x / width * 5.0 + hue * 7))
            near = height * (0.78 + 0.05 * math.sin(x / width * 3.0 + hue * 3 + 1))
            if y >= near:
                colour = hill_near
            elif y >= far:
                colour = hill_far
            elif (x - sun_x) ** 2 + (y - sun_y) ** 2 <= sun_r * sun_r:
                colour = (255, 236, 170)
            else:
                continue
            row[3 * x:3 * x + 3] = bytes(colour)
        yield bytes(row)


def _hsv(h, s, v):
    h = (h % 1.0) * 6
    i, f = int(h), h - int(h)
    p, q, t = v * (1 - s), v * (1 - s * f), v * (1 - s * (1 - f))
    r, g, b = [(v, t, p), (q, v, p), (p, v, t), (p, q, v), (t, p, v), (v, p, q)][i % 6]
    return (int(r * 255), int(g * 255), int(b * 255))


def draw_pictures(folder, pictures):
    """Writes JPEG pictures into `folder`: `pictures` is a list of (name, width, height,
    description or None); a description goes into the picture's .txt file."""
    os.makedirs(folder, exist_ok=True)
    for number, (name, width, height, description) in enumerate(pictures):
        ppm = os.path.join(folder, ".drawing.ppm")
        with open(ppm, "wb") as out:
            out.write(b"P6 %d %d 255\n" % (width, height))
            for row in _scene_rows(width, height, number * 0.137):
                out.write(row)
        subprocess.run(["vips", "copy", ppm, os.path.join(folder, name) + "[Q=85]"], check=True)
        os.remove(ppm)
        if description is not None:
            text = os.path.join(folder, os.path.splitext(name)[0] + ".txt")
            with open(text, "w", encoding="utf-8") as out:
                out.write(description + "\r\n")


def _key(db, parent, name):
    row = db.execute(
        "SELECT id FROM keys WHERE parent IS ? AND fold = ?", (parent, name.lower())
    ).fetchone()
    if row:
        return row[0]
    return db.execute(
        "INSERT INTO keys(parent, name, fold) VALUES (?, ?, ?)", (parent, name, name.lower())
    ).lastrowid


def write_settings(program, registry, values):
    """Makes the settings database `registry` with the program itself and stores `values` (name:
    int or str) as the settings the program loads when no preset is named."""
    environment = dict(os.environ, ZETGALLERY_REGISTRY=registry)
    subprocess.run([program, "--list", os.path.dirname(registry)], env=environment, check=True,
                   stdout=subprocess.DEVNULL)
    with sqlite3.connect(registry) as db:
        key = None
        for name in ["HKEY_CURRENT_USER", "Software", "Vorlan", "ZetGallery"]:
            key = _key(db, key, name)
        for name, value in values.items():
            if isinstance(value, int):
                kind, data = 4, struct.pack("<i", value)
            else:
                kind, data = 1, value.encode("utf-8") + b"\0"
            db.execute("INSERT OR REPLACE INTO vals(key, name, fold, type, data) "
                       "VALUES (?, ?, ?, ?, ?)", (key, name, name.lower(), kind, data))


def templates_folder(program):
    return os.path.join(os.path.dirname(os.path.abspath(program)), "templates")


def gallery_settings(program, index_kind, pages=True):
    """The preset of a gallery of `index_kind` with the default templates: descriptions from .txt
    files, picture pages named after the pictures, thumbnails made."""
    templates = templates_folder(program)
    index_template = "GridTemplate.htm" if index_kind == GRID else "IndexTemplate.htm"
    return {
        "IndexType": index_kind,
        "ImageType": 1 if pages else 0,
        "HtmlNames": 0,
        "Descriptions": 1,
        "ShowDescriptions": 1,
        "CreateThumbs": 1,
        "CopyButtonsFromTemplate": 1,
        "ImagesMask": "*.jpg",
        "IndexTemplate": os.path.join(templates, index_template),
        "ImageTemplate": os.path.join(templates, "ImageTemplate.htm"),
    }


def list_pictures(program, folder, pictures_folder):
    """The pictures of `pictures_folder` in gallery order, as the program lists them."""
    registry = os.path.join(folder, "registry-list.db")
    environment = dict(os.environ, ZETGALLERY_REGISTRY=registry)
    run = subprocess.run([program, "--list", "--null", pictures_folder], env=environment,
                         stdout=subprocess.PIPE, check=True)
    return [name.decode("utf-8") for name in run.stdout.split(b"\0") if name]


def build_gallery(program, folder, pictures_folder, settings):
    """Builds the gallery of `pictures_folder` (inside `folder`) with `settings`; returns the path
    of its index page, which lies in `folder`."""
    registry = os.path.join(folder, "registry-%d.db" % settings["IndexType"])
    if os.path.exists(registry):
        os.remove(registry)
    write_settings(program, registry, settings)
    environment = dict(os.environ, ZETGALLERY_REGISTRY=registry,
                       XDG_DATA_HOME=os.path.join(folder, "data-home"))
    run = subprocess.run([program, "--build", "--yes", pictures_folder], env=environment,
                         stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    if run.returncode != 0:
        raise RuntimeError("zetgallery --build failed (%d): %s" % (run.returncode, run.stderr))
    return os.path.join(folder, "index.htm")


def start_chromium():
    """Headless Chromium through Debian's chromium-driver, keeping the console's messages."""
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service

    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--window-size=1280,900", "--hide-scrollbars",
                     "--allow-file-access-from-files"]:
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def emulate_screen(driver, width, height, phone, scale=3):
    """Makes the page's viewport `width` x `height` CSS pixels; a phone also has `scale` device
    pixels a CSS pixel and honours the page's viewport declaration. A width of None ends the
    emulation."""
    if width is None:
        driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
        return
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": scale if phone else 1,
        "mobile": phone})


def file_url(path):
    return "file://" + urllib.request.pathname2url(os.path.abspath(path))


def path_of_url(url):
    """The local file a file:// URL names, without its fragment."""
    parsed = urllib.parse.urlparse(url)
    return urllib.parse.unquote(parsed.path)
