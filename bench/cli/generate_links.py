#!/usr/bin/env python3
"""Writes a deterministic list of typical download addresses and the same
list as thunder:// links, for timing velkrant-cli against other tools.

    generate_links.py OUTDIR [--count N] [--seed S]

OUTDIR receives addresses.txt and thunder.txt, one line each per address,
LF line ends. Addresses are 60 to 120 characters long; the same count and
seed always give the same files.
"""

import argparse
import base64
import os
import random

HOSTS = ["dl.example-mirror.net", "files.example.org", "cdn3.downloads.example.com",
         "ftp.example.edu", "static.example.cn", "mirror.example.io"]
WORDS = ["pub", "software", "releases", "video", "music", "iso", "games", "tools",
         "archive", "2023", "2024", "linux", "windows", "setup", "update", "full"]
EXTENSIONS = [".zip", ".exe", ".rar", ".iso", ".mp4", ".mkv", ".7z", ".tar.gz"]
NAME_CHARACTERS = "abcdefghijklmnopqrstuvwxyz0123456789-_"


def address(rng: random.Random) -> str:
    target = rng.randint(60, 120)
    scheme = rng.choice(["http://", "http://", "https://", "ftp://"])
    head = scheme + rng.choice(HOSTS) + "/"
    while len(head) < target - 30:
        head += rng.choice(WORDS) + "/"
    extension = rng.choice(EXTENSIONS)
    query = "?from=list&id=" + str(rng.randint(1, 99999)) if rng.random() < 0.3 else ""
    room = target - len(head) - len(extension) - len(query)
    if room < 4:
        query, room = "", target - len(head) - len(extension)
    name = "".join(rng.choice(NAME_CHARACTERS) for _ in range(room))
    return head + name + extension + query


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("outdir")
    parser.add_argument("--count", type=int, default=1_000_000)
    parser.add_argument("--seed", type=int, default=2338)
    args = parser.parse_args()

    os.makedirs(args.outdir, exist_ok=True)
    rng = random.Random(args.seed)
    with open(os.path.join(args.outdir, "addresses.txt"), "w", encoding="ascii", newline="\n") as addresses, \
         open(os.path.join(args.outdir, "thunder.txt"), "w", encoding="ascii", newline="\n") as links:
        for _ in range(args.count):
            text = address(rng)
            addresses.write(text + "\n")
            links.write("thunder://" + base64.b64encode(("AA" + text + "ZZ").encode("ascii")).decode("ascii") + "\n")


if __name__ == "__main__":
    main()
