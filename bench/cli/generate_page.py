#!/usr/bin/env python3
"""Writes a deterministic HTML page of about SIZE megabytes with a private
link every few lines, in the forms pages carry them, for timing
velkrant-cli --extract and --replace.

    generate_page.py OUTDIR [--megabytes N] [--seed S]

OUTDIR receives page.html (UTF-8, Chinese prose, LF line ends), the
addresses --extract must print (page-addresses.txt) and the page --replace
must print (page-replaced.html).
"""

import argparse
import base64
import os
import random
import urllib.parse

from generate_links import address

PROSE = ["下载地址：", "高速下载", "请用迅雷打开", "本站提供", "电影", "第1集", "软件更新",
         "Lorem ipsum dolor sit amet, consectetur adipiscing elit", "点击这里", "网盘备用"]


def thunder(text):
    return "thunder://" + base64.b64encode(("AA" + text + "ZZ").encode()).decode()


def flashget(text, number):
    return "Flashget://" + base64.b64encode(("[FLASHGET]" + text + "[FLASHGET]").encode()).decode() + "&amp;" + str(number)


def qqdl(text):
    return "qqdl://" + base64.b64encode(text.encode()).decode()


def link_line(rng, text):
    """One line holding a link to `text`, and the same line with its address."""
    form = rng.randrange(5)
    words = rng.choice(PROSE)
    if form == 0:
        link = thunder(text)
        line = '<li><a href="%s" title="%s">%s</a></li>'
    elif form == 1:
        link = flashget(text, rng.randint(1, 10000))
        line = '<p>%s <a thunderhref="%s">下载</a></p>'
        return line % (words, link), line % (words, text)
    elif form == 2:
        link = qqdl(text)
        line = "[url=%s]%s[/url]"
        return line % (link, words), line % (text, words)
    elif form == 3:
        link = thunder(text)
        line = "<p>下载地址：%s，请用迅雷</p>"
        return line % link, line % text
    else:
        link = urllib.parse.quote(thunder(text), safe="")
        line = '<a href="/go?u=%s&amp;from=list">镜像</a>'
        return line % link, line % urllib.parse.quote(text, safe="")
    return line % (link, words, words), line % (text, words, words)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("outdir")
    parser.add_argument("--megabytes", type=int, default=100)
    parser.add_argument("--seed", type=int, default=20)
    args = parser.parse_args()

    os.makedirs(args.outdir, exist_ok=True)
    rng = random.Random(args.seed)
    limit = args.megabytes * 1000 * 1000
    written = 0
    paths = [os.path.join(args.outdir, name) for name in ("page.html", "page-addresses.txt", "page-replaced.html")]
    with open(paths[0], "w", encoding="utf-8", newline="\n") as page, \
         open(paths[1], "w", encoding="utf-8", newline="\n") as addresses, \
         open(paths[2], "w", encoding="utf-8", newline="\n") as replaced:
        page.write("<html><body>\n")
        replaced.write("<html><body>\n")
        while written < limit:
            plain = '<div class="row">%s %s</div>\n' % (rng.choice(PROSE), rng.choice(PROSE))
            for _ in range(rng.randint(1, 4)):
                page.write(plain)
                replaced.write(plain)
                written += len(plain.encode())
            text = address(rng)
            with_link, with_address = link_line(rng, text)
            page.write(with_link + "\n")
            replaced.write(with_address + "\n")
            addresses.write(text + "\n")
            written += len(with_link.encode()) + 1
        page.write("</body></html>\n")
        replaced.write("</body></html>\n")


if __name__ == "__main__":
    main()
