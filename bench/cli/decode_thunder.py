#!/usr/bin/env python3
"""The plain way to decode a list of thunder:// links, for comparison:
strip the prefix, Base64-decode, drop the two marker characters at each end.

    decode_thunder.py LINKS > ADDRESSES
"""

import base64
import sys

with open(sys.argv[1], encoding="ascii") as links:
    for line in links:
        payload = line.rstrip("\r\n")[len("thunder://"):]
        address = base64.b64decode(payload).decode("gbk")
        print(address[2:-2])
