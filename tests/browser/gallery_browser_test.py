"""The built galleries as a visitor's browser shows them (headless Chromium).

For every index kind, with the default templates, and for the picture pages: every picture
loads, every link and picture names a file of the gallery, the console stays free of errors, a
phone's screen (390 CSS pixels) never scrolls sideways, and the keyboard pages through the
picture pages. Run by CTest with the program's path:

    python3 gallery_browser_test.py /path/to/zetgallery

Exits 77 (CTest's "skipped") when Chromium, its WebDriver or Selenium is missing;
tools/install-deps.sh installs them.
"""

import os
import shutil
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import gallery_browser as support  # noqa: E402

PROGRAM = None

# Landscape, portrait, square and small pictures; names with a blank, an ampersand and Cyrillic
# letters; descriptions with markup and quotes, and pictures without one (alt = file name).
PICTURES = [
    ("bay.jpg", 480, 320, "Залив на рассвете"),
    ("cliff & sea.jpg", 320, 480, "Cliff \"north\" & <em>sea</em>"),
    ("dunes.jpg", 400, 400, None),
    ("поле.jpg", 360, 240, "Поле"),
    ("river.jpg", 90, 60, None),
    ("tower.jpg", 240, 420, "A very long description that has to wrap inside its cell of the "
                            "grid without making the page any wider than a phone"),
    ("valley-with-a-rather-long-name-without-any-blanks-in-it.jpg", 420, 280, None),
]

WAIT_SECONDS = 10


def thumbnail_size(width, height, limit=120):
    """The thumbnail rule: the longer side (a square's height) limited, never enlarged, the other
    side in proportion, rounded half to even."""
    if height < width:
        shown = min(width, limit)
        return shown, max(1, round(shown * height / width))
    shown = min(height, limit)
    return max(1, round(shown * width / height)), shown


def setUpModule():
    missing = [path for path in ("/usr/bin/chromium", "/usr/bin/chromedriver")
               if not os.path.exists(path)]
    try:
        import selenium  # noqa: F401
    except ImportError:
        missing.append("python3-selenium")
    if missing:
        print("skipped: missing %s (tools/install-deps.sh installs them)" % ", ".join(missing))
        sys.exit(77)


class GalleryInChromium(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.mkdtemp(prefix="zetgallery-browser-")
        cls.pictures = os.path.join(cls.folder, "photos")
        support.draw_pictures(cls.pictures, PICTURES)
        cls.driver = support.start_chromium()

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        shutil.rmtree(cls.folder, ignore_errors=True)

    def gallery_order(self):
        return support.list_pictures(PROGRAM, self.folder, self.pictures)

    def build(self, kind):
        settings = support.gallery_settings(PROGRAM, kind)
        return support.build_gallery(PROGRAM, self.folder, self.pictures, settings)

    def open(self, path):
        self.driver.get_log("browser")  # what earlier pages left
        self.driver.get(support.file_url(path))

    def assert_console_clean(self, page):
        errors = [entry["message"] for entry in self.driver.get_log("browser")
                  if entry["level"] == "SEVERE"]
        self.assertEqual(errors, [], page)

    def assert_pictures_load(self, page):
        """Every picture, a lazy one too once it is scrolled to, is decoded."""
        count = self.driver.execute_script("return document.images.length")
        for number in range(count):
            deadline = time.monotonic() + WAIT_SECONDS
            while True:
                width, source = self.driver.execute_script(
                    "const image = document.images[arguments[0]]; image.scrollIntoView();"
                    "return [image.complete ? image.naturalWidth : 0, image.currentSrc];", number)
                if width > 0 or time.monotonic() > deadline:
                    break
                time.sleep(0.05)
            self.assertGreater(width, 0, "%s: %s does not load" % (page, source))
        self.driver.execute_script("window.scrollTo(0, 0)")

    def assert_targets_exist(self, page):
        """Every link, picture, srcset candidate and <link> names a file that exists."""
        urls = self.driver.execute_script(
            "const urls = [];"
            "for (const a of document.querySelectorAll('a[href]')) urls.push(a.href);"
            "for (const l of document.querySelectorAll('link[href]')) urls.push(l.href);"
            "for (const i of document.images) {"
            "  urls.push(i.src);"
            "  for (const c of (i.getAttribute('srcset') || '').split(','))"
            "    if (c.trim()) urls.push(new URL(c.trim().split(/\\s+/)[0], i.baseURI).href);"
            "}"
            "return urls;")
        self.assertGreater(len(urls), 0, page)
        for url in urls:
            self.assertTrue(url.startswith("file://"), "%s: %s leaves the gallery" % (page, url))
            self.assertTrue(os.path.isfile(support.path_of_url(url)),
                            "%s: %s does not exist" % (page, url))

    def assert_fits_phone(self, page):
        support.emulate_screen(self.driver, support.PHONE_WIDTH, support.PHONE_HEIGHT, True)
        try:
            self.driver.get(self.driver.current_url)
            widths = self.driver.execute_script(
                "return [document.documentElement.scrollWidth, window.innerWidth]")
            self.assertEqual(widths[1], support.PHONE_WIDTH, page)
            self.assertLessEqual(widths[0], widths[1], "%s scrolls sideways on a phone" % page)
            # The phone's three device pixels a CSS pixel load the thumbnails of twice the size.
            self.assert_pictures_load(page + " (phone)")
        finally:
            support.emulate_screen(self.driver, None, None, False)

    def check_page(self, path):
        page = os.path.relpath(path, self.folder)
        self.open(path)
        self.assert_pictures_load(page)
        self.assert_targets_exist(page)
        self.assert_fits_phone(page)
        self.assert_console_clean(page)

    def test_every_index_kind_shows_whole_and_fits_a_phone(self):
        for kind, name in support.INDEX_KINDS.items():
            with self.subTest(kind=name):
                index = self.build(kind)
                self.check_page(index)
                links = self.driver.execute_script(
                    "return document.querySelectorAll('main a[href$=\".htm\"]').length")
                self.assertEqual(links, len(PICTURES), name)
                if kind >= 3:
                    thumbnails = self.driver.execute_script(
                        "return document.querySelectorAll('img[src^=\"thumbs/\"]').length")
                    self.assertEqual(thumbnails, len(PICTURES), name)

    def test_grid_cells_carry_size_lazy_loading_and_alt_text(self):
        self.open(self.build(support.GRID))
        cells = self.driver.execute_script(
            "return Array.from(document.querySelectorAll('.zetgallery-grid figure img'), i => ["
            "  i.getAttribute('width'), i.getAttribute('height'), i.loading, i.decoding,"
            "  i.getAttribute('srcset'), i.alt,"
            "  i.closest('figure').querySelector('figcaption')?.textContent ?? null]);")
        self.assertEqual(len(cells), len(PICTURES))
        pictures = {picture[0]: picture for picture in PICTURES}
        for name, cell in zip(self.gallery_order(), cells):
            _, width, height, description = pictures[name]
            self.assertEqual((int(cell[0]), int(cell[1])), thumbnail_size(width, height), name)
            self.assertEqual(cell[2:4], ["lazy", "async"], name)
            self.assertTrue(cell[4].endswith("@2x.jpg 2x"), name)
            shown = (description or name).replace("<em>", "").replace("</em>", "")
            if description is None:
                self.assertEqual(cell[5], name)
                self.assertIsNone(cell[6], name)
            else:
                self.assertEqual(cell[5], description, name)
                self.assertEqual(cell[6], shown, name)

    def test_picture_pages_show_whole_and_page_with_the_keys(self):
        index = self.build(support.GRID)
        pages = [os.path.join(self.folder, os.path.splitext(name)[0] + ".htm")
                 for name in self.gallery_order()]
        for page in pages:
            with self.subTest(page=os.path.basename(page)):
                self.check_page(page)
        from selenium.webdriver.common.keys import Keys

        steps = [(Keys.ARROW_RIGHT, pages[1]), (Keys.ARROW_RIGHT, pages[2]),
                 (Keys.ARROW_LEFT, pages[1]), (Keys.END, pages[-1]),
                 (Keys.ARROW_RIGHT, pages[-1]), (Keys.HOME, pages[0]),
                 (Keys.ARROW_LEFT, pages[0]), (Keys.ESCAPE, index)]
        self.open(pages[0])
        for key, expected in steps:
            before = self.driver.current_url
            self.driver.find_element("tag name", "body").send_keys(key)
            target = support.file_url(expected)
            deadline = time.monotonic() + WAIT_SECONDS
            while self.driver.current_url != target and time.monotonic() < deadline:
                time.sleep(0.05)
            self.assertEqual(support.path_of_url(self.driver.current_url), expected,
                             "key %r on %s" % (key, before))

    def test_picture_pages_name_their_neighbours_and_icon_in_the_head(self):
        self.build(support.GRID)
        pages = [os.path.join(self.folder, os.path.splitext(name)[0] + ".htm")
                 for name in self.gallery_order()]
        for number, page in enumerate(pages):
            self.open(page)
            links = self.driver.execute_script(
                "const links = {};"
                "for (const l of document.querySelectorAll('head link')) links[l.rel] = l.href;"
                "return links;")
            expected = {"icon": os.path.join(self.folder, "buttons", "amber_index.gif")}
            if number > 0:
                expected["prev"] = pages[number - 1]
            if number + 1 < len(pages):
                expected["next"] = pages[number + 1]
            self.assertEqual({rel: support.path_of_url(url) for rel, url in links.items()},
                             expected, os.path.basename(page))


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit("usage: gallery_browser_test.py ZETGALLERY [unittest arguments]")
    PROGRAM = os.path.abspath(sys.argv.pop(1))
    unittest.main()
