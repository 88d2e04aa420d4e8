#!/usr/bin/python3
"""Opens each page of the user guide in headless Chromium through chromedriver's WebDriver HTTP
interface and checks what a reader would meet: every picture loads, every link leads to a page
or a place that exists, nothing is fetched from outside, the style sheet applies. Takes a
screenshot of each whole page. Prints one "ok - ..." or "not ok - ..." line per check.

Usage: guide_check.py DRIVER_URL GUIDE_FOLDER SCREENSHOT_FOLDER PAGE...
"""

import base64
import json
import sys
import tempfile
import urllib.error
import urllib.parse
import urllib.request
from html.parser import HTMLParser
from pathlib import Path

CHROMIUM_ARGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--hide-scrollbars", "--window-size=1000,800",
]
WIDTH = 1000
MAX_HEIGHT = 30000  # a page longer than this is cut in the screenshot, not failed

# Run in the page: what the checks need to know about pictures, links and style.
SURVEY = r"""
const pictures = Array.from(document.images).map(i => ({
  src: i.getAttribute('src'), url: i.src, complete: i.complete, width: i.naturalWidth,
  shownWidth: i.getBoundingClientRect().width}));
const links = Array.from(document.querySelectorAll('a[href]')).map(a => ({
  href: a.getAttribute('href'), url: a.href}));
const outside = Array.from(document.querySelectorAll('[src],[href]'))
  .map(e => e.getAttribute('src') || e.getAttribute('href'))
  .filter(u => /^[a-z][a-z0-9+.-]*:/i.test(u) && !/^file:/i.test(u));
const main = document.querySelector('main');
return {pictures, links, outside, scripts: document.scripts.length,
  styled: !!main && getComputedStyle(main).maxWidth === '940px',
  height: Math.ceil(document.documentElement.scrollHeight),
  overflow: document.documentElement.scrollWidth > window.innerWidth};
"""


class Ids(HTMLParser):
    def __init__(self):
        super().__init__()
        self.ids = set()

    def handle_starttag(self, tag, attrs):
        for name, value in attrs:
            if name == "id" and value:
                self.ids.add(value)


def IdsOf(path):
    parser = Ids()
    parser.feed(Path(path).read_text(encoding="utf-8"))
    return parser.ids


class Driver:
    def __init__(self, url):
        self.url = url.rstrip("/")
        self.session = None

    def Call(self, method, path, body=None, timeout=60):
        data = None if body is None else json.dumps(body).encode()
        request = urllib.request.Request(self.url + path, data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(request, timeout=timeout) as reply:
                return json.loads(reply.read() or b"{}").get("value")
        except urllib.error.HTTPError as e:
            raise RuntimeError(f"{method} {path}: {e.code} {e.read()[:400]!r}") from None

    def Start(self, profile):
        options = {"binary": "/usr/bin/chromium", "args": CHROMIUM_ARGS + [f"--user-data-dir={profile}"]}
        value = self.Call("POST", "/session", {"capabilities": {"alwaysMatch": {
            "browserName": "chrome", "goog:chromeOptions": options}}}, timeout=120)
        self.session = value["sessionId"]

    def Do(self, method, path, body=None):
        return self.Call(method, f"/session/{self.session}{path}", body)

    def Stop(self):
        if self.session:
            try:
                self.Do("DELETE", "")
            except (RuntimeError, OSError):
                pass


def Report(ok, what, detail=""):
    print(("ok - " if ok else "not ok - ") + what)
    if detail and not ok:
        for line in str(detail).splitlines()[:12]:
            print("    " + line)
    return ok


def BrokenLinks(links, page, folder):
    broken = []
    here = IdsOf(page)
    for link in links:
        parts = urllib.parse.urlsplit(link["url"])
        if parts.scheme != "file":
            broken.append(f"{link['href']}: not a file of the guide")
            continue
        target = Path(urllib.parse.unquote(parts.path))
        if not target.is_file():
            broken.append(f"{link['href']}: {target} does not exist")
            continue
        if folder.resolve() not in target.resolve().parents:
            broken.append(f"{link['href']}: leads out of the guide")
            continue
        if parts.fragment:
            ids = here if target.resolve() == page.resolve() else IdsOf(target)
            if parts.fragment not in ids:
                broken.append(f"{link['href']}: no place #{parts.fragment} in {target.name}")
    return broken


def CheckPage(driver, folder, shots, name):
    page = folder / name
    if not Report(page.is_file(), f"{name}: the page exists", f"{page} is missing"):
        return
    driver.Do("POST", "/window/rect", {"width": WIDTH, "height": 800})
    driver.Do("POST", "/url", {"url": page.resolve().as_uri()})
    survey = driver.Do("POST", "/execute/sync", {"script": SURVEY, "args": []})
    pictures = survey["pictures"]
    missing = [f"{p['src']}: not shown" for p in pictures if not p["complete"] or p["width"] == 0]
    Report(pictures and not missing, f"{name}: every picture is shown ({len(pictures)})",
           "\n".join(missing) or "no pictures")
    # A picture shown narrower than it is gets scaled down and its text may become unreadable.
    shrunk = [f"{p['src']}: {p['width']} shown as {p['shownWidth']:.0f}" for p in pictures
              if p["complete"] and p["width"] > 0 and p["shownWidth"] < p["width"] - 1]
    Report(not shrunk, f"{name}: every picture at its own size", "\n".join(shrunk))
    broken = BrokenLinks(survey["links"], page, folder)
    Report(survey["links"] and not broken, f"{name}: every link leads somewhere ({len(survey['links'])})",
           "\n".join(broken) or "no links")
    Report(not survey["outside"] and survey["scripts"] == 0, f"{name}: nothing from outside, no scripts",
           "\n".join(survey["outside"]) + f"\nscripts: {survey['scripts']}")
    Report(survey["styled"] and not survey["overflow"], f"{name}: the style sheet applies, nothing sticks out",
           f"styled: {survey['styled']}, wider than the window: {survey['overflow']}")
    height = min(survey["height"], MAX_HEIGHT)
    driver.Do("POST", "/window/rect", {"width": WIDTH, "height": height + 120})
    shot = shots / f"guide-{Path(name).stem}.png"
    shot.write_bytes(base64.b64decode(driver.Do("GET", "/screenshot")))
    print(f"# {name}: screenshot {shot}")


def Main(argv):
    if len(argv) < 5:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    driver = Driver(argv[1])
    folder, shots = Path(argv[2]), Path(argv[3])
    shots.mkdir(parents=True, exist_ok=True)
    with tempfile.TemporaryDirectory(prefix="guide-chromium-") as profile:
        try:
            driver.Start(profile)
        except (RuntimeError, OSError, KeyError, TypeError) as e:
            Report(False, "Chromium starts under chromedriver", e)
            return 1
        try:
            for name in argv[4:]:
                try:
                    CheckPage(driver, folder, shots, name)
                except (RuntimeError, OSError, KeyError, TypeError) as e:
                    Report(False, f"{name}: the page can be examined", e)
        finally:
            driver.Stop()
    return 0


if __name__ == "__main__":
    sys.exit(Main(sys.argv))
