#!/usr/bin/env python3
"""Writes the seed corpus of every fuzz target into fuzz/corpus/<target>/.

The seeds are the worked examples and the edge cases of the link formats,
in the form each target reads: raw bytes for the byte-level targets, UTF-16
(low byte first) where the core takes text, and for the command two leading
bytes (mode, then flags: bit 0 = batch ticked, bits 1-5 = failing host
calls) before the text. Run it after changing a seed; commit its output.
"""

import pathlib
import shutil

HERE = pathlib.Path(__file__).resolve().parent / "corpus"


def text(s):
    return s.encode("utf-16-le", "surrogatepass")


def command(mode, flags, s):
    return bytes([mode, flags]) + text(s)


THUNDER = "thunder://QUFodHRwOi8vYS9iWlo="
FLASHGET = "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2JbRkxBU0hHRVRd&1"
QQDL = "qqdl://aHR0cDovL2EvYg=="
CHINESE = "http://例子.cn/文件.zip"

ADDRESSES = {
    "worked_example": "http://a/b",
    "empty": "",
    "chinese": CHINESE,
    "utf8_lookalike": "涓枃",  # its GBK bytes are the UTF-8 of two ideographs
    "hangul_not_in_gbk": "x한y",
    "emoji_pair": "a\U0001F600b",
    "lone_surrogate": "a\ud800迅",
    "zero_inside": "a\0b",
    "tag_character": "a\U000E0041b",
    "spaces": " http://a/b c ",
    "already_a_link": THUNDER,
}

LINKS = {
    "thunder": THUNDER,
    "thunder_upper": "THUNDER://QUFodHRwOi8vYS9iWlo=",
    "thunder_no_prefix": "QUFodHRwOi8vYS9iWlo=",
    "thunder_four": "thunder://QUFaWg==",
    "thunder_three": "thunder://QUFa",
    "thunder_prefix_only": "thunder://",
    "thunder_trailing_slash": THUNDER + "/",
    "thunder_prefix_inside": "thunder://QUFodHRwthunder://Oi8vYS9iWlo=",
    "thunder_utf8": "thunder://QUFodHRwOi8v5L6L5a2QLmNuL+aWh+S7ti56aXBaWg==",
    "flashget": FLASHGET,
    "flashget_9999": FLASHGET[:-1] + "9999",
    "flashget_no_ampersand": FLASHGET[:-2],
    "flashget_twenty": "Flashget://W0ZMQVNIR0VUXVtGTEFTSEdFVF0=&7",
    "flashget_ampersand_first": "Flashget://&1",
    "qqdl": QQDL,
    "qqdl_upper": "QQDL://aHR0cDovL2EvYg==",
    "qqdl_empty": "qqdl://",
    "crlf_after": "qqdl://YQ==\r\n",
    "pads_only": "===========",
}

AUTO = dict(LINKS)
AUTO.update({
    "ordinary": "http://a/b",
    "ordinary_upper": "HTTP://a/b",
    "rtsp": "rtsp://a/b",
    "rstp": "rstp://a/b",
    "leading_space": " " + THUNDER,
    "slashes_first": "a//" + THUNDER,
    "no_slashes": "a/b",
    "empty": "",
})

BASE64_BYTES = {
    "empty": b"",
    "one": b"a",
    "two": b"ab",
    "three": b"abc",
    "wrapped_address": b"AAhttp://a/bZZ",
    "gbk_chinese": bytes([0xD1, 0xB8, 0xC0, 0xD7]),
    "high_and_zero": bytes([0x00, 0xFF, 0x80, 0x3F]),
    "chinese_text": text(CHINESE),
}

BASE64_TEXTS = {
    # The first byte is the pad byte.
    "empty_text": b"=",
    "thunder_payload": b"=QUFodHRwOi8vYS9iWlo=",
    "no_pads": b"=aHR0cDovL2EvYg",
    "five_characters": b"=ABCDE",
    "pads_only": b"=" * 12,
    "two_padded_blocks": b"=YQ==YQ==",
    "crlf_after_pads": b"=QUI=\r\n",
    "crlf_after_full": b"=QUJD\r\n",
    "gbk_lead_bytes": b"=" + bytes([0xD1, 0xB8, 0x41, 0x41]),
    "other_pad": b"-QUI--",
    "chinese_text": b"=" + text("QUFodHRwOi8v5L6L5a2Q"),
}

def shift(value, amount, mask):
    return bytes([value]) + amount.to_bytes(2, "little", signed=True) + bytes([mask])


SHIFTS = {
    # value, amount, mask: the amounts the codec uses, the table's ends, and
    # amounts beyond a byte.
    "left_two_encode": shift(0xB5, 2, 63),
    "right_six_decode": shift(0xFF, -6, 255),
    "zero_amount": shift(0x5A, 0, 255),
    "left_eight": shift(0xFF, 8, 255),
    "right_eight": shift(0xFF, -8, 255),
    "left_nine": shift(0x81, 9, 255),
    "far_left": shift(0x01, 0x7FFF, 255),
    "far_right": shift(0x80, -0x8000, 255),
}

BATCH = {
    "worked_example": command(0, 1, THUNDER + "\r\n\r\nhttp://a/b"),
    "blank": command(0, 1, "  \r\n\r\n  "),
    "spaces_between_breaks": command(0, 1, " \r\n \r\n "),
    "trailing_break": command(0, 1, "http://a/b\r\n"),
    "pairs_formed_late": command(0, 1, "\r\r\n\n"),
    "failing_middle_line": command(1, 1, THUNDER + "\r\nthunder://QUFa\r\n" + THUNDER),
    "encode_with_spaces": command(4, 1, " a b \r\n\r\nhttp://例子.cn/"),
    "flashget_batch": command(5, 1, "http://a/b\r\n\r\nx한y"),
    "lone_cr_and_lf": command(3, 1, QQDL + "\r" + QQDL + "\n\r\n" + QQDL),
    "single_notice": command(0, 0, "http://a/b"),
    "single_failure": command(1, 0, "thunder://QUFa"),
    "single_flashget": command(5, 0, CHINESE),
    "mode_out_of_range": command(7, 1, "a\r\nb"),
    "failing_host": command(0, 0x3F, THUNDER + "\r\nx"),
    "failing_batch_out": command(2, 0x11, FLASHGET),
}

CODE_PAGE_TEXTS = {
    "ascii": "http://a/b",
    "chinese": "迅雷",
    "euro_single_byte": "€",
    "hangul_not_in_gbk": "x한y",
    "emoji_pair": "a\U0001F600b",
    "lone_surrogates": "\udbff迅\udc00",
    "utf8_lookalike": "涓枃",
    "fullwidth_and_punctuation": "，。Ａ",
    "tag_characters": "\U0001F3F4\U000E0067\U000E007F\ud800\U000E0020",
    "zero_inside": "a\0b",
}

CODE_PAGE_BYTES = {
    "ascii": b"a/b",
    "gbk_chinese": bytes([0xD1, 0xB8, 0xC0, 0xD7]),
    "utf8_chinese": "例子".encode("utf-8"),
    "utf8_not_cjk": "é例".encode("utf-8"),
    "zero_inside": b"a\0b",
    "overlong": bytes([0xC0, 0x80]),
    "encoded_surrogate": bytes([0xED, 0xA0, 0x80]),
    "above_unicode": bytes([0xF4, 0x90, 0x80, 0x80]),
    "truncated": bytes([0xE4, 0xB8]),
    "lone_lead_bytes": bytes([0x80, 0xFF, 0x81]),
    # The first and last character of each block the UTF-8 reading accepts,
    # and a neighbour just outside.
    "cjk_block_edges": "\u2e80\u9fff\uf900\ufaff\ufe30\ufe4f\uff00\uffef".encode("utf-8"),
    "outside_cjk_blocks": "\u2e7f".encode("utf-8") + "\ufe50".encode("utf-8") + "\ufff0".encode("utf-8"),
}

LIST_FILES = {
    "empty": b"",
    "crlf_lines": b"thunder://QUFodHRwOi8vYS9iWlo=\r\nhttp://a/b\r\n",
    "no_final_break": b"a\r\nb",
    "empty_last_line": b"a\r\n\r\n",
    "lf_only": b"a\nb\n",
    "lone_cr": b"a\rb\r",
    "breaks_formed_late": b"\r\r\n\n",
    "gbk_chinese": "http://例子.cn/文件.zip\r\n".encode("gbk"),
    "utf8_chinese": "http://例子.cn/文件.zip\r\n".encode("utf-8"),
    "zero_bytes": b"a\0b\r\n\0\r\n",
    "binary": bytes(range(256)),
}

# The first byte chooses the encoding: even for UTF-8, odd for the code page.
FOUND_THUNDER = "thunder://QUFodHRwOi8vZGwuZXhhbXBsZS5jb20vc29mdC9zZXR1cC0yLjEuZXhlWlo="
LINK_TEXTS = {
    "html": b"\0" + ('<a href="%s">x</a> [url=%s]y[/url]' % (THUNDER, QQDL)).encode(),
    "prose": b"\0" + ("下载地址：%s，%s。" % (FOUND_THUNDER, FLASHGET)).encode(),
    "page_number": b"\0" + FLASHGET.replace("&", "&amp;").encode() + b"\"",
    "query_string": b"\0/go?u=thunder%3A%2F%2FQUFodHRwOi8vYS9iWlo%3D&x=1",
    "wrapped": b"\0" + FOUND_THUNDER[:30].encode() + b"\r\n  " + FOUND_THUNDER[30:].encode(),
    "spaces_inside": b"\0" + "qqdl://aHR0 cDov\u200bL2EvYg 请".encode(),
    "url_safe": b"\0(qqdl://aHR0cDovL2EvYg-_)",
    "nested": b"\0thunder://QUFGbGFzaGdldDovL1cwWk1RVk5JUjBWVVhXaDBkSEE2THk5aEwySmJSa3hCVTBoSFJWUmQmNTVaWg==",
    "two_readings": b"\0qqdl://aHR0cDov L2EvYg",
    "gbk_prose": b"\1" + ("地址：%s 迅雷" % THUNDER).encode("gbk"),
    "gbk_second_byte": b"\1\xd3qqdl://aHR0 \xa1\xa1cDov",
    "scheme_alone": b"\0thunder:// qqdl%3A%2F%2F",
}


def write(target, seeds):
    folder = HERE / target
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    for name, data in seeds.items():
        (folder / name).write_bytes(data if isinstance(data, bytes) else text(data))


def main():
    for scheme in ("Thunder", "Flashget", "Qqdl"):
        write(scheme + "Encode", ADDRESSES)
        write(scheme + "Decode", LINKS)
    write("AutoDecode", AUTO)
    write("Base64Encode", BASE64_BYTES)
    write("Base64Decode", BASE64_TEXTS)
    write("ComputeShift", SHIFTS)
    write("BatchCommand", BATCH)
    write("TextToBytes", CODE_PAGE_TEXTS)
    write("BytesToText", CODE_PAGE_BYTES)
    write("ListFileRead", LIST_FILES)
    write("LinkFinder", LINK_TEXTS)


if __name__ == "__main__":
    main()
