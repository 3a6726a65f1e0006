// The plain way to decode a list of thunder:// links in node, for
// comparison: strip the prefix, Base64-decode, read the bytes as GBK (as
// the Python one does), drop the two marker characters at each end.
//
//     node decode_thunder.js LINKS > ADDRESSES

"use strict";

const fs = require("fs");
const readline = require("readline");

const prefix = "thunder://".length;
const gbk = new TextDecoder("gbk");
const lines = readline.createInterface({ input: fs.createReadStream(process.argv[2]), crlfDelay: Infinity });
const out = fs.createWriteStream(null, { fd: 1 });
let pending = [];

lines.on("line", (line) => {
  const address = gbk.decode(Buffer.from(line.slice(prefix), "base64"));
  pending.push(address.slice(2, -2));
  if (pending.length === 4096) {
    out.write(pending.join("\n") + "\n");
    pending = [];
  }
});
lines.on("close", () => {
  if (pending.length > 0) out.write(pending.join("\n") + "\n");
  out.end();
});
