#!/usr/bin/env python3
"""Measures where the coloured boxes of reference pages land in headless Chromium.

For each page.html given, writes page.boxes beside it, one box a line:
    width 750                              the page area's width the page was laid out at
    box #rrggbb left top right bottom      what shows in that colour: a background (its
                                           padding box when a solid border surrounds it), a
                                           solid border (its border box), a rule, a picture
                                           (the colour of its BMP file)
    text #rrggbb left top right bottom     the text of a <font color> element
    box #rrggbb none                       an element of that colour that is not shown
Coordinates are page pixels, rounded. Each colour names one element of its page.
Run through tools/reference-boxes.sh, which installs what this needs.
"""
import html
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

PAGE_WIDTH, PAGE_HEIGHT = 750, 510
CHROMIUM = "/usr/bin/chromium"

# Runs once the page has loaded: the boxes, as lines, in an attribute of the root element
# that --dump-dom then prints.
MEASURE = r"""
<script>
addEventListener('load', function () {
  function hex(c) {
    var m = /rgba?\((\d+), (\d+), (\d+)(?:, ([\d.]+))?\)/.exec(c);
    if (!m || (m[4] !== undefined && +m[4] === 0)) return null;
    return '#' + [1, 2, 3].map(function (i) { return (+m[i]).toString(16).padStart(2, '0'); }).join('');
  }
  function union(el) {
    var rs = el.getClientRects(), u = null;
    for (var i = 0; i < rs.length; ++i) {
      var r = rs[i];
      if (r.width <= 0 && r.height <= 0) continue;
      u = u ? [Math.min(u[0], r.left), Math.min(u[1], r.top), Math.max(u[2], r.right), Math.max(u[3], r.bottom)]
            : [r.left, r.top, r.right, r.bottom];
    }
    return u && u.map(function (v, i) { return Math.round(v + (i % 2 ? scrollY : scrollX)); });
  }
  var lines = ['viewport ' + innerWidth + ' ' + innerHeight + ' ' + document.documentElement.clientWidth];
  function add(kind, colour, rc) { lines.push(kind + ' ' + colour + ' ' + (rc ? rc.join(' ') : 'none')); }
  var all = document.body.querySelectorAll('*');
  for (var i = 0; i < all.length; ++i) {
    var el = all[i], cs = getComputedStyle(el), rc = union(el);
    if (el.tagName === 'SCRIPT') continue;
    if (el.tagName === 'IMG') add('box', 'picture:' + el.getAttribute('src'), rc);
    if (el.tagName === 'FONT' && el.hasAttribute('color')) add('text', hex(cs.color), rc);
    var bg = hex(cs.backgroundColor), sides = ['Top', 'Right', 'Bottom', 'Left'];
    var border = sides.every(function (s) { return cs['border' + s + 'Style'] === 'solid'; }) &&
                 sides.every(function (s) { return cs['border' + s + 'Color'] === cs.borderTopColor; })
                 ? hex(cs.borderTopColor) : null;
    var widths = sides.map(function (s) { return parseFloat(cs['border' + s + 'Width']) || 0; });
    if (border && widths.some(function (w) { return w > 0; })) {
      add('box', border, rc);
      if (bg && bg !== border)
        add('box', bg, rc && [rc[0] + Math.round(widths[3]), rc[1] + Math.round(widths[0]),
                              rc[2] - Math.round(widths[1]), rc[3] - Math.round(widths[2])]);
    } else if (bg) {
      add('box', bg, rc);
    }
  }
  document.documentElement.setAttribute('data-kelo-boxes', lines.join('\n'));
});
</script>
"""


def bmp_colour(path):
    """The colour of a 24- or 32-bit BMP's first stored pixel, as #rrggbb."""
    with open(path, "rb") as f:
        data = f.read()
    offset = struct.unpack_from("<I", data, 10)[0]
    b, g, r = data[offset], data[offset + 1], data[offset + 2]
    return "#%02x%02x%02x" % (r, g, b)


def run_chromium(url, profile, window_height):
    cmd = [CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
           "--disable-background-networking", "--disable-component-update", "--disable-sync",
           "--disable-extensions", "--user-data-dir=" + profile, "--hide-scrollbars",
           "--window-size=%d,%d" % (PAGE_WIDTH, window_height), "--dump-dom", url]
    dom = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=120, check=True).stdout
    m = re.search(r'data-kelo-boxes="([^"]*)"', dom.decode("utf-8", "replace"))
    if not m:
        raise RuntimeError("Chromium gave no measurement for " + url)
    return html.unescape(m.group(1)).splitlines()


def measure(page, work, window_height):
    """The lines of page's boxes file, and the viewport's height they were measured in."""
    folder = os.path.dirname(os.path.abspath(page))
    copy = os.path.join(work, "page")
    shutil.rmtree(copy, ignore_errors=True)
    shutil.copytree(folder, copy)
    target = os.path.join(copy, os.path.basename(page))
    with open(page, "rb") as f:
        source = f.read()
    # The script goes last: it takes no room and changes nothing above it.
    with open(target, "wb") as f:
        f.write(source + MEASURE.encode("ascii"))
    profile = tempfile.mkdtemp(dir=work)
    lines = run_chromium("file://" + target, profile, window_height)
    _, width, height, client_width = lines[0].split()
    if int(width) != PAGE_WIDTH or int(client_width) != PAGE_WIDTH:
        raise RuntimeError("%s: laid out %s wide (%s inside), not %d" % (page, width, client_width, PAGE_WIDTH))
    out, seen = ["width %d" % PAGE_WIDTH], set()
    for line in lines[1:]:
        kind, colour, rest = line.split(" ", 2)
        if colour.startswith("picture:"):
            colour = bmp_colour(os.path.join(folder, colour[len("picture:"):]))
        if colour == "null":
            continue
        if (kind, colour) in seen:
            raise RuntimeError("%s: two elements give %s %s; give each its own colour" % (page, kind, colour))
        seen.add((kind, colour))
        out.append("%s %s %s" % (kind, colour, rest))
    return out, int(height)


def main(pages):
    if not pages:
        sys.exit("usage: reference_boxes.py page.html ...")
    work = tempfile.mkdtemp(prefix="kelo-reference-")
    try:
        window_height = PAGE_HEIGHT
        for page in pages:
            lines, height = measure(page, work, window_height)
            if height != PAGE_HEIGHT:
                # The window's height counts a frame the viewport lacks: once corrected,
                # every page is measured in a viewport of the page area's height.
                window_height += PAGE_HEIGHT - height
                lines, height = measure(page, work, window_height)
            boxes = os.path.splitext(page)[0] + ".boxes"
            with open(boxes, "w") as f:
                f.write("# Measured by tools/reference-boxes.sh in headless Chromium, %d x %d.\n" % (PAGE_WIDTH, height))
                f.write("\n".join(lines) + "\n")
            print("%s: %d boxes" % (boxes, len(lines) - 1))
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main(sys.argv[1:])
